#include "dialogs/MessageDialogLayout.h"

#include <algorithm>

namespace {

constexpr int kBevelOffset = 8;
constexpr int kInset = 24;  // icon and label from the client's top-left corner
constexpr int kIconSize = 32;
constexpr int kLabelLeftWithIcon = 72;
constexpr int kGap = 8;  // between the buttons, and around bevel and column
constexpr int kMinButtonWidth = 65;
constexpr int kMinButtonHeight = 25;
constexpr int kCaptionPadWidth = 32;
constexpr int kCaptionPadHeight = 12;
constexpr int kMinLabelHeight = 32;

}  // namespace

TMessageDialogLayout LayoutMessageDialog(const TMessageLayoutInput& input)
{
    TMessageDialogLayout l;
    l.Bevel.Left = kBevelOffset;
    l.Bevel.Top = kBevelOffset;
    if (input.HasIcon) l.Icon = {kInset, kInset, kIconSize, kIconSize};

    int captionWidth = 0;
    int captionHeight = 0;
    for (const TAnswerSize& c : input.Captions) {
        captionWidth = std::max(captionWidth, c.Width);
        captionHeight = std::max(captionHeight, c.Height);
    }
    l.Button = {std::max(kMinButtonWidth, captionWidth + kCaptionPadWidth),
                std::max(kMinButtonHeight, captionHeight + kCaptionPadHeight)};

    const int n = static_cast<int>(input.Captions.size());
    const int step = l.Button.Height + kGap;
    const int column = n > 0 ? n * step - kGap : 0;

    // A short message is stretched to the button column (the label keeps its
    // text vertically centred), and never less than the icon's height.
    l.Label = {input.HasIcon ? kLabelLeftWithIcon : kInset, kInset, input.Text.Width, input.Text.Height};
    if (l.Label.Height + 2 * (kInset - kBevelOffset) < column || l.Label.Height < kMinLabelHeight)
        l.Label.Height = std::max(column - 2 * (kInset - kBevelOffset), kMinLabelHeight);

    l.Bevel.Width = l.Label.Right() + kGap;
    l.Bevel.Height = l.Label.Height + 2 * (kInset - kBevelOffset);
    l.Client = {l.Bevel.Width + l.Button.Width + 3 * kGap, l.Bevel.Height + 2 * kGap};

    // The column stands on the bottom edge, 8 above it.
    l.Buttons.reserve(input.Captions.size());
    for (int i = 0; i < n; ++i)
        l.Buttons.push_back(
            {l.Bevel.Width + 2 * kGap, l.Client.Height - (n - i) * step, l.Button.Width, l.Button.Height});
    return l;
}

std::vector<std::u16string> AnswerTextLines(std::u16string_view text)
{
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

std::u16string AnswerCaptionDisplayText(std::u16string_view caption)
{
    std::u16string shown;
    shown.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 == caption.size()) break;  // a trailing mark marks nothing and shows nothing
            ++i;
        }
        shown.push_back(caption[i]);
    }
    return shown;
}

char16_t AnswerCaptionAccelerator(std::u16string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;  // "&&" is a literal ampersand
    }
    return 0;
}
