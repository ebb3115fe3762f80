#pragma once
// A ruler window on the fake desktop (one 1920 x 1080 monitor), with glyph
// boxes the tests know and questions answered from a script.

#include <gtest/gtest.h>

#include "dialogs/Answers.h"
#include "lang/Languages.h"
#include "ruler/RulerWindow.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"

class RulerFixture : public ::testing::Test {
protected:
    RulerFixture()
    {
        SetQuestions(&questions);
        ruler.State.MonitorRects[0] = {0, 0, 1920, 1080};
        ruler.State.ActiveArea = ruler.State.MonitorRects[0];
        ruler.State.FirstRun = false;
    }
    ~RulerFixture() override
    {
        SetQuestions(nullptr);
        Languages().SetCurrentLanguage("EN");
    }

    ScopedFixedRasterizer fixed;
    FakeDesktop desktop;
    FakeShell shell;
    FakeQuestions questions;
    TfrmRuler ruler{desktop, shell};
};
