#include <QApplication>

#include <gtest/gtest.h>

// Dialog and clipboard tests need a GUI application; without a display they
// run on the offscreen platform, also when the test list is discovered.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GearSuiteTests"));
    return RUN_ALL_TESTS();
}
