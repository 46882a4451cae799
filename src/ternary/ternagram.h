#pragma once
// The ternary diagram component: the composition triangle with its phase
// fields, boundary lines, grid, scales, captions, legend and tables.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "isotherms/isotherm.h"
#include "isotherms/polynoms.h"
#include "model/orientation.h"
#include "model/plotcore.h"
#include "model/units.h"
#include "ternary/ternaplot.h"

namespace liquidus {

class TPrinterTarget;

enum class TTCalcMethod { tcAltitude, tcPolynomial, tcThermodynamic, tcMeanValue };
enum class TGridType { gtInnerParallel, gtOutsideScale, gtAllScales };

/// What the diagram says at one composition.
struct TLiquidusReading {
    bool InTriangle = false;
    int Area = -1;  // 0-based field, -1 for none
    /// On a line between two fields; Area is then the nearer of them.
    bool DivisionPoint = false;
    /// In the current temperature units; none outside a field or for a
    /// method that computes no temperature.
    std::optional<double> Temperature;
};

/// What "go to composition" did with a composition.
enum class TGoToResult { Marked, Read, OutsideTriangle, OutsideZoom, NoField };

/// One fill seed found along an edge of the zoom window.
struct TEdgeSeed {
    TColor Color = 0;
    double A = 0.0;  // percent
    double B = 0.0;
};

/// Fill seeds along one edge of the zoom window.
struct TEdgeSeeds {
    static constexpr int kMaxSeeds = 12;
    int Count = 0;
    std::array<TEdgeSeed, 16> Seeds{};
};

/// The zoom window in unzoomed pixels: its corners, the magnification and
/// its three edges as lines y = slope * x + intercept.
struct TZoomFrame {
    double LeftX = 0, BaseY = 0, ApexX = 0, ApexY = 0, RightX = 0, RightY = 0, Scale = 1;
    double LeftSlope = 0, RightSlope = 0, BaseSlope = 0;
    double LeftIntercept = 0, RightIntercept = 0, BaseIntercept = 0;
};

/// One drawn piece of a line, in pixels.
struct TSegment {
    TPoint From;
    TPoint To;
};

/// A point where fields meet, as a liquidus projection marks it.
struct TInvariantPoint {
    /// Three or more fields meet inside the triangle; otherwise a boundary
    /// line meets a side.
    bool Ternary = false;
    double A = 0.0;  // stored percent
    double B = 0.0;
    /// Celsius: the lowest of the fields' vertex temperatures there.
    double T = 0.0;
    std::vector<int> Fields;  // 0-based, ascending
    /// The fields' vertices there carry different temperatures.
    bool TemperaturesDisagree = false;
};

/// An arrow head on a boundary line at (A, B), pointing towards (ToA, ToB):
/// the way the liquidus temperature falls (stored percent).
struct TBoundaryArrow {
    double A = 0.0;
    double B = 0.0;
    double ToA = 0.0;
    double ToB = 0.0;
};

/// A text the atlas marks placed, with its box, for checking the layout.
struct TAtlasLabel {
    TRect Box;
    std::string Text;
};

/// One contour line of the picture (Contour isotherms): its level in the
/// current temperature unit, on the picture and as stored shares.
struct TContour {
    int Level = 0;
    int Field = -1;
    bool Hot = false;
    bool Closed = false;
    std::vector<TRealPoint> Pixels;
    std::vector<std::pair<double, double>> Shares;  // (A, B), stored percent
};

/// A contour label: centred on its line, turned by Angle (radians, clockwise
/// on screen), and the upright box that holds it.
struct TContourLabel {
    TRealPoint Centre;
    double Angle = 0.0;
    TRect Box;
    std::string Text;
};

/// Text sizes derive from the triangle's side; see FontSize().
enum class TTextRole { Title, UnitsCaption, ScaleLabel, VertexCaption, Table };

/// The ternary diagram component: the composition triangle of three
/// substances with up to 16 primary-phase fields, their boundary lines,
/// liquidus temperatures (LiquidusAt()) and isotherms. Fill it with
/// LoadDiagram() or LoadDiagramFile() (files/diagramfile.h); show it with a
/// TernaryDiagramWidget (qt/diagramwidget.h) or paint it without a window.
class TTernagram : public TTernaplot {
public:
    explicit TTernagram(TControlHost* host = nullptr);
    ~TTernagram() override;

