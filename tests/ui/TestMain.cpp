// The widget tests need a QApplication before the first widget exists.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("HalosoilS");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
