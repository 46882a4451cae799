#pragma once
// What the ternary and the binary diagram have in common: the published
// switches both carry, the mouse's read-out and mark, the events, the frame
// in which a picture is composed off screen and shown in one copy, and the
// canvas set-ups of the tables and the mouse overlays. Each component adds
// only what its own geometry needs.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "canvas/control.h"
#include "canvas/drawing.h"
#include "model/plotcore.h"
#include "model/units.h"

namespace liquidus {

/// The base of both diagram components: common switches, the mouse's
/// read-out (CursorPoint()) and mark (MarkedPoint()), and the events.
class TDiagram : public TCustomControl, public TPlotOwner {
public:
    TDiagram(int width, int height, TControlHost* host = nullptr);
    ~TDiagram() override;

    void Invalidate() override { TCustomControl::Invalidate(); }

    // Published properties.
    bool Border() const { return m_border; }
    void SetBorder(bool value) { Assign(m_border, value); }
    TColor PaperColor() const { return m_paperColor; }
    void SetPaperColor(TColor value) { Assign(m_paperColor, value); }
    bool DrawSplines() const { return m_drawSplines; }
    void SetDrawSplines(bool value) { Assign(m_drawSplines, value); }
    bool DrawAreas() const { return m_drawAreas; }
    void SetDrawAreas(bool value) { Assign(m_drawAreas, value); }
    int Areas() const { return m_areas; }
    /// Values above 16 are stored as 16, below 0 as 0.
    void SetAreas(int value);
    bool AllowZoom() const { return m_allowZoom; }
    /// Refused with a message while zoomed.
    void SetAllowZoom(bool value);
    bool CoPhasesTable() const { return m_coPhasesTable; }
    void SetCoPhasesTable(bool value) { Assign(m_coPhasesTable, value); }
    TCUnits CUnits() const { return m_cUnits; }
    bool Legend() const { return m_legend; }
    void SetLegend(bool value) { Assign(m_legend, value); }
    bool MarkMode() const { return m_markMode; }
    /// Switching off also hides a marked point.
    void SetMarkMode(bool value);
    bool MouseGrid() const { return m_mouseGrid; }
    /// Takes effect at the next mouse move.
    void SetMouseGrid(bool value) { m_mouseGrid = value; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value);
    bool ValuesTable() const { return m_valuesTable; }
    void SetValuesTable(bool value) { Assign(m_valuesTable, value); }
    TSubstance& SubstanceA() { return m_substanceA; }
    TSubstance& SubstanceB() { return m_substanceB; }
    const TSubstance& SubstanceA() const { return m_substanceA; }
    const TSubstance& SubstanceB() const { return m_substanceB; }

    /// The diagram's data, units, order, temperature method, title or mark
    /// changed: whatever is computed from them is out of date.
    TNotifyEvent OnChange;
    TNotifyEvent OnMarkPoint;
    TNotifyEvent OnZoomIn;
    TNotifyEvent OnZoomOut;

    // Public data.
    const std::string& UnitsCaption() const { return m_unitsCaption; }
    TFullDataPoint& MarkedPoint() { return m_markedPoint; }
    const TFullDataPoint& MarkedPoint() const { return m_markedPoint; }
    TFullDataPoint& CursorPoint() { return m_cursorPoint; }
    const TFullDataPoint& CursorPoint() const { return m_cursorPoint; }
    int CursorArea() const { return m_cursorArea; }
    bool CursorOnArea() const { return m_cursorOnArea; }
    /// For hosts that wrote records, names or molar masses in place: repaints
    /// and announces the change.
    void DataChanged() {
        Invalidate();
        DoChange();
    }

    /// The picture as a figure for documents, `width` by `height` in any
    /// unit: the picture a control kNominalFigureWidth pixels wide of that
    /// shape would show, on white, with its texts `textScale` times their
    /// size, recorded at kFigureScale times that size so that it can be
    /// drawn sharp at any size. The screen is left as it is.
    TDrawing RecordFigure(double width, double height, double textScale = 1.0);
    /// The picture the screen would show at width x height window pixels,
    /// drawn one pixel per pixel; the screen and its layout are left alone.
    virtual std::unique_ptr<TBitmap> RenderPicture(int width, int height) = 0;

    /// Texts, lines and margins grow by `ratio` (at least 1), so that the
    /// picture on physical pixels looks as it would on logical ones.
    void SetDevicePixelRatio(double ratio) override;

    /// Pixels of the picture being drawn per nominal pixel: the screen's
    /// pixel ratio (1 on most screens), or a figure's scale.
    double PixelScale() const { return m_pixelScale; }

    /// The screen holds a finished picture (the mouse reads it only then).
    bool Painted() const { return m_painted; }
    /// Display total of a composition: 100 (percent units) or 1 (fractions).
    double UnitsTotal() const { return m_unitsTotal; }

protected:
    /// The usual setter: a new value is stored and repainted, the same
    /// value changes nothing.
    template <class T>
    bool Assign(T& field, const T& value) {
        if (field == value) return false;
        field = value;
        Invalidate();
        return true;
    }
    /// Raises `event` if a handler is attached.
    void Raise(const TNotifyEvent& event) {
        if (event) event(*this);
    }
    void DoChange() { Raise(OnChange); }
    void DoMarkPoint() { Raise(OnMarkPoint); }
    void DoZoomIn() { Raise(OnZoomIn); }
    void DoZoomOut() { Raise(OnZoomOut); }

