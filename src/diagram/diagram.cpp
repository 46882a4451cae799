#include "diagram/diagram.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "canvas/bltbitmap.h"
#include "canvas/rounding.h"
#include "isotherms/spl.h"
#include "model/areadata.h"

namespace liquidus {

TDiagram::TDiagram(int width, int height, TControlHost* host)
    : TCustomControl(width, height, host) {}

TDiagram::~TDiagram() {
    // A handler must not hear from a diagram half torn down.
    OnChange = nullptr;
    OnMarkPoint = nullptr;
    OnZoomIn = nullptr;
    OnZoomOut = nullptr;
}

void TDiagram::SetAreas(int value) {
    if (value == m_areas) return;
    m_areas = std::clamp(value, 0, kAreaCount);
    Invalidate();
    DoChange();
}

void TDiagram::SetAllowZoom(bool value) {
    if (PlotZoomed()) {
        Host().ShowMessage("That property can not be changed while zooming.");
        return;
    }
    m_allowZoom = value;
}

void TDiagram::SetMarkMode(bool value) {
    if (value == m_markMode) return;
    m_markMode = value;
    if (!value) m_markedPoint.Visible = false;
    Invalidate();
    DoChange();
}

void TDiagram::SetTitle(const std::string& value) {
    if (Assign(m_title, value)) DoChange();
}

int TDiagram::Px(int n) const {
    return m_pixelScale == 1.0 ? n : Round(n * m_pixelScale);
}

int TDiagram::NominalLength(int length) const {
    return m_pixelScale == 1.0 ? length : Round(length / m_pixelScale);
}

int TDiagram::FigurePoints(int points) const {
    const double scale = m_pixelScale * m_textScale;
    return scale == 1.0 ? points : std::max(Round(points * scale), 1);
}

TDrawing TDiagram::RecordFigure(double width, double height, double textScale) {
    if (!(width > 0) || !(height > 0) || !(textScale > 0)) {
        throw std::invalid_argument("a figure needs a positive size and text scale");
    }
    // A wide figure is the picture of a window as high as the nominal one,
    // so that a strip still has room for the diagram between its margins.
    const double nominalWidth =
        std::max(double{kNominalFigureWidth}, kNominalFigureHeight * width / height);
    const double nominalHeight = nominalWidth * height / width;
    // Shapes far from the nominal one are drawn less finely rather than on
    // an ever larger bitmap.
    const double scale = std::min<double>(
        kFigureScale, std::sqrt(kMostFigurePixels / (nominalWidth * nominalHeight)));
    const int w = std::max(Round(nominalWidth * scale), 1);
    const int h = std::max(Round(nominalHeight * scale), 1);
    TDrawing drawing;
    drawing.Width = w;
    drawing.Height = h;
    drawing.LineScale = scale;
    TBitmap bitmap(w, h);
    bitmap.SetSystemColorResolver(Screen().SystemColorResolver());
    bitmap.Canvas().Recording = &drawing;
    AtScale(scale, textScale, [&] { DrawFigure(bitmap); });
    return drawing;
}

void TDiagram::AtScale(double pixelScale, double textScale, const std::function<void()>& draw) {
    const QScopedValueRollback pixels(m_pixelScale, pixelScale);
    const QScopedValueRollback texts(m_textScale, textScale);
    draw();
}

void TDiagram::SetDevicePixelRatio(double ratio) {
    Assign(m_pixelScale, std::max(ratio, 1.0));
}

TRect TDiagram::ClientRect(int width, int height) const {
    // With a border the 1-pixel frame keeps the black of the cleared bitmap.
    if (m_border) return {1, 1, width - 1, height - 1};
    return {0, 0, width, height};
}

void TDiagram::ShowPicture(const std::function<void(TBitmap& picture)>& draw) {
    // A paint asked for while a long one yields (the isotherm scan) gets a
    // buffer of its own; the one in progress keeps drawing into the other.
    TBitmap nested;
    TBitmap& picture = m_composing ? nested : m_picture;
    const bool outer = !m_composing;
    m_composing = true;
    // Whatever the last paint left in the buffer is painted over: only its
    // size is kept, so a repaint touches no new memory.
    picture.SetSystemColorResolver(Screen().SystemColorResolver());
    if (picture.Width() != Width() || picture.Height() != Height()) {
        picture.SetSize(Width(), Height());
    }
    picture.Fill(clBlack);
    picture.Canvas().ResetState();
    try {
        draw(picture);
    } catch (...) {
        if (outer) m_composing = false;
        throw;
    }
    if (outer) m_composing = false;
    // The size may have changed while the picture was drawn.
    if (picture.Width() == Width() && picture.Height() == Height()) {
        Screen().SwapPixels(picture);
    } else {
        Canvas().CopyMode = TCopyMode::cmSrcCopy;
        Canvas().Draw(0, 0, picture);
    }
    Canvas().CopyMode = TCopyMode::cmSrcCopy;
}

int ScaledFontSize(int length, int less, int most) {
    // A control smaller than its margins has a negative length: no root of it.
    const int t = length > 0 ? Trunc(std::sqrt(length / 3.0)) : 0;
    return std::clamp(t - less, 1, most);
}

void SetTextFont(TCanvas& canvas, int size, bool italic) {
    canvas.Font.Name = "Arial";
    canvas.Font.Size = size;
    canvas.Font.Color = clBlack;
    canvas.Font.Bold = false;
    canvas.Font.Italic = italic;
}

void SetTableState(TCanvas& canvas, int fontSize) {
    SetTextFont(canvas, fontSize, false);
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Brush.Color = clWhite;
}

void DrawShadowedBox(TCanvas& canvas, const TRect& box, int shadowLeft, int shadowTop,
                     int rightBottom, int shadowBottom) {
    const int shadowRight = shadowLeft + (box.Right - box.Left);
    canvas.Brush.Color = clWhite;
    canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
    canvas.Brush.Color = clBlack;
    canvas.Rectangle(box.Right, shadowTop, shadowRight, rightBottom);
    canvas.Rectangle(shadowLeft, box.Bottom, shadowRight, shadowBottom);
    canvas.Brush.Color = clWhite;
}

void SetOverlayPen(TCanvas& canvas) {
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 2;
    canvas.Pen.Mode = TPenMode::pmNotXor;
}

std::vector<TCurvePoint> SampleCurve(const std::vector<TRealPoint>& knots, int samplesPerInterval,
                                     bool& curved) {
    const int n = static_cast<int>(knots.size());
    std::vector<TCurvePoint> points;
    curved = false;
    if (n > kSplMaxKnots) {
        // More knots than the curve fit takes: keep the line, drop the curve.
        for (const TRealPoint& knot : knots) points.push_back({knot, false});
        return points;
    }
    TSplArray x{};
    TSplArray y{};
    for (int k = 1; k <= n; ++k) {
        x[k] = knots[k - 1].X;
        y[k] = knots[k - 1].Y;
    }
    const int m = samplesPerInterval * (n - 1);
    std::vector<double> xs(static_cast<std::size_t>(std::max(m, 0)) + 1, 0.0);
    std::vector<double> ys(xs.size(), 0.0);
    for (int k = 2; k <= n; ++k) {
        for (int j = 1; j <= samplesPerInterval; ++j) {
            xs[samplesPerInterval * (k - 2) + j] =
                x[k - 1] + (x[k] - x[k - 1]) * j / (samplesPerInterval + 1);
        }
    }
    std::uint8_t error = kSplOk;
    Spline(n, x, y, m, xs, ys, error);
    if (error != kSplOk) {
        // The knots as the curve fit left them (possibly reversed).
        for (int k = 1; k <= n; ++k) points.push_back({{x[k], y[k]}, false});
        return points;
    }
    curved = true;
    points.push_back({{x[1], y[1]}, false});
    for (int k = 2; k <= n; ++k) {
        for (int j = 1; j <= samplesPerInterval; ++j) {
            const int t = samplesPerInterval * (k - 2) + j;
            points.push_back({{xs[t], ys[t]}, true});
        }
        points.push_back({{x[k], y[k]}, false});
    }
    return points;
}

}  // namespace liquidus
