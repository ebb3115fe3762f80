// A language's flag of any bytes, loaded the way the program loads it: the
// file decoded as BMP by the platform loader and turned into a surface, then
// back into the images the menu shows. No QGuiApplication: decoding a BMP
// and converting images need none.
//
// The input is the .bmp file.

#include <QImage>
#include <QImageReader>
#include <QLoggingCategory>
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/PlatformBitmap.h"
#include "platform/QtFlagLoader.h"

namespace {

// Comparing costs a second decoding and a few copies of the picture; past
// this size the flag is only loaded.
constexpr qsizetype kComparedPixels = qsizetype{1} << 20;

bool SamePixels(const TBitmap32& a, const TBitmap32& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.ScanLine(y), a.ScanLine(y) + a.Width(), b.ScanLine(y))) return false;
    return true;
}

}  // namespace

// A header may claim a picture of any size, and Qt decodes one of up to 128 MB
// however little data follows; each such input takes a good part of a second
// under the sanitizers, and the fuzzer keeps finding them. Decoding stops at
// 4 MB here (a million pixels, the most that are compared), and Qt's warning
// for each picture it refuses is not wanted in the log.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QImageReader::setAllocationLimit(4);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchDir folder;
    const std::filesystem::path file = folder.Path() / "FZ.bmp";
    WriteScratchFile(file, AsBytes(data, size));

    // The program's path.
    QtFlagLoader loader;
    const std::optional<TBitmap32> flag = loader.LoadFlag(file);

    if (flag && qsizetype{flag->Width()} * flag->Height() > kComparedPixels) return 0;

    // The same decoding, held here, so that the conversion can be compared
    // with Qt's own. (A second decoding of a cut-off file need not give the
    // same pixels: Qt leaves the rows it found no data for as they were
    // allocated.)
    QImage decoded;
    const bool loads = decoded.load(QString::fromStdString(file.string()), "BMP") && !decoded.isNull();
    // A picture larger than any flag is refused even when Qt reads it.
    const bool flagSized =
        decoded.width() <= QtFlagLoader::kMaxFlagSide && decoded.height() <= QtFlagLoader::kMaxFlagSide;
    FUZZ_CHECK(flag.has_value() == (loads && flagSized), "the flag loader and Qt disagree whether the file is a flag");
    if (!flag) return 0;
    FUZZ_CHECK(!flag->Empty() && flag->Width() == decoded.width() && flag->Height() == decoded.height(),
               "a %d x %d picture became a %d x %d flag", decoded.width(), decoded.height(), flag->Width(),
               flag->Height());

    const TBitmap32 surface = FromPlatformBitmap(decoded);
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        FUZZ_CHECK(std::equal(line, line + argb.width(), surface.ScanLine(y)), "row %d of the surface differs", y);
    }

    // The menu's images of the flag: the layered one keeps every pixel, the
    // opaque one every colour.
    FUZZ_CHECK(SamePixels(FromPlatformBitmap(ToPlatformImage(surface)), surface), "the layered image changed the flag");
    const TBitmap32 opaque = FromPlatformBitmap(ToPlatformBitmap(surface));
    FUZZ_CHECK(opaque.Width() == surface.Width() && opaque.Height() == surface.Height(),
               "the opaque image has another size");
    for (int y = 0; y < opaque.Height(); ++y)
        for (int x = 0; x < opaque.Width(); ++x)
            FUZZ_CHECK(opaque.Pixel(x, y) == (surface.Pixel(x, y) | 0xFF000000u), "pixel (%d, %d) of the opaque image",
                       x, y);
    return 0;
}
