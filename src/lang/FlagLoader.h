#pragma once
// Loads a language's flag picture; the platform decodes the file, core only
// holds the pixels.

#include <filesystem>
#include <optional>

#include "draw/Bitmap32.h"

class IFlagLoader {
public:
    virtual ~IFlagLoader() = default;
    // The decoded picture, or nothing when the file is not a readable bitmap.
    virtual std::optional<TBitmap32> LoadFlag(const std::filesystem::path& file) = 0;
};
