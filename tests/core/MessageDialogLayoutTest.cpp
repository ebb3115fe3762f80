#include "dialogs/MessageDialogLayout.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "dialogs/Messages.h"

namespace {

TMessageLayoutInput Input(TAnswerSize text, std::vector<TAnswerSize> captions, bool icon = false)
{
    return {text, std::move(captions), icon};
}

TEST(LayoutMessageDialog, OneOkButtonAndOneLineWithoutIcon)
{
    // Text 150 x 13, "OK" 15 x 13.
    const TMessageDialogLayout l = LayoutMessageDialog(Input({150, 13}, {{15, 13}}));
    EXPECT_EQ(l.Icon, (TAnswerRect{0, 0, 0, 0}));
    EXPECT_EQ(l.Label, (TAnswerRect{24, 24, 150, 32}));  // lifted to 32
    EXPECT_EQ(l.Bevel, (TAnswerRect{8, 8, 182, 64}));    // 24 + 150 + 8
    EXPECT_EQ(l.Button, (TAnswerSize{65, 25}));
    EXPECT_EQ(l.Client, (TAnswerSize{182 + 65 + 24, 80}));
    ASSERT_EQ(l.Buttons.size(), 1u);
    EXPECT_EQ(l.Buttons[0], (TAnswerRect{198, 80 - 33, 65, 25}));
    EXPECT_EQ(l.Buttons[0].Bottom(), l.Client.Height - 8);
    EXPECT_EQ(l.Buttons[0].Right(), l.Client.Width - 8);
}

TEST(LayoutMessageDialog, ButtonSizeFollowsTheWidestAndTallestCaption)
{
    struct Case {
        std::vector<TAnswerSize> captions;
        TAnswerSize button;
    };
    const Case cases[] = {
        {{{33, 13}}, {65, 25}},                       // exactly fits the minimum
        {{{34, 13}}, {66, 25}},                       // one pixel wider than 33
        {{{10, 13}, {90, 13}, {20, 13}}, {122, 25}},  // one wide caption widens all
        {{{20, 13}, {20, 14}}, {65, 26}},             // a taller face raises all
        {{{0, 0}}, {65, 25}},                         // an empty caption
    };
    for (const Case& c : cases) {
        const TMessageDialogLayout l = LayoutMessageDialog(Input({100, 13}, c.captions));
        EXPECT_EQ(l.Button, c.button) << c.captions.back().Width << "x" << c.captions.back().Height;
        for (const TAnswerRect& b : l.Buttons) {
            EXPECT_EQ(b.Width, c.button.Width);
            EXPECT_EQ(b.Height, c.button.Height);
            EXPECT_EQ(b.Left, l.Bevel.Width + 16);
        }
        EXPECT_EQ(l.Client.Width, l.Bevel.Width + c.button.Width + 24);
    }
}

TEST(LayoutMessageDialog, ThreeButtonsStretchAOneLineLabelToTheColumn)
{
    // Column 3 * 25 + 16 = 91 high; the label gets 91 - 32 = 59.
    const TMessageDialogLayout l = LayoutMessageDialog(Input({200, 13}, {{15, 13}, {38, 13}, {25, 13}}, true));
    EXPECT_EQ(l.Icon, (TAnswerRect{24, 24, 32, 32}));
    EXPECT_EQ(l.Label, (TAnswerRect{72, 24, 200, 59}));
    EXPECT_EQ(l.Bevel, (TAnswerRect{8, 8, 280, 91}));
    EXPECT_EQ(l.Client, (TAnswerSize{280 + 70 + 24, 107}));
    ASSERT_EQ(l.Buttons.size(), 3u);
    const int tops[] = {8, 41, 74};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(l.Buttons[i], (TAnswerRect{296, tops[i], 70, 25})) << i;
    EXPECT_EQ(l.Buttons[2].Bottom() - l.Buttons[0].Top, 3 * 25 + 16);
    // Label and column share their vertical centre.
    EXPECT_EQ(l.Label.Top + l.Label.Bottom(), l.Buttons[0].Top + l.Buttons[2].Bottom());
}

TEST(LayoutMessageDialog, LabelHeightAgainstTheButtonColumn)
{
    // Buttons 25 high: column = n * 33 - 8.
    struct Case {
        int textHeight;
        int buttons;
        int labelHeight;
    };
    const Case cases[] = {
        {13, 1, 32},                              // column 25: the minimum of 32 wins
        {31, 1, 32},                              // just under the minimum
        {32, 1, 32},                              // exactly the minimum, kept
        {40, 1, 40},                              // taller than both: its own height
        {13, 2, 32},                              // column 58: 58 - 32 = 26, still 32
        {26, 2, 32},                              // 26 + 32 = column, not less: only the minimum applies
        {33, 2, 33}, {13, 4, 92},                 // column 124: 124 - 32
        {91, 4, 92},                              // 91 + 32 < 124
        {92, 4, 92}, {93, 4, 93}, {130, 4, 130},  // a long message: the column stands at the bottom
    };
    for (const Case& c : cases) {
        const TMessageDialogLayout l = LayoutMessageDialog(
            Input({120, c.textHeight}, std::vector<TAnswerSize>(static_cast<std::size_t>(c.buttons), {20, 13})));
        EXPECT_EQ(l.Label.Height, c.labelHeight) << c.textHeight << " with " << c.buttons;
        EXPECT_EQ(l.Label.Width, 120);
        EXPECT_EQ(l.Bevel.Height, c.labelHeight + 32);
        EXPECT_EQ(l.Client.Height, c.labelHeight + 48);
        EXPECT_EQ(l.Buttons.back().Bottom(), l.Client.Height - 8);
        EXPECT_GE(l.Buttons.front().Top, 8);
    }
}

TEST(LayoutMessageDialog, ButtonTopsCountFromTheClientBottom)
{
    // A tall message and tall captions: H = 30, client height = 200 + 48.
    const TMessageDialogLayout l = LayoutMessageDialog(Input({60, 200}, {{20, 18}, {20, 18}, {20, 18}}));
    ASSERT_EQ(l.Buttons.size(), 3u);
    EXPECT_EQ(l.Client.Height, 248);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(l.Buttons[i].Top, 248 - (3 - i) * 38) << i;
    EXPECT_EQ(l.Buttons[0].Top, 134);
}

TEST(LayoutMessageDialog, NoButtonsLeavesAnEmptyColumn)
{
    const TMessageDialogLayout l = LayoutMessageDialog(Input({50, 13}, {}));
    EXPECT_TRUE(l.Buttons.empty());
    EXPECT_EQ(l.Label.Height, 32);
    EXPECT_EQ(l.Client, (TAnswerSize{82 + 65 + 24, 80}));
}

TEST(AnswerTextLines, LineBreaks)
{
    struct Case {
        std::u16string text;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {u"", {u""}},
        {u"one line", {u"one line"}},
        {u"a\r\nb", {u"a", u"b"}},
        {u"a\rb", {u"a", u"b"}},
        {u"a\nb", {u"a", u"b"}},
        {u"a\r\rb", {u"a", u"", u"b"}},  // two CRs: an empty line between
        {u"a\n\rb", {u"a", u"", u"b"}},  // LF CR is two breaks, not one
        {u"a\r\n\r\nb", {u"a", u"", u"b"}},
        {u"end\r\n", {u"end", u""}},
        {u"tab\tstays", {u"tab\tstays"}},
    };
    for (const Case& c : cases) EXPECT_EQ(AnswerTextLines(c.text), c.lines) << c.lines.size();
}

TEST(AnswerCaption, DisplayTextAndAccelerator)
{
    struct Case {
        std::u16string caption;
        std::u16string shown;
        char16_t accelerator;
    };
    const Case cases[] = {
        {u"&OK", u"OK", u'O'},
        {u"OK", u"OK", 0},
        {u"Sa&ve", u"Save", u'v'},
        {u"R&&D", u"R&D", 0},
        {u"&&Me &too", u"&Me too", u't'},
        {u"&A &B", u"A B", u'A'},  // the first mark counts
        {u"End&", u"End", 0},      // a trailing mark shows nothing
        {u"&\u0414\u0430", u"\u0414\u0430", u'\u0414'},
        {u"", u"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnswerCaptionDisplayText(c.caption), c.shown) << c.shown.size();
        EXPECT_EQ(AnswerCaptionAccelerator(c.caption), c.accelerator) << c.shown.size();
    }
}

class RecordingMessageDialog : public IMessageDialog {
public:
    int Ask(const TMessageRequest& request) override
    {
        m_asked.push_back(request);
        return m_answer;
    }
    std::vector<TMessageRequest> m_asked;
    int m_answer = 2;
};

TEST(ShowAnswerDialog, RoutesToTheInstalledDialogWithItsDefaults)
{
    // A message with nobody to show it is a fault of the program, not a cancel.
    EXPECT_THROW(ShowAnswerDialog(u"Scalio", u"nobody asks", {u"OK"}, TAnswerIcon::Error), std::logic_error);

    RecordingMessageDialog fake;
    InstallMessageDialog(&fake);
    EXPECT_EQ(InstalledMessageDialog(), &fake);
    EXPECT_EQ(ShowAnswerDialog(u"Scalio", u"Update?", {u"Yes", u"No"}, TAnswerIcon::Question), 2);
    fake.m_answer = 0;
    EXPECT_EQ(ShowAnswerDialog(u"Critical error", u"x", {u"&OK"}, TAnswerIcon::Error, false), 0);
    ShowAnswerDialog(u"Scalio", u"m", {u"OK", u"Cancel", u"Help"}, TAnswerIcon::Information, true, 3,
                     "2B_Behavior.htm#Multiple");
    InstallMessageDialog(nullptr);
    EXPECT_THROW(ShowAnswerDialog(u"Scalio", u"gone", {u"OK"}, TAnswerIcon::None), std::logic_error);

    ASSERT_EQ(fake.m_asked.size(), 3u);
    const TMessageRequest& q = fake.m_asked[0];
    EXPECT_EQ(q.Caption, u"Scalio");
    EXPECT_EQ(q.Text, u"Update?");
    EXPECT_EQ(q.Buttons, (std::vector<std::u16string>{u"Yes", u"No"}));
    EXPECT_EQ(q.Icon, TAnswerIcon::Question);
    EXPECT_TRUE(q.Cancelable);
    EXPECT_EQ(q.HelpButton, 0);
    EXPECT_FALSE(fake.m_asked[1].Cancelable);
    EXPECT_EQ(fake.m_asked[1].HelpButton, 0);
    EXPECT_EQ(fake.m_asked[2].HelpButton, 3);
    EXPECT_EQ(fake.m_asked[2].HelpTopic, "2B_Behavior.htm#Multiple");
}

}  // namespace
