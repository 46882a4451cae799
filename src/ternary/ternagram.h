#pragma once
// The ternary diagram component: the composition triangle with its phase
// fields, boundary lines, grid, scales, captions, legend and tables.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "isotherms/isotherm.h"
#include "isotherms/polynoms.h"
#include "model/plotcore.h"
#include "model/orientation.h"
#include "model/units.h"
#include "ternary/ternaplot.h"

namespace liquidus {

class TPrinterTarget;

enum class TTCalcMethod { tcAltitude, tcPolynomial, tcThermodynamic };
enum class TGridType { gtInnerParallel, gtOutsideScale, gtAllScales };

/// Text sizes derive from the triangle's side; see FontSize().
enum class TTextRole { Title, UnitsCaption, ScaleLabel, VertexCaption, Table };

class TTernagram : public TTernaplot {
public:
    explicit TTernagram(TControlHost* host = nullptr);
    ~TTernagram() override;

    // Published properties.
    bool AllowZoom() const { return m_allowZoom; }
    /// Refused with a message while zoomed.
    void SetAllowZoom(bool value);
    TTCalcMethod TCalcMethod() const { return m_tCalcMethod; }
    void SetTCalcMethod(TTCalcMethod value);
    int CoPhases() const { return m_coPhases; }
    bool CoPhasesTable() const { return m_coPhasesTable; }
    void SetCoPhasesTable(bool value);
    TCUnits CUnits() const { return m_cUnits; }
    void SetCUnits(TCUnits value);
    bool CursorOnArea() const { return m_cursorOnArea; }
    TDataOrientation DataOrientation() const { return m_dataOrientation; }
    /// Moves substances and rewrites every stored composition; ignored while
    /// zoomed.
    void SetDataOrientation(TDataOrientation value);
    bool DrawIsotherms() const { return m_drawIsotherms; }
    void SetDrawIsotherms(bool value);
    TIsotherm& Isotherms() { return m_isotherms; }
    const TIsotherm& Isotherms() const { return m_isotherms; }
    int GridSteps() const { return m_gridSteps; }
    /// Clamped to 2..10.
    void SetGridSteps(int value);
    TGridType GridType() const { return m_gridType; }
    void SetGridType(TGridType value);
    int HotIsotherm() const { return m_hotIsotherm; }
    void SetHotIsotherm(int value);
    TColor HotIsothermColor() const { return m_hotIsothermColor; }
    void SetHotIsothermColor(TColor value);
    bool Legend() const { return m_legend; }
    void SetLegend(bool value);
    bool MarkMode() const { return m_markMode; }
    /// Switching off also hides a marked point.
    void SetMarkMode(bool value);
    bool MouseGrid() const { return m_mouseGrid; }
    void SetMouseGrid(bool value);
    TSubstance& SubstanceA() { return m_substanceA; }
    TSubstance& SubstanceB() { return m_substanceB; }
    TSubstance& SubstanceC() { return m_substanceC; }
    const TSubstance& SubstanceA() const { return m_substanceA; }
    const TSubstance& SubstanceB() const { return m_substanceB; }
    const TSubstance& SubstanceC() const { return m_substanceC; }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value);
    TTUnits TUnits() const { return m_tUnits; }
    void SetTUnits(TTUnits value);
    bool ValuesTable() const { return m_valuesTable; }
    void SetValuesTable(bool value);
    bool Zoom() const { return m_zoom; }

    TNotifyEvent OnIsothermCalcStep;
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

    /// The field (0-based) whose colour is `color`, read at (x, y) of
    /// `canvas`; on a line, the colours around it decide, and two different
    /// ones make a division point. -1 for none.
    int AreaAtPixel(const TCanvas& canvas, int x, int y, TColor color);
    bool IsDivisionPoint() const { return m_isDivisionPoint; }
    /// Liquidus temperature (Celsius) in field `areaIndex` at stored-percent
    /// shares (a, b); 0 for an index out of range.
    double AltitudeTemperature(int areaIndex, double a, double b) const;
    double PolynomialTemperature(int areaIndex, double a, double b);
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