    /// Draws the whole figure on `bitmap`, which has the figure's size, laid
    /// out for that size; the control's own layout comes back afterwards.
    virtual void DrawFigure(TBitmap& bitmap) = 0;
    /// Runs `draw` with these pixel and text scales, the control's own back
    /// afterwards (pictures of a size of their own are drawn at scale 1).
    void AtScale(double pixelScale, double textScale, const std::function<void()>& draw);
    /// `n` nominal pixels in pixels of the picture being drawn.
    int Px(int n) const;
    /// `length` pixels of the picture being drawn in nominal pixels, for
    /// the rules that size texts from a length.
    int NominalLength(int length) const;
    /// A font size found for the nominal picture, in the picture being drawn.
    int FigurePoints(int points) const;

    /// The client area of a width x height picture less the border frame.
    TRect ClientRect(int width, int height) const;
    /// Composes a picture off screen with `draw` (given a black bitmap of
    /// the control's size with a new canvas's state) and then shows it, so
    /// no partly drawn diagram is ever on screen.
    void ShowPicture(const std::function<void(TBitmap& picture)>& draw);

    TCUnits m_cUnits = TCUnits::cuMolPercents;
    double m_unitsTotal = 100.0;
    std::string m_unitsCaption;
    TSubstance m_substanceA;
    TSubstance m_substanceB;
    // What the mouse last saw and marked.
    bool m_painted = false;
    bool m_cursorOnArea = false;
    int m_cursorArea = -1;
    TFullDataPoint m_cursorPoint;
    TFullDataPoint m_markedPoint;

private:
    /// The picture being composed; it trades pixels with the screen when
    /// done, so two buffers of the control's size serve every paint.
    TBitmap m_picture;
    bool m_composing = false;
    double m_pixelScale = 1.0;
    double m_textScale = 1.0;
    bool m_border = true;
    TColor m_paperColor = clBtnFace;
    bool m_drawSplines = false;
    bool m_drawAreas = false;
    int m_areas = 0;
    bool m_allowZoom = true;
    bool m_coPhasesTable = true;
    bool m_legend = true;
    bool m_markMode = false;
    bool m_mouseGrid = false;
    std::string m_title;
    bool m_valuesTable = true;
};

/// The width of the picture a figure shows, whatever its size: the texts
/// and lines keep to that picture's proportions. A figure wider than the
/// nominal shape shows a picture of the nominal height instead.
inline constexpr int kNominalFigureWidth = 600;
inline constexpr int kNominalFigureHeight = 386;
/// A figure is drawn at this many pixels per nominal pixel, so that what
/// is found on its pixels (the fields' outlines) is a tenth of a line
/// width from the lines.
inline constexpr int kFigureScale = 10;
/// The most pixels a figure is drawn on (a shape far from the nominal one
/// is drawn less finely).
inline constexpr double kMostFigurePixels = 40e6;

/// What the read-out says on a line between two fields.
inline constexpr char kDivisionPointText[] = "Division Point";

/// Point size of a text that grows with the diagram: the root of a third of
/// `length` (the triangle's side or the plot's width) less `less`, from 1
/// to `most`.
int ScaledFontSize(int length, int less, int most);

/// Font of the diagram's texts: Arial of `size` points in black, not bold.
void SetTextFont(TCanvas& canvas, int size, bool italic);
/// Font and pen of the tables and the legend: Arial of `fontSize` points in
/// black, upright; a black 1-pixel copy pen; a white brush.
void SetTableState(TCanvas& canvas, int fontSize);
/// A white box with a black shadow, the box moved right to `shadowLeft`:
/// its strip right of the box runs from `shadowTop` to `rightBottom`, its
/// strip below from the box's bottom to `shadowBottom`. Leaves a white brush.
void DrawShadowedBox(TCanvas& canvas, const TRect& box, int shadowLeft, int shadowTop,
                     int rightBottom, int shadowBottom);
/// The pen of the mouse overlays: drawn twice, they leave the picture as it was.
void SetOverlayPen(TCanvas& canvas);

/// One point of a boundary curve as it is drawn.
struct TCurvePoint {
    TRealPoint At;
    /// A point sampled between two knots (false: a knot itself).
    bool Sample = false;
};

/// The points a boundary curve through `knots` is drawn along: the first
/// knot, then per interval `samplesPerInterval` points of the natural
/// spline at evenly spaced x followed by the interval's end knot. Where the
/// spline refuses the knots (more than it takes, too close or not
/// monotonic in x) the curve is the knots alone, as the fit left them
/// (possibly reversed), and `curved` is false.
std::vector<TCurvePoint> SampleCurve(const std::vector<TRealPoint>& knots, int samplesPerInterval,
                                     bool& curved);

}  // namespace liquidus
