#pragma once
// Decodes language flag pictures (BMP files) with Qt.

#include "lang/FlagLoader.h"

class QtFlagLoader : public IFlagLoader {
public:
    std::optional<TBitmap32> LoadFlag(const std::filesystem::path& file) override;
};
