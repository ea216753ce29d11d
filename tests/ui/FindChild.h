// A page's widget by its object name, for the tests of one page on its own.
#pragma once

#include <gtest/gtest.h>

#include <QObject>

namespace halosoil::test {

// A widget missing from the page fails the test (and the lookup returns null).
template <class T>
T* FindChild(const QObject* page, const char* name) {
    T* child = page->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

}  // namespace halosoil::test