    // Published properties.
    TTCalcMethod TCalcMethod() const { return m_tCalcMethod; }
    void SetTCalcMethod(TTCalcMethod value);
    int CoPhases() const { return m_coPhases; }
    void SetCUnits(TCUnits value);
    TDataOrientation DataOrientation() const { return m_dataOrientation; }
    /// Moves substances and rewrites every stored composition; ignored while
    /// zoomed.
    void SetDataOrientation(TDataOrientation value);
    bool DrawIsotherms() const { return m_drawIsotherms; }
    void SetDrawIsotherms(bool value) { Assign(m_drawIsotherms, value); }
    TIsotherm& Isotherms() { return m_isotherms; }
    const TIsotherm& Isotherms() const { return m_isotherms; }
    int GridSteps() const { return m_gridSteps; }
    /// Clamped to 2..10.
    void SetGridSteps(int value);
    TGridType GridType() const { return m_gridType; }
    void SetGridType(TGridType value) { Assign(m_gridType, value); }
    int HotIsotherm() const { return m_hotIsotherm; }
    void SetHotIsotherm(int value);
    TColor HotIsothermColor() const { return m_hotIsothermColor; }
    void SetHotIsothermColor(TColor value) { Assign(m_hotIsothermColor, value); }
    TSubstance& SubstanceC() { return m_substanceC; }
    const TSubstance& SubstanceC() const { return m_substanceC; }
    TTUnits TUnits() const { return m_tUnits; }
    /// Each field's name inside it.
    bool FieldNames() const { return m_fieldNames; }
    void SetFieldNames(bool value) { Assign(m_fieldNames, value); }
    /// Invariant points with their temperatures.
    bool InvariantPoints() const { return m_invariantPoints; }
    void SetInvariantPoints(bool value) { Assign(m_invariantPoints, value); }
    /// Arrows of falling temperature on the boundary lines.
    bool BoundaryArrows() const { return m_boundaryArrows; }
    void SetBoundaryArrows(bool value) { Assign(m_boundaryArrows, value); }
    void SetTUnits(TTUnits value);
    bool Zoom() const { return m_zoom; }

    TNotifyEvent OnIsothermCalcStep;

    /// The field (0-based) whose colour is `color`, read at (x, y) of
    /// `canvas`; on a line, the colours around it decide, and two different
    /// ones make a division point. -1 for none.
    int AreaAtPixel(const TCanvas& canvas, int x, int y, TColor color);
    bool IsDivisionPoint() const { return m_isDivisionPoint; }
    /// Liquidus temperature (Celsius) in field `areaIndex` at stored-percent
    /// shares (a, b); 0 for an index out of range.
    double AltitudeTemperature(int areaIndex, double a, double b) const;
    double PolynomialTemperature(int areaIndex, double a, double b);
    double MeanValueTemperature(int areaIndex, double a, double b) const;
    /// By the current TCalcMethod; none for a method that computes none.
    std::optional<double> AreaTemperature(int areaIndex, double a, double b);
    /// The field at stored-percent shares (a, b) of a painted picture, found
    /// as the isotherm scan finds it: from the composition's pixel step right
    /// off black lines, then the field of that colour. -1 for none.
    int AreaAtComposition(const TBitmap& picture, double a, double b);
    /// As AreaAtComposition, but where stepping right finds no field (on the
    /// right edge or along the base, where the outline runs on to the
    /// paper), the steps left, up and down are tried in that order.
    int AreaNearComposition(const TBitmap& picture, double a, double b);
    /// The field and liquidus temperature at shares (a, b) of positions 1
    /// and 2 in display units. Every caller that turns a composition into a
    /// reading goes through here, except the mouse, which reads the screen:
    /// the field is decided on LookupMap(), so the answer does not depend on
    /// the control's size, zoom or what the screen shows. Corners and sides
    /// belong to the field inside next to them.
    TLiquidusReading LiquidusAt(double a, double b);
    /// The field at stored-percent shares (a, b) on LookupMap(); -1 for none.
    /// `divisionPoint` tells whether the composition lies on a line between
    /// two fields (the nearer one is returned).
    int LookupArea(double a, double b, bool& divisionPoint);
    /// Boundaries and fills drawn at one fixed size from the current data,
    /// whatever the layer switches and the zoom; redrawn only when the data
    /// it depends on changed.
    const TBitmap& LookupMap();
    /// Where LookupMap() draws the triangle.
    static TTriangleLayout LookupLayout();

