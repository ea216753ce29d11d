// File names between Qt and the core: the core opens files by the platform's 8-bit names, the
// window shows and chooses them as Qt strings.
#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace halosoil {

inline std::string ToNative(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

inline QString FromNative(const std::string& fileName) {
    return QFile::decodeName(fileName.c_str());
}

}  // namespace halosoil
