// The fixed-size picture that printing and bitmap export share.

#include <memory>

#include "ternary/ternagram.h"

namespace liquidus {

namespace {
/// Lays the picture out in the fixed export metrics and puts the screen
/// layout back afterwards, on every path, so the mouse keeps reading the
/// picture that is on screen.
class TLayoutSwap {
public:
    TLayoutSwap(TTriangleLayout& layout, const TTriangleLayout& temporary)
        : m_layout(layout), m_saved(layout) {
        m_layout = temporary;
    }
    ~TLayoutSwap() { m_layout = m_saved; }
    TLayoutSwap(const TLayoutSwap&) = delete;
    TLayoutSwap& operator=(const TLayoutSwap&) = delete;

private:
    TTriangleLayout& m_layout;
    TTriangleLayout m_saved;
};
}  // namespace

std::unique_ptr<TBitmap> TTernagram::RenderPicture() {
    TLayoutSwap swap(m_layout, CalcExportLayout(Legend() || CoPhasesTable()));
    auto bitmap = std::make_unique<TBitmap>(SideLength() + kPictureMargins + LegendWidth(),
                                            TriangleHeight() + kPictureMargins);
    bitmap->SetSystemColorResolver(Screen().SystemColorResolver());
    ComposeOnWhite(*bitmap);
    return bitmap;
}

void TTernagram::ComposeOnWhite(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Width = 2;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Mode = TPenMode::pmCopy;
    const int l = TriangleLeft();
    const int s = SideLength();
    const int yb = TriangleTop() + TriangleHeight();
    const TPoint apex{l + s / 2, TriangleTop()};
    canvas.Polyline({apex, {l, yb}, {l + s, yb}, apex});
    DrawLayers(bitmap, clWhite);
    const bool marked = MarkMode() && m_markedPoint.Visible;
    if (ValuesTable() && marked) {
        DrawValuesTable(bitmap);
    }
    if (CoPhasesTable() && marked) {
        DrawCoPhasesTable(bitmap);
    }
}

void TTernagram::DrawFigure(TBitmap& bitmap) {
    TLayoutSwap swap(m_layout, CalcScreenLayout(bitmap.Width(), bitmap.Height(),
                                                ReservesLegendBand(), PixelScale()));
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    if (!IsTooSmall()) ComposeOnWhite(bitmap);
}

void TTernagram::SaveToBitmap(const std::string& fileName, bool monochrome) {
    const std::unique_ptr<TBitmap> bitmap = RenderPicture();
    bitmap->Monochrome = monochrome;
    bitmap->SaveToFile(fileName);
    Invalidate();
}

}  // namespace liquidus
