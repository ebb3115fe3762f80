#include "settings/DataLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct LookupCase {
    const char* executableFolder;
    std::set<std::string> existing;  // the folders that exist
    const char* expected;
};

TEST(DataLocation, BesideTheBinaryFirstThenTheInstallationsShareFolder)
{
    const LookupCase cases[] = {
        // A build folder: the copy beside the binary.
        {"/w/build/bin", {"/w/build/bin/help"}, "/w/build/bin/help"},
        // Both: the one beside the binary wins, so a build folder's fresh
        // copy is used even inside an installed prefix.
        {"/usr/bin", {"/usr/bin/help", "/usr/share/scalio/help"}, "/usr/bin/help"},
        // Installed.
        {"/usr/bin", {"/usr/share/scalio/help"}, "/usr/share/scalio/help"},
        {"/home/u/.local/bin", {"/home/u/.local/share/scalio/help"}, "/home/u/.local/share/scalio/help"},
        {"/opt/s/bin/", {"/opt/s/share/scalio/help"}, "/opt/s/share/scalio/help"},
        {"/", {"/share/scalio/help"}, "/share/scalio/help"},
        // Another program's data, or the other folder, is not ours.
        {"/usr/bin", {"/usr/share/help", "/usr/share/scalio/Languages"}, "/usr/bin/help"},
        // Neither: beside the binary, where the program then finds nothing.
        {"/usr/bin", {}, "/usr/bin/help"},
    };
    for (const LookupCase& c : cases) {
        const auto exists = [&](const fs::path& p) { return c.existing.contains(p.string()); };
        EXPECT_EQ(FindDataFolder(c.executableFolder, "help", exists), fs::path(c.expected))
            << c.executableFolder << " with " << c.existing.size() << " folders";
    }
}

// An installed tree on disk: both folders found in share/scalio; a file named
// like the folder is no folder; a copy beside the binary takes over.
TEST(DataLocation, FindsTheFoldersOfARealPrefix)
{
    TempDir prefix;
    const fs::path bin = prefix.Path() / "bin";
    const fs::path data = prefix.Path() / "share" / "scalio";
    fs::create_directories(bin);
    fs::create_directories(data / "Languages");
    fs::create_directories(data / "help");

    EXPECT_EQ(FindDataFolder(bin, "Languages"), data / "Languages");
    EXPECT_EQ(FindDataFolder(bin, "help"), data / "help");

    prefix.Write("bin/help", "not a folder");
    EXPECT_EQ(FindDataFolder(bin, "help"), data / "help");

    fs::create_directories(bin / "Languages");
    EXPECT_EQ(FindDataFolder(bin, "Languages"), bin / "Languages");

    fs::remove_all(data);
    EXPECT_EQ(FindDataFolder(bin, "help"), bin / "help");
}

}  // namespace
