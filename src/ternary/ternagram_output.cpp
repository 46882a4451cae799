// The fixed-size picture that printing and bitmap export share.

#include <algorithm>
#include <memory>

#include "ternary/ternagram.h"

namespace liquidus {

namespace {
/// Lays the picture out in other metrics and puts the screen layout and its
/// zoom frame back afterwards, on every path, so the mouse keeps reading
/// the picture that is on screen.
class TLayoutSwap {
public:
    TLayoutSwap(TTriangleLayout& layout, TZoomFrame& frame, const TTriangleLayout& temporary)
        : m_layout(layout), m_frame(frame), m_savedLayout(layout), m_savedFrame(frame) {
        m_layout = temporary;
    }
    ~TLayoutSwap() {
        m_layout = m_savedLayout;
        m_frame = m_savedFrame;
    }
    TLayoutSwap(const TLayoutSwap&) = delete;
    TLayoutSwap& operator=(const TLayoutSwap&) = delete;

private:
    TTriangleLayout& m_layout;
    TZoomFrame& m_frame;
    TTriangleLayout m_savedLayout;
    TZoomFrame m_savedFrame;
};
}  // namespace

std::unique_ptr<TBitmap> TTernagram::RenderPicture() {
    TLayoutSwap swap(m_layout, m_zoomFrame, CalcExportLayout(Legend() || CoPhasesTable()));
    auto bitmap = std::make_unique<TBitmap>(SideLength() + kPictureMargins + LegendWidth(),
                                            TriangleHeight() + kPictureMargins);
    bitmap->SetSystemColorResolver(Screen().SystemColorResolver());
    // The fixed picture has pixels of its own, whatever the screen's density.
    AtScale(1.0, 1.0, [&] { ComposeOnWhite(*bitmap); });
    return bitmap;
}

std::unique_ptr<TBitmap> TTernagram::RenderPicture(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>(std::max(width, 0), std::max(height, 0));
    bitmap->SetSystemColorResolver(Screen().SystemColorResolver());
    bitmap->Fill(clBlack);  // the border's frame, as on screen
    AtScale(1.0, 1.0, [&] {
        TLayoutSwap swap(m_layout, m_zoomFrame,
                         CalcScreenLayout(bitmap->Width(), bitmap->Height(), ReservesLegendBand()));
        DrawBackground(*bitmap, ClientRect(bitmap->Width(), bitmap->Height()));
        if (!IsTooSmall()) {
            DrawLayers(*bitmap, PaperColor());
            if (MarkMode() && m_markedPoint.Visible) {
                if (ValuesTable()) DrawValuesTable(*bitmap);
                if (CoPhasesTable()) DrawCoPhasesTable(*bitmap);
            }
        }
    });
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
    TLayoutSwap swap(m_layout, m_zoomFrame,
                     CalcScreenLayout(bitmap.Width(), bitmap.Height(), ReservesLegendBand(),
                                      PixelScale()));
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
