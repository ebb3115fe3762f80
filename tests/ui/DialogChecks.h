#pragma once
// Checks every modeless dialog of the program shares.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

// No title-bar buttons (it closes only through its own buttons), and it
// does not hold up the ruler.
inline void ExpectModelessWithoutTitleBarButtons(const QWidget& dialog)
{
    const Qt::WindowFlags flags = dialog.windowFlags();
    for (Qt::WindowType button : {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                  Qt::WindowSystemMenuHint})
        EXPECT_FALSE(flags.testFlag(button)) << button;
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