    using TPolyline = std::vector<std::pair<double, double>>;
    /// The boundary lines as (A, B) polylines of stored percent.
    std::vector<TPolyline> BoundaryPolylines() const;
    /// Ternary points (three or more fields' outlines meet inside the
    /// triangle) and binary points (a boundary line meets a side), hottest
    /// first; found from the data.
    std::vector<TInvariantPoint> InvariantPointList();
    /// One head in the middle of every boundary between two invariant
    /// points towards its lower end, or two away from a maximum inside it.
    std::vector<TBoundaryArrow> BoundaryArrowList();
    /// The names and temperatures the last picture placed.
    const std::vector<TAtlasLabel>& AtlasLabels() const { return m_atlasLabels; }

    /// Layout of the control's own size, with the legend band when needed.
    void CalcLayout();
    /// Point size of a text role for the current layout.
    int FontSize(TTextRole role) const;

    void Paint() override;
    /// Also notes that a paint was asked for while the isotherm scan yielded.
    void Invalidate() override;

    /// The level lists of the last isotherm calculation (valid while
    /// Isotherms().Calculated); list LevelCount + 1 is the hot isotherm.
    const TIsothermLists& IsothermLists() const { return m_isoLists; }
    /// Rows of the isotherm scan in progress; 0 when none is running.
    int IsothermScanRows() const { return m_isoScanRows; }
    /// The row (1..IsothermScanRows()) the scan is starting when it raises
    /// OnIsothermCalcStep; row k ends after about k²/2 of the rows² / 2 points.
    int IsothermScanRow() const { return m_isoScanRow; }
    /// Point size of the isotherm labels for the current layout.
    int IsothermLabelSize() const;
    /// The contour lines for a picture of the given size in the current
    /// layout and zoom; traced again only when what they depend on changed.
    const std::vector<TContour>& Contours(int width, int height);
    /// The contour labels the last picture placed.
    const std::vector<TContourLabel>& ContourLabels() const { return m_contourLabels; }
    /// Where the values table shows when it shows (it is drawn over the
    /// picture); leaves `canvas` in the table's text state.
    TRect ValuesTableBox(TCanvas& canvas) const;

    // Mouse: read-out, hint and mark (right button), zoom (left button).
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool Dragging() const { return m_dragging; }
    bool HintShown() const { return m_hintShown; }
    bool MouseGridShown() const { return m_mouseGridShown; }
    /// "Division Point" while the cursor is on a line between two fields.
    const std::string& DivisionPointText() const;
    /// Reads and marks the composition with shares (a, b) of positions 1
    /// and 2 in display units as a right click on its pixel would: the
    /// cursor point takes the exact shares, the hint names the field, and
    /// the point is marked unless zoomed. Changes nothing when the
    /// composition lies outside the triangle or the zoom window or on no
    /// field. Paints first when the screen holds no picture yet.
    TGoToResult GoToComposition(double a, double b);
    /// Zooms into the window with lower bounds aMin, bMin, cMin (percent,
    /// whole tens, sum at most 90) as a drag would; the edge seeds are read
    /// from the unzoomed picture, painted first when needed. Ignored while
    /// zoomed or when AllowZoom is off.
    void ZoomInTo(int aMin, int bMin, int cMin);
    /// The window's pixel frame of the last zoomed paint or output.
    const TZoomFrame& ZoomFrame() const { return m_zoomFrame; }
    const TEdgeSeeds& BottomSeeds() const { return m_bottomSeeds; }
    const TEdgeSeeds& LeftSeeds() const { return m_leftSeeds; }
    const TEdgeSeeds& RightSeeds() const { return m_rightSeeds; }
    /// Clips the unzoomed pixel segment from..to to the zoom window and maps
    /// the piece into the zoomed view; false when nothing of it is visible.
    bool ClipSegment(TRealPoint from, TRealPoint to, TPoint& start, TPoint& end) const;
    /// Frame of the zoom window for the current layout.
    void CalcZoomFrame();

