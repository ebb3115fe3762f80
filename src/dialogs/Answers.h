#pragma once
// The program-wide way to put a message or a question to the user. Callers
// anywhere (core included) go through here; the program installs the real
// dialog at start, tests install a fake that answers.

#include <string>
#include <vector>

#include "platform/Questions.h"

// The 1-based number of the button pressed, 0 when the user cancelled or
// when no IQuestions is installed (then nothing is shown).
int ShowAnswerDialog(const std::u16string& caption, const std::u16string& text,
                     const std::vector<std::u16string>& buttons, TAnswerIcon icon, bool cancelable = true,
                     int helpButton = 0, const std::string& helpTopic = {});

// Not owned; nullptr uninstalls.
void SetQuestions(IQuestions* questions);
IQuestions* Questions();
