// Fonts and painting need a QGuiApplication before the first canvas exists.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
