#pragma once
// The binary temperature-composition diagram component: substance A on the
// left of the composition axis, substance B on the right, temperature
// upwards; phase boundaries as splines, flood-filled phase fields, axes,
// grid, title, caption, legend and the two tables.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "binary/binageometry.h"
#include "binary/binaplot.h"

namespace liquidus {

/// A field colour found on one edge of the zoom window and where: the
/// composition for the top and bottom edges, the temperature for the left
/// and right ones.
struct TEdgeFill {
    TColor Color = clBlack;
    double Composition = 0.0;
    double Temperature = 0.0;
};

/// Fill seeds on the four edges of the zoom window, at most 12 per edge.
struct TEdgeFillLists {
    static constexpr std::size_t kMaxEntries = 12;
    std::vector<TEdgeFill> Top, Bottom, Left, Right;
};

/// Shares of the two co-existing phases by the lever rule, in shown units.
struct TLeverRatios {
    double Phase1 = 0.0;
    double Phase2 = 0.0;
};
/// The lever rule at composition `a` between phases of compositions
/// `phase1` and `phase2`; both shares are 0 when the phases coincide, as
/// no rule can split a point between two equal compositions.
TLeverRatios BinaryLeverRatios(double a, double phase1, double phase2, double total);

/// Text sizes derive from the plot's width; see FontSize().
enum class TBinaryTextRole { Table, Title, UnitsCaption, AxisNumbers };

/// The binary temperature-composition diagram component: substance A on the
/// left, B on the right, temperature upwards, with phase fields and their
/// boundary curves. Show it with a BinaryDiagramWidget (qt/diagramwidget.h).
class TBinagram : public TBinaplot {
public:
    /// Which substance sits at the right end of the composition axis. (The
    /// ternary diagram's orientation type has six values; this one is its
    /// own type, so both diagrams can live in one program.)
    enum class TDataOrientation { doDirect, doInversed };
    enum class TGridType { gtOverAllScale, gtOutsideScale };

    explicit TBinagram(TControlHost* host = nullptr);
    ~TBinagram() override;

    // Published properties.
    int CAxisStep() const { return m_cAxisStep; }
    /// Stored as 2, 5 or 10: below 3 is 2, 3..9 is 5, from 10 on 10.
    void SetCAxisStep(int value);
    /// Rewrites every stored composition on a mole/mass change; ignored
    /// while zooming.
    void SetCUnits(TCUnits value);
    TDataOrientation DataOrientation() const { return m_dataOrientation; }
    /// Swaps the substances and mirrors every stored composition; ignored
    /// while zooming.
    void SetDataOrientation(TDataOrientation value);
    TGridType GridType() const { return m_gridType; }
    void SetGridType(TGridType value) { Assign(m_gridType, value); }
    double LowCLimit() const { return m_lowCLimit; }
    /// Below 0 becomes 0; a value not below HighCLimit is replaced by
    /// HighCLimit - 10 with a message.
    void SetLowCLimit(double value);
    double HighCLimit() const { return m_highCLimit; }
    /// Above 100 becomes 100; a value not above LowCLimit is replaced by
    /// LowCLimit + 10 with a message.
    void SetHighCLimit(double value);
    int TAxisStep() const { return m_tAxisStep; }
    /// Values below 10 become 10.
    void SetTAxisStep(int value);
    /// Also converts the temperature of a shown marked point.
    void SetTUnits(TTUnits value) override;

