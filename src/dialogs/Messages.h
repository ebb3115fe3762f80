#pragma once
// The program's one way to put a message or a question to the user, and the
// seam behind it. Callers anywhere (core included) call ShowAnswerDialog; the
// program installs the real dialog at start, tests install a fake that
// answers without a person.

#include <string>
#include <vector>

enum class TAnswerIcon { None = 0, Information = 1, Question = 2, Warning = 3, Error = 4 };

struct TMessageRequest {
    std::u16string Caption;
    std::u16string Text;
    std::vector<std::u16string> Buttons;  // top to bottom, "&" marks accelerators
    TAnswerIcon Icon = TAnswerIcon::None;
    bool Cancelable = true;
    int HelpButton = 0;     // 1-based number of the button that opens help, 0 for none
    std::string HelpTopic;  // the help page that button opens
};

class IMessageDialog {
public:
    virtual ~IMessageDialog() = default;
    // Shows the dialog modally: the 1-based number of the button pressed, or
    // 0 when it was cancelled.
    virtual int Ask(const TMessageRequest& request) = 0;
};

// The 1-based number of the button pressed, 0 when the user cancelled. With
// no dialog installed it throws std::logic_error: a message nobody can see
// must never pass for an answer.
int ShowAnswerDialog(const std::u16string& caption, const std::u16string& text,
                     const std::vector<std::u16string>& buttons, TAnswerIcon icon, bool cancelable = true,
                     int helpButton = 0, const std::string& helpTopic = {});

// Not owned; nullptr uninstalls.
void InstallMessageDialog(IMessageDialog* dialog);
IMessageDialog* InstalledMessageDialog();
