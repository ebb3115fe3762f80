#pragma once
// Decodes language flag pictures (BMP files) with Qt.

#include "lang/FlagLoader.h"

class QtFlagLoader : public IFlagLoader {
public:
    // The largest width and height a flag may have; a larger picture is not
    // loaded.
    static constexpr int kMaxFlagSide = 256;

    std::optional<TBitmap32> LoadFlag(const std::filesystem::path& file) override;
};
