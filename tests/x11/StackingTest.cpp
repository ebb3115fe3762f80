// The fixed stacking order of the always-on-top windows, seen in the X
// server's own order of the root's children.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include <X11/Xlib.h>
#undef None
#undef Bool
#undef Status

#include "dialogs/MessageDialog.h"
#include "platform/WindowSystem.h"
#include "support/Fakes.h"

namespace {

Display* Dpy()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->display();
}

// Where a window, or the frame the window manager put around it, stands
// among the root's children: higher is above.
int StackingIndex(const QWidget* w)
{
    Display* d = Dpy();
    XSync(d, False);
    Window top = static_cast<Window>(w->winId());
    for (;;) {
        Window root = 0, parent = 0, *kids = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(d, top, &root, &parent, &kids, &n)) return -1;
        if (kids) XFree(kids);
        if (parent == root) break;
        top = parent;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n);
    int index = -1;
    for (unsigned int i = 0; i < n; ++i)
        if (children[i] == top) index = static_cast<int>(i);
    if (children) XFree(children);
    return index;
}

std::unique_ptr<QWidget> ToolWindow(int x)
{
    auto w = std::make_unique<QWidget>();
    WindowSystem::ConfigureToolWindow(w.get());
    w->setGeometry(x, 100, 200, 60);
    return w;
}

// The tool windows' indices rise in their registered order.
bool InFixedOrder(const std::vector<QWidget*>& bottomToTop)
{
    for (std::size_t i = 1; i < bottomToTop.size(); ++i)
        if (StackingIndex(bottomToTop[i - 1]) >= StackingIndex(bottomToTop[i])) return false;
    return true;
}

class Stacking : public ::testing::Test {
protected:
    Stacking()
    {
        // Created in another order than they stack in, so that no order of
        // creation or of Qt's window lists can pass for the fixed one.
        for (int i : {3, 0, 4, 2, 1}) windows[static_cast<std::size_t>(i)] = ToolWindow(50 + 40 * i);
        for (auto& w : windows) {
            WindowSystem::RegisterToolWindow(w.get());
            order.push_back(w.get());
        }
        // Shown top first, so that each lands above the one it belongs below.
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->show();
        for (auto& w : windows) EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    std::array<std::unique_ptr<QWidget>, 5> windows;
    std::vector<QWidget*> order;
};

TEST_F(Stacking, ToolWindowsTakeTheirFixedOrderAboveOtherWindows)
{
    // Another program's always-on-top window comes up over ours.
    Display* d = Dpy();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    const Window other = XCreateWindow(d, DefaultRootWindow(d), 60, 80, 300, 100, 0, CopyFromParent, InputOutput,
                                       nullptr, CWOverrideRedirect, &attributes);
    XMapRaised(d, other);
    XSync(d, False);
    const auto otherIndex = [&] {
        XSync(d, False);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n);
        const int at = static_cast<int>(std::find(children, children + n, other) - children);
        if (children) XFree(children);
        return at;
    };
    ASSERT_LT(StackingIndex(order.back()), otherIndex());

    WindowSystem::KeepStackingOrder();
    EXPECT_TRUE(InFixedOrder(order));
    EXPECT_GT(StackingIndex(order.front()), otherIndex());
    XDestroyWindow(d, other);
    XSync(d, False);
}

// The message dialog's steady re-raise keeps it above our windows, and
// leaves our windows in their order below it.
TEST_F(Stacking, AMessageKeepsAboveAndTheToolsKeepTheirOrder)
{
    FakeShell shell;
    TMessageRequest request;
    request.Caption = u"Scalio";
    request.Text = u"Above everything of ours";
    request.Buttons = {u"OK"};
    TfrmMessage message(request, shell);
    message.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&message));
    // Something re-stacks our windows the other way round meanwhile.
    for (QWidget* w : order) w->raise();
    std::reverse(order.begin(), order.end());
    for (QWidget* w : order) w->raise();
    std::reverse(order.begin(), order.end());
    ASSERT_FALSE(InFixedOrder(order));

    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return InFixedOrder(order) && StackingIndex(&message) > StackingIndex(order.back()); }, 3000));
    EXPECT_TRUE(InFixedOrder(order));
    EXPECT_GT(StackingIndex(&message), StackingIndex(order.back()));
    message.close();
}

// A menu of ours opened over the tools stays above them when they are
// re-stacked, as the application's activation does.
TEST_F(Stacking, AnOpenMenuStaysAboveTheTools)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Rotate 90°"));
    menu.addAction(QStringLiteral("Exit"));
    menu.popup(QPoint(120, 90));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    for (QWidget* w : order) w->raise();

    WindowSystem::KeepStackingOrder();
    EXPECT_TRUE(InFixedOrder(order));
    EXPECT_GT(StackingIndex(&menu), StackingIndex(order.back()));
    menu.close();
}

}  // namespace
