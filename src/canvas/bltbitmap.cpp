#include "canvas/bltbitmap.h"

namespace liquidus {

void TBltBitmap::MakeLike(const TBitmap& source) {
    SetSystemColorResolver(source.SystemColorResolver());
    SetSize(source.Width(), source.Height());
    Canvas().Brush.Color = clWindowFrame;
    Canvas().Brush.Style = TBrushStyle::bsSolid;
    Fill(clWindowFrame);
}

void ClearBitmap(TBitmap& bitmap) { bitmap.Fill(clBlack); }

}  // namespace liquidus
