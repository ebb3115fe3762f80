#pragma once
// Fakes of the platform seam: a desktop whose pointer, pixels and monitors
// the test sets, a shell that records what it was asked to open, questions
// answered from a script, and settings read without the program around them.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/Messages.h"
#include "online/Shell.h"
#include "ruler/Desktop.h"
#include "settings/Settings.h"

class FakeDesktop : public IDesktop {
public:
    std::optional<TPoint> Pointer = TPoint{0, 0};
    // Colour of screen pixel (x, y); unset: mid grey.
    std::function<TColor32(int, int)> Pixels;
    std::vector<MonitorRect> MonitorList{{0, 0, 1920, 1080}};
    int PointerReads = 0;

    std::optional<TPoint> PointerPos() override
    {
        ++PointerReads;
        return Pointer;
    }
    std::optional<TColor32> ScreenPixel(int x, int y) override { return Pixels ? Pixels(x, y) : 0xFF808080u; }
    TBitmap32 GrabScreen(int x, int y, int width, int height) override
    {
        TBitmap32 b(width, height);
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < width; ++px) b.SetPixelS(px, py, *ScreenPixel(x + px, y + py));
        return b;
    }
    std::vector<MonitorRect> Monitors() override { return MonitorList; }
};

class FakeShell : public IShell {
public:
    std::vector<std::string> Urls;
    std::vector<std::string> HelpTopics;
    std::vector<std::string> Programs;
    bool Succeeds = true;

    bool OpenUrl(const std::string& url) override
    {
        Urls.push_back(url);
        return Succeeds;
    }
    bool OpenHelp(const std::string& topic) override
    {
        HelpTopics.push_back(topic);
        return Succeeds;
    }
    bool RunProgram(const std::filesystem::path& program) override
    {
        Programs.push_back(program.string());
        return Succeeds;
    }
};

class FakeMessageDialog : public IMessageDialog {
public:
    std::vector<TMessageRequest> Asked;
    // Answers given in turn; 0 (cancel) once they run out.
    std::deque<int> Answers;

    int Ask(const TMessageRequest& request) override
    {
        Asked.push_back(request);
        if (Answers.empty()) return 0;
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// Settings read on their own: no language is loaded and no monitor is there
// to detect.
class NoSettingsHooks : public ISettingsReadHooks {
public:
    bool LanguageLoaded(std::string_view) override { return false; }
    void SelectLanguage(RulerState&) override {}
    void DetectMonitors(RulerState&) override {}
    void ShowMonitorMenuItems(RulerState&) override {}
};