    /// Layout of the control's own size, with the legend band when needed.
    void CalcLayout();
    /// Point size of a text role for the current layout.
    int FontSize(TTextRole role) const;

    void Paint() override;

    /// The picture of the control's size as far as the isotherm scan sees
    /// it: background, boundary lines and field fills, nothing drawn over
    /// them (grid lines would hide the fields under them).
    std::unique_ptr<TBitmap> RenderFieldMap();
    /// The fixed-size picture that is printed and exported, on white.
    std::unique_ptr<TBitmap> RenderPicture();
    /// Renders and saves a Windows bitmap under `fileName` as given. Throws
    /// std::runtime_error when the file cannot be written.
    void SaveToBitmap(const std::string& fileName, bool monochrome);
    /// Prints the fixed-size picture across the page width with a credit line
    /// below it. Printer errors reach the caller; a started job is cancelled.
    void PrintDiagram(TPrinterTarget& printer);

    // Drawing routines; each draws on the bitmap it is given.
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
    void DoMarkPoint();
    void DoZoomIn();
    void DoZoomOut();

    /// The legend band is kept free when the legend or the co-phases table shows.
    bool ReservesLegendBand() const;

    // What the mouse last saw.
    bool m_cursorOnArea = false;
    TFullDataPoint m_cursorPoint;
    int m_cursorArea = -1;
    int m_coPhases = 0;
    bool m_isDivisionPoint = false;
    bool m_mouseGridShown = false;

private:
    /// Steps from (x, y) by (dx, dy) while the picture is black, then
    /// identifies the field there.
    int AreaOffTheLine(const TBitmap& picture, int x, int y, int dx, int dy);
    /// The client area less the border frame.
    TRect ClientRect() const;
    /// The layers above the background, in paint order.
    void DrawLayers(TBitmap& bitmap, TColor background);
    void DrawBoundaryPolyline(TCanvas& canvas, const std::vector<TRealPoint>& knots);
    void DrawStraightPolyline(TCanvas& canvas, const std::vector<TRealPoint>& knots);
    /// Draws SegFrom..SegTo and moves on; `interpolated` marks a spline sample.
    void DrawSegment(TCanvas& canvas, bool interpolated);
    void DrawMarkedPoint(TCanvas& canvas);
    std::string ScaleLabel(double value) const;
    std::string ValuesTableShare(bool marked, double value) const;
    int WidestAreaName(const TCanvas& canvas) const;
    // Zoom window and mouse overlays.
    void CalcZoomFrame();
    void DrawZoomedSegment(TCanvas& canvas);
    void FillZoomEdgeSeeds(TCanvas& canvas);
    void DrawMouseGrid();

    void ConvertStoredCompositions(TConversion conversion, const TMolarMasses& masses);
    void ConvertSplines(TConversion conversion, const TMolarMasses& masses);

    bool m_allowZoom = true;
    TTCalcMethod m_tCalcMethod = TTCalcMethod::tcAltitude;
    bool m_coPhasesTable = true;
    TCUnits m_cUnits = TCUnits::cuMolPercents;
    TDataOrientation m_dataOrientation = TDataOrientation::doDirect;
    bool m_drawIsotherms = false;
    TIsotherm m_isotherms;
    int m_gridSteps = 5;
    TGridType m_gridType = TGridType::gtAllScales;
    int m_hotIsotherm = 0;
    TColor m_hotIsothermColor = clBlue;
    bool m_legend = true;
    bool m_markMode = false;
    bool m_mouseGrid = false;
    TSubstance m_substanceA;
    TSubstance m_substanceB;
    TSubstance m_substanceC;
    std::string m_title;
    TTUnits m_tUnits = TTUnits::tuC;
    bool m_valuesTable = true;
    std::string m_unitsCaption = "Mole Fraction in %";
    TFullDataPoint m_markedPoint;
    TPolynomialTemperature m_polynomials;
};

}  // namespace liquidus
