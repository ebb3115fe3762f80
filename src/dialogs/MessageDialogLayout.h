#pragma once
// Where every part of the message dialog goes, worked out from the measured
// sizes of its texts, so that the geometry can be checked without a window
// system. Also the two text rules the dialog shares with that geometry: how
// its message breaks into lines and what a button caption shows.

#include <string>
#include <string_view>
#include <vector>

struct TAnswerSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const TAnswerSize&) const = default;
};

struct TAnswerRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TAnswerRect&) const = default;
};

struct TMessageLayoutInput {
    TAnswerSize Text;                   // the message as the label sizes itself to it
    std::vector<TAnswerSize> Captions;  // each button's caption as shown, top to bottom
    bool HasIcon = false;
};

// Client-area co-ordinates throughout.
struct TMessageDialogLayout {
    TAnswerSize Client;
    TAnswerRect Bevel;
    TAnswerRect Icon;  // all zero without an icon
    TAnswerRect Label;
    TAnswerSize Button;                // the one size every button shares
    std::vector<TAnswerRect> Buttons;  // in the order given, which is also the tab order
};

TMessageDialogLayout LayoutMessageDialog(const TMessageLayoutInput& input);

// The message's lines: CR LF, a lone CR and a lone LF each end one. Nothing
// else breaks a line; an empty message is one empty line.
std::vector<std::u16string> AnswerTextLines(std::u16string_view text);

// What a caption shows once its accelerator marks are taken out: "&&" is a
// literal "&", a single "&" only marks the character after it.
std::u16string AnswerCaptionDisplayText(std::u16string_view caption);

// The caption's accelerator character, the first one marked, as written (the
// caller compares it without regard to case); 0 when it has none.
char16_t AnswerCaptionAccelerator(std::u16string_view caption);
