#pragma once
// Where the companion magnifier program is installed.

#include <filesystem>
#include <string>

// The Path key of [Lentix] in the machine-wide file; empty when the file or
// the key is missing.
std::string ReadCompanionMagnifierPath(const std::filesystem::path& config);
