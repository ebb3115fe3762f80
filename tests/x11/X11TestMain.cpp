// main for the tests of the window-system seam on a real X server: a private
// session (Xvfb, openbox, xcompmgr) comes up first, and the Qt application
// of the tests connects to it.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "XSession.h"

int main(int argc, char* argv[])
{
    XSession session;
    if (!session.Error().empty()) {
        std::cerr << "no X session: " << session.Error() << "\n";
        return 1;
    }
    setenv("DISPLAY", session.Display().c_str(), 1);
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    int status = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        status = RUN_ALL_TESTS();
    }
    return status;
}
