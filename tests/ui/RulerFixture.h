#pragma once
// A ruler window on the fake desktop (one 1920 x 1080 monitor), with glyph
// boxes the tests know and messages answered from a script.

#include <gtest/gtest.h>

#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "ruler/RulerWindow.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"

class RulerFixture : public ::testing::Test {
protected:
    RulerFixture()
    {
        InstallMessageDialog(&messages);
        ruler.State.MonitorRects[0] = {0, 0, 1920, 1080};
        ruler.State.ActiveArea = ruler.State.MonitorRects[0];
        ruler.State.FirstRun = false;
    }
    ~RulerFixture() override
    {
        InstallMessageDialog(nullptr);
        Languages().SetCurrentLanguage("EN");
    }

    FixedTextRasterizer fixed;
    FakeDesktop desktop;
    FakeShell shell;
    FakeMessageDialog messages;
    TfrmRuler ruler{desktop, shell, fixed};
};
