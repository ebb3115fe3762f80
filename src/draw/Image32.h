#pragma once
// An image control's content: a surface shown at scale 1 with bitmap layers
// stacked over it in order of creation.

#include <memory>
#include <vector>

#include "draw/Bitmap32.h"

enum class TCursor { crDefault, crHandPoint };

struct TFloatRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
};

class TBitmapLayer {
public:
    TBitmap32 Bitmap;
    TFloatRect Location;
    bool Visible = true;
    TCursor Cursor = TCursor::crDefault;

    // Whether the control's point (x, y) falls on this layer while it shows.
    bool HitTest(int x, int y) const;
};

class TImage32 {
public:
    TBitmap32 Bitmap;

    // Appends a new layer on top.
    TBitmapLayer& AddLayer();
    std::size_t LayerCount() const { return m_layers.size(); }
    TBitmapLayer& Layer(std::size_t i) { return *m_layers[i]; }
    const TBitmapLayer& Layer(std::size_t i) const { return *m_layers[i]; }

    // What the control shows: the surface with every visible layer composited
    // over it at its location's top-left corner (rounded to whole pixels).
    TBitmap32 Composite() const;
    void CompositeInto(TBitmap32& out) const;

private:
    std::vector<std::unique_ptr<TBitmapLayer>> m_layers;
};
