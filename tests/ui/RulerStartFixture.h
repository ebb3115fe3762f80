#pragma once
// A ruler started as the program starts it, with a temporary folder as the
// user's configuration home and fakes for the desktop, the shell and the
// questions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "dialogs/Messages.h"
#include "lang/Languages.h"
#include "ruler/RulerWindow.h"
#include "support/Fakes.h"
#include "support/FixedTextRasterizer.h"
#include "support/TempDir.h"

class RulerStartFixture : public ::testing::Test {
protected:
    explicit RulerStartFixture(const std::filesystem::path& languagesFolder)
    {
        InstallMessageDialog(&messages);
        setup.ExecutablePath = home.Path() / "bin" / "scalio";
        setup.LanguagesFolder = languagesFolder.empty() ? home.Path() / "Languages" : languagesFolder;
        const std::string config = (home.Path() / "config").string();
        setup.Environment = [config](const char* name) -> std::optional<std::string> {
            if (std::string(name) == "XDG_CONFIG_HOME") return config;
            return std::nullopt;
        };
    }
    ~RulerStartFixture() override
    {
        InstallMessageDialog(nullptr);
        Languages().SetCurrentLanguage("EN");
    }
    std::filesystem::path Folder() const { return home.Path() / "config/Vendra/Scalio"; }
    std::filesystem::path File() const { return Folder() / "Settings.ini"; }
    void WriteSettings(const std::string& text) const
    {
        std::filesystem::create_directories(Folder());
        std::ofstream(File(), std::ios::binary) << text;
    }

    TempDir home;
    TRulerSetup setup;
    FixedTextRasterizer fixed;
    FakeDesktop desktop;
    FakeShell shell;
    FakeMessageDialog messages;
    TfrmRuler ruler{desktop, shell, fixed};
};
