#include "dialogs/Messages.h"

#include <stdexcept>

namespace {

IMessageDialog* g_dialog = nullptr;

}  // namespace

int ShowAnswerDialog(const std::u16string& caption, const std::u16string& text,
                     const std::vector<std::u16string>& buttons, TAnswerIcon icon, bool cancelable, int helpButton,
                     const std::string& helpTopic)
{
    if (!g_dialog) throw std::logic_error("ShowAnswerDialog called with no message dialog installed");
    TMessageRequest request;
    request.Caption = caption;
    request.Text = text;
    request.Buttons = buttons;
    request.Icon = icon;
    request.Cancelable = cancelable;
    request.HelpButton = helpButton;
    request.HelpTopic = helpTopic;
    return g_dialog->Ask(request);
}

void InstallMessageDialog(IMessageDialog* dialog)
{
    g_dialog = dialog;
}

IMessageDialog* InstalledMessageDialog()
{
    return g_dialog;
}