    // What a window showing the diagram adds to the plain picture; off by
    // default, so that pictures made without them stay as they were.
    /// A caption over the temperature axis ("T, °C"); none when empty.
    const std::string& TAxisTitle() const { return m_tAxisTitle; }
    void SetTAxisTitle(const std::string& value) { Assign(m_tAxisTitle, value); }
    /// Temperatures (current unit) marked by a short tick across the
    /// temperature axis, such as the invariant points a section passes.
    const std::vector<double>& TemperatureMarks() const { return m_temperatureMarks; }
    void SetTemperatureMarks(const std::vector<double>& values) {
        Assign(m_temperatureMarks, values);
    }
    /// The records (0-based) the legend lists, in order; empty: every record
    /// in use.
    const std::vector<int>& LegendAreas() const { return m_legendAreas; }
    void SetLegendAreas(std::vector<int> records);
    /// A further fill seed in the colour of a record, for a field that shows
    /// in more than one place. Seeds are in the units of FillC and FillT.
    struct TExtraFill {
        int Record = 0;
        float C = 0.0f;
        float T = 0.0f;
    };
    const std::vector<TExtraFill>& ExtraFills() const { return m_extraFills; }
    void SetExtraFills(std::vector<TExtraFill> fills);
    /// The values table grows with its text, and breaks it in two lines
    /// where the picture is too narrow, so that the text stays in its box.
    bool FitValuesTable() const { return m_fitValuesTable; }
    void SetFitValuesTable(bool value) { Assign(m_fitValuesTable, value); }

    const std::string& CursorHint() const { return m_cursorHint; }
    bool AtDivisionPoint() const { return m_atDivisionPoint; }
    double FullLowCLimit() const { return m_fullLowCLimit; }
    double FullHighCLimit() const { return m_fullHighCLimit; }

    // Layout and mappings of the picture on screen (or being exported).
    const TBinaryLayout& Layout() const { return m_layout; }
    int PlotLeft() const { return m_layout.PlotLeft; }
    int PlotTop() const { return m_layout.PlotTop; }
    int PlotWidth() const { return m_layout.PlotWidth; }
    int PlotHeight() const { return m_layout.PlotHeight; }
    int PlotRight() const { return m_layout.PlotRight(); }
    int PlotBottom() const { return m_layout.PlotBottom(); }
    int LegendWidth() const { return m_layout.LegendWidth; }
    /// The plot is too narrow for a diagram ("Enlarge Me..").
    bool IsTooSmall() const { return NominalLength(m_layout.PlotWidth) <= 120; }
    /// The current axis ranges.
    TBinaryLimits Limits() const;
    /// The axis ranges of the unzoomed diagram.
    TBinaryLimits FullLimits() const;
    /// Recomputes the layout from the control's size.
    void CalcLayout();
    /// Composition (percent of B) and temperature to pixels, current limits.
    int CompositionToX(double c) const;
    int TemperatureToY(double t) const;
    /// A pixel column to a composition in shown units (percent, or a
    /// fraction when UnitsTotal is 1).
    double XToComposition(int x) const;
    double YToTemperature(int y) const;
    /// Places the zoom window in pixels of the unzoomed plot.
    void CalcZoomFrame();
    /// The zoom window's place; meaningful while zooming.
    const TBinaryZoomFrame& ZoomFrame() const { return m_zoomFrame; }
    /// The zoom window in data units, as set at zoom-in.
    const TBinaryLimits& ZoomLimits() const { return m_zoomLimits; }
    /// Point size of a text role for the current layout.
    int FontSize(TBinaryTextRole role) const;

    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    /// The picture as the screen would show it at width x height, with the
    /// tables of a shown marked point; for export and printing. The screen
    /// and its layout are left as they are.
    std::unique_ptr<TBitmap> RenderPicture(int width, int height) override;
    /// At the control's own size, in the window's (logical) pixels.
    std::unique_ptr<TBitmap> RenderPicture() {
        return RenderPicture(NominalLength(Width()), NominalLength(Height()));
    }
    void DrawFigure(TBitmap& bitmap) override;

    /// The whole picture on `picture` laid out for its size, background in
    /// `client`; the screen's layout comes back afterwards.
    void ComposePicture(TBitmap& picture, const TRect& client);

