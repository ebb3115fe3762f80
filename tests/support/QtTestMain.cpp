// main for the tests that need a Qt application (offscreen unless the
// environment says otherwise).
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char* argv[])
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