    /// The picture of the control's size as far as the isotherm scan sees
    /// it: background, boundary lines and field fills, nothing drawn over
    /// them (grid lines would hide the fields under them).
    std::unique_ptr<TBitmap> RenderFieldMap();
    /// The fixed-size picture that is printed and exported, on white.
    std::unique_ptr<TBitmap> RenderPicture();
    /// The picture the screen shows at width x height (window pixels), with
    /// a shown mark's tables; the screen and its layout are left alone.
    std::unique_ptr<TBitmap> RenderPicture(int width, int height) override;
    /// Renders and saves a Windows bitmap under `fileName` as given. Throws
    /// std::runtime_error when the file cannot be written.
    void SaveToBitmap(const std::string& fileName, bool monochrome);
    /// Prints the fixed-size picture across the page width with a credit line
    /// below it. Printer errors reach the caller; a started job is cancelled.
    void PrintDiagram(TPrinterTarget& printer);

    // Drawing routines; each draws on the bitmap it is given.
    /// The layers above the background, in paint order.
    void DrawLayers(TBitmap& bitmap, TColor background);
    void DrawFigure(TBitmap& bitmap) override;
    /// The outline, the layers and a shown mark's tables on a white bitmap
    /// laid out for it: the saved picture and the figure.
    void ComposeOnWhite(TBitmap& bitmap);
    void DrawBackground(TBitmap& bitmap, const TRect& rect);
    void DrawBoundaries(TBitmap& bitmap);
    void FillAreas(TBitmap& bitmap);
    void CalcIsotherms(TBitmap& bitmap);
    void DrawTPointMarkers(TBitmap& bitmap);
    void DrawGridAndScales(TBitmap& bitmap, TColor background);
    void DrawTitle(TBitmap& bitmap, TColor background);
    void DrawUnitsCaption(TBitmap& bitmap, TColor background);
    void DrawVertexCaptions(TBitmap& bitmap, TColor background);
    void DrawLegend(TBitmap& bitmap);
    void DrawValuesTable(TBitmap& bitmap);
    void DrawCoPhasesTable(TBitmap& bitmap);

protected:
    void DoIsothermCalcStep();

    /// The legend band is kept free when the legend or the co-phases table shows.
    bool ReservesLegendBand() const;

    // What the mouse last saw.
    int m_coPhases = 0;
    bool m_isDivisionPoint = false;
    bool m_mouseGridShown = false;
    // Level lists of the last isotherm calculation.
    TIsothermLists m_isoLists;

private:
    /// Steps from (x, y) by (dx, dy) while the picture is black, then
    /// identifies the field there.
    int AreaOffTheLine(const TBitmap& picture, int x, int y, int dx, int dy);
    /// Per pixel of the triangle's box the field it shows (-1 none) and the
    /// pixel of each field farthest from its edge.
    struct TNameSpots {
        TRect Box;
        std::vector<std::int8_t> Field;
        std::vector<TPoint> Best;
    };
    TNameSpots FindNameSpots(const TBitmap& bitmap) const;
    /// Invariant points, arrows and names, clear of `texts` and each other.
    void DrawAtlas(TBitmap& bitmap, const TNameSpots& spots, std::vector<TRect> texts);
    /// Contour lines broken under `texts` and their labels, which are added to `texts`.
    void DrawContours(TBitmap& bitmap, std::vector<TRect>& texts);
    std::vector<TContour> m_contours;
    std::uint64_t m_contourKey = 0;
    bool m_contoursTraced = false;
    std::vector<TContourLabel> m_contourLabels;
    void DrawBoundaryPolyline(TCanvas& canvas, const std::vector<TRealPoint>& knots);
    void DrawStraightPolyline(TCanvas& canvas, const std::vector<TRealPoint>& knots);
    /// Joins the ends of every drawn boundary line to the line or side it
    /// ends on, so that no fill passes where two lines meet.
    void CloseLineEnds(TCanvas& canvas, const std::vector<std::vector<TSegment>>& lines);
    void CloseLineEnd(TCanvas& canvas, const std::vector<TSegment>& line, TPoint end, int reach);
    /// How far (pixels) a line end may lie from what it ends on and still be joined.
    int LineEndReach() const;
    /// Draws SegFrom..SegTo and moves on; `interpolated` marks a spline sample.
    void DrawSegment(TCanvas& canvas, bool interpolated);
    /// Moves a fill seed that lies on a line to the nearest open pixel.
    void OpenSeed(const TCanvas& canvas, int& x, int& y) const;
    /// The segment as drawn, for the line being drawn.
    void NoteSegment(TPoint from, TPoint to);
    void DrawMarkedPoint(TCanvas& canvas);
    std::string ScaleLabel(double value) const;
    std::string ValuesTableShare(bool marked, double value) const;
    int WidestAreaName(const TCanvas& canvas) const;
    // Zoom window and mouse overlays.
    void DrawZoomedSegment(TCanvas& canvas);
    /// Fills the pieces of fields that show in the zoom window without a
    /// fill point of their own.
    void FillZoomRegions(TCanvas& canvas);
    void CalcEdgeSeeds();
    void ZoomIn();
    void ZoomOut();
    void DrawMouseGrid();
    void DrawRubberBand();
    void EraseRubberBand();
    void ShowAreaHint(int x, int y);
    void EvalCoPhases(TColor color);
    /// The field under (x, y) of the screen, as the mouse reads it.
    int ReadAreaAt(int x, int y, TColor& color);
    void SetCursorTemperature(int area, double aPercent, double bPercent);
    /// Takes the cursor point as the marked point (percent).
    void MarkCursorPoint();