    // Drawing routines; each draws on the bitmap it is given with the
    // current layout.
    void DrawBackground(TBitmap& bitmap, const TRect& rect);
    void DrawBoundaries(TBitmap& bitmap);
    void FillAreas(TBitmap& bitmap);
    void DrawGridAndScales(TBitmap& bitmap);
    void DrawTitle(TBitmap& bitmap);
    /// Rebuilds UnitsCaption from CUnits and the name of B, then writes it.
    void DrawUnitsCaption(TBitmap& bitmap);
    void DrawLegend(TBitmap& bitmap);
    void DrawValuesTable(TBitmap& bitmap);
    /// Shows the co-existing phases table, or paints over one shown before.
    void DrawCoPhasesTable(TBitmap& bitmap);

protected:
    /// The current limits become the zoom window in data units.
    void StoreZoomLimits() { m_zoomLimits = Limits(); }
    /// The invertible mouse crosshair through the remembered position.
    void DrawCrosshair();

    // What the mouse sets; the drawing routines read it.
    std::string m_cursorHint;
    bool m_atDivisionPoint = false;
    bool m_dragging = false;
    bool m_tagShown = false;
    bool m_coPhasesShown = false;
    bool m_crosshairShown = false;
    TPoint m_zoomAnchor;
    TPoint m_drag;
    TPoint m_crosshair;
    std::array<TPoint, 2> m_rubberBand{};
    TEdgeFillLists m_edgeFills;

private:
    /// The colour under the picture: the window's, or white on a figure's page.
    TColor Paper() const { return m_onPage ? clWhite : PaperColor(); }
    /// The band right of the plot is kept when anything is shown in it.
    bool ReservesLegendBand() const;
    /// Everything above the background, in paint order.
    void DrawLayers(TBitmap& bitmap);
    /// Walks one boundary curve through Spline (or straight on its refusal).
    void DrawCurve(TCanvas& canvas, const std::vector<TRealPoint>& knots);
    struct TPenTrack;
    void DrawSegmentTo(TCanvas& canvas, TPenTrack& pen, TRealPoint to, bool interpolated);
    void DrawMarkCross(TCanvas& canvas);
    void DrawBreakMarks(TCanvas& canvas);
    std::string AxisLabel(double value) const;
    int WidestAreaName(const TCanvas& canvas) const;
    void ConvertCompositions(bool toMass, double massA, double massB);
    // The mouse.
    bool InsidePlot(int x, int y) const;
    void IdentifyField(int x, int y, TColor& color);
    void ScanCoPhases(int x, int y, TColor color);
    /// The name of the field shown in `color`; `fallback` when none is.
    std::string FieldNameOf(TColor color, const std::string& fallback) const;
    bool IsFieldColor(TColor color) const;
    void ShowNameTag(int x, int y);
    void DrawRubberBand();
    void EraseRubberBand();
    void EraseCrosshair();
    void ZoomInFromDrag();
    void ZoomOutToFull();
    void SampleEdges();
    void MarkCursorPoint();
    bool m_rubberBandShown = false;

    TBinaryLayout m_layout;
    TBinaryZoomFrame m_zoomFrame;
    TBinaryLimits m_zoomLimits;
    int m_cAxisStep = 2;
    TDataOrientation m_dataOrientation = TDataOrientation::doDirect;
    double m_lowCLimit = 0.0;
    double m_fullLowCLimit = 0.0;
    TGridType m_gridType = TGridType::gtOutsideScale;
    double m_highCLimit = 100.0;
    double m_fullHighCLimit = 100.0;
    int m_tAxisStep = 100;
    std::string m_tAxisTitle;
    std::vector<double> m_temperatureMarks;
    std::vector<int> m_legendAreas;
    std::vector<TExtraFill> m_extraFills;
    bool m_fitValuesTable = false;
    /// A figure is being drawn.
    bool m_onPage = false;
    /// The rows the legend shows.
    int LegendRows() const;
    void DrawTAxisTitle(TBitmap& bitmap);
    void DrawTemperatureMarks(TBitmap& bitmap);
    void DrawFittedValuesTable(TCanvas& canvas, int pictureWidth, const std::string& composition,
                               const std::string& temperature);
};

/// The composition-axis caption for a unit and the name of substance B.
std::string BinaryUnitsCaption(TCUnits units, const std::string& nameB);

}  // namespace liquidus
