#include "dialogs/Answers.h"

namespace {

IQuestions* g_questions = nullptr;

}  // namespace

int ShowAnswerDialog(const std::u16string& caption, const std::u16string& text,
                     const std::vector<std::u16string>& buttons, TAnswerIcon icon, bool cancelable, int helpButton,
                     const std::string& helpTopic)
{
    if (!g_questions) return 0;
    TAnswerRequest request;
    request.Caption = caption;
    request.Text = text;
    request.Buttons = buttons;
    request.Icon = icon;
    request.Cancelable = cancelable;
    request.HelpButton = helpButton;
    request.HelpTopic = helpTopic;
    return g_questions->Ask(request);
}

void SetQuestions(IQuestions* questions)
{
    g_questions = questions;
}

IQuestions* Questions()
{
    return g_questions;
}