    /// The isotherm levels the diagram's vertex temperatures span.
    TIsothermLevels DataIsothermLevels() const;
    // Isotherms: the scan, the path shaping and the drawing of the lists.
    void CalculateIsotherms(TBitmap& bitmap);
    void ShapeIsothermLists();
    void DrawIsothermLists(TBitmap& bitmap);
    /// Whether finished lists are there to follow a change of units or
    /// order; a scan still running is spoiled by the change instead.
    bool IsothermListsFollowChange();

    TTCalcMethod m_tCalcMethod = TTCalcMethod::tcAltitude;
    TDataOrientation m_dataOrientation = TDataOrientation::doDirect;
    bool m_drawIsotherms = false;
    TIsotherm m_isotherms;
    int m_gridSteps = 5;
    TGridType m_gridType = TGridType::gtAllScales;
    int m_hotIsotherm = 0;
    TColor m_hotIsothermColor = clBlue;
    TSubstance m_substanceC;
    TTUnits m_tUnits = TTUnits::tuC;
    bool m_fieldNames = false;
    bool m_invariantPoints = false;
    bool m_boundaryArrows = false;
    std::vector<TAtlasLabel> m_atlasLabels;
    TPolynomialTemperature m_polynomials;
    int m_isoScanRows = 0;
    int m_isoScanRow = 0;
    bool m_invalidatedDuringScan = false;

    /// Segments of the boundary line being drawn, in pixels.
    std::vector<TSegment> m_lineSegments;
    /// The field map that look-ups read, and the data it was drawn from.
    std::unique_ptr<TBitmap> m_lookupMap;
    std::uint64_t m_lookupKey = 0;

    bool m_dragging = false;
    bool m_hintShown = false;
    bool m_rubberBandShown = false;
    /// The left press that zoomed out; its release leaves a mark alone.
    bool m_zoomOutPress = false;
    int m_dragStartX = 0;
    int m_dragStartY = 0;
    int m_dragX = 0;
    std::array<TPoint, 3> m_rubberBand{};
    TZoomFrame m_zoomFrame;
    TEdgeSeeds m_bottomSeeds;
    TEdgeSeeds m_leftSeeds;
    TEdgeSeeds m_rightSeeds;

    // ---- Stored compositions across unit and orientation changes ----
    // Each change rewrites the data from what the host last gave, in one
    // step, so that returning to a setting returns the very same data.
    /// The basis and the order stored compositions are expressed in.
    struct TDataFrame {
        bool Mass = false;
        TDataOrientation Orientation = TDataOrientation::doDirect;
        friend bool operator==(const TDataFrame&, const TDataFrame&) = default;
    };
    /// One group of stored compositions, flattened: as the host last gave
    /// them, in the frame it gave them in, and as this component last wrote
    /// them. Data that differ from Derived were written by the host since.
    template <class Real>
    struct TGivenData {
        bool Valid = false;
        TDataFrame Frame;
        std::vector<Real> Given;
        std::vector<Real> Derived;
    };
    TDataFrame CurrentFrame() const;
    /// Molar masses in the loaded order (that of doDirect).
    TMolarMasses LoadedMolarMasses() const;
    /// Rewrites the stored compositions for frame `to` from the data as
    /// given; the orientation and units still describe the current frame.
    void ReframeStoredCompositions(const TDataFrame& to);
    std::array<TGivenData<float>, kAreaCount> m_givenAreas;
    TGivenData<double> m_givenSplines;
    TGivenData<double> m_givenMark;
    TGivenData<float> m_givenIsotherms;
    // ---- end of stored compositions ----
};

}  // namespace liquidus
