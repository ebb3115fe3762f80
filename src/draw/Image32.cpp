#include "draw/Image32.h"

#include <cmath>

namespace {
int RoundToPixel(float v)
{
    return static_cast<int>(std::lround(v));
}
}  // namespace

bool TBitmapLayer::HitTest(int x, int y) const
{
    return Visible && !Bitmap.Empty() && x >= RoundToPixel(Location.Left) && x < RoundToPixel(Location.Right) &&
           y >= RoundToPixel(Location.Top) && y < RoundToPixel(Location.Bottom);
}

TBitmapLayer& TImage32::AddLayer()
{
    m_layers.push_back(std::make_unique<TBitmapLayer>());
    return *m_layers.back();
}

void TImage32::CompositeInto(TBitmap32& out) const
{
    if (out.Width() != Bitmap.Width() || out.Height() != Bitmap.Height()) out.SetSize(Bitmap.Width(), Bitmap.Height());
    if (!Bitmap.Empty())
        std::copy(Bitmap.Bits(), Bitmap.Bits() + static_cast<std::ptrdiff_t>(Bitmap.Width()) * Bitmap.Height(),
                  out.Bits());
    for (const auto& layer : m_layers) {
        if (!layer->Visible) continue;
        layer->Bitmap.DrawTo(out, RoundToPixel(layer->Location.Left), RoundToPixel(layer->Location.Top));
    }
}

TBitmap32 TImage32::Composite() const
{
    TBitmap32 out;
    CompositeInto(out);
    return out;
}
