// Files the window tests lay out before a step: an existing file to be overwritten or kept,
// a damaged one to be refused.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace halosoil::test {

// Writes bytes as the whole of the file; a file that cannot be opened fails the test (call it
// within ASSERT_NO_FATAL_FAILURE to stop there).
inline void WriteBytes(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(bytes);
}

}  // namespace halosoil::test
