#pragma once
// The seam of the program's one modal message dialog, so that the tests of
// its callers can answer without a person.

#include <string>
#include <vector>

enum class TAnswerIcon { None = 0, Information = 1, Question = 2, Warning = 3, Error = 4 };

struct TAnswerRequest {
    std::u16string Caption;
    std::u16string Text;
    std::vector<std::u16string> Buttons;  // top to bottom, "&" marks accelerators
    TAnswerIcon Icon = TAnswerIcon::None;
    bool Cancelable = true;
    int HelpButton = 0;     // 1-based number of the button that opens help, 0 for none
    std::string HelpTopic;  // the help page that button opens
};

class IQuestions {
public:
    virtual ~IQuestions() = default;
    // Shows the dialog modally: the 1-based number of the button pressed, or
    // 0 when it was cancelled.
    virtual int Ask(const TAnswerRequest& request) = 0;
};
