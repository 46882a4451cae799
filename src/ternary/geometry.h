#pragma once
// Where the composition triangle sits and how compositions map to pixels.
// Drawing and mouse code both use these functions, in exactly these forms,
// so that what is drawn and what the mouse reads agree to the pixel.

#include <array>

namespace liquidus {

/// Room around the triangle for captions, scales and title: half on each
/// side, in both directions.
constexpr int kPictureMargins = 120;

/// Height-to-side ratio of the equilateral composition triangle (sqrt(3)/2).
constexpr double kSqrt3Half = 0.8660254037844386;

/// Layout metrics of the triangle in client pixels.
struct TTriangleLayout {
    int TriangleLeft = 0;    // left end of the base
    int TriangleTop = 0;     // apex row
    int SideLength = 260;    // width of the base
    int TriangleHeight = 220;
    int LegendWidth = 0;     // band right of the triangle for legend and co-phases table
    int Bottom() const { return TriangleTop + TriangleHeight; }
};

/// One corner of the zoom window, in percent.
struct TZoomCorner {
    double A = 0.0;
    double B = 0.0;
    double C = 0.0;
};

/// Corners shown at the bottom-left vertex, the apex and the bottom-right vertex.
using TZoomCorners = std::array<TZoomCorner, 3>;

/// The zoom window as ranges: AMin <= A <= AMax, and so on.
struct TZoomWindow {
    double AMin = 0.0, AMax = 100.0;
    double BMin = 0.0, BMax = 100.0;
    double CMin = 0.0, CMax = 100.0;

    static TZoomWindow FromCorners(const TZoomCorners& corners);
    /// Bounds excluded.
    bool ContainsStrictly(double a, double b, double c) const;
    /// Bounds included.
    bool Contains(double a, double b, double c) const;
};

/// Screen layout of a control of the given size; `reserveBand` keeps the
/// band for legend and co-phases table free; `scale` pixels stand for
/// each pixel of the fixed margins (a picture drawn larger than shown).
TTriangleLayout CalcScreenLayout(int width, int height, bool reserveBand, double scale = 1.0);
/// The fixed layout of printed and exported pictures.
TTriangleLayout CalcExportLayout(bool reserveBand);
/// Width of the legend band for a control `width` pixels wide, before the cap.
int LegendBandWidth(int width);

double LeftEdgeX(const TTriangleLayout& layout, double y);
double RightEdgeX(const TTriangleLayout& layout, double y);

/// Shares A, B in percent of the stored basis (C = 100 - A - B implied).
/// `zoom` is the zoom window while zoomed, nullptr otherwise.
void CompositionToPixel(const TTriangleLayout& layout, const TZoomWindow* zoom, double a,
                        double b, int& x, int& y);
/// The same from the shares of positions 2 and 3, for points that keep
/// their own C.
void SharesToPixel(const TTriangleLayout& layout, const TZoomWindow* zoom, double b, double c,
                   int& x, int& y);
/// Unrounded and unzoomed: where a boundary knot lies before the curve
/// through it is sampled.
void CompositionToRealPixel(const TTriangleLayout& layout, double a, double b, double& x,
                            double& y);
/// Shares in display units (scaled by unitsTotal, 100 or 1).
void PixelToComposition(const TTriangleLayout& layout, const TZoomWindow* zoom,
                        double unitsTotal, int x, int y, double& a, double& b, double& c);
/// The base row is outside, both slanted edges inside.
bool IsInsideTriangle(const TTriangleLayout& layout, int x, int y);
/// Too small to draw a diagram.
inline bool IsTooSmall(const TTriangleLayout& layout) { return layout.SideLength <= 120; }

}  // namespace liquidus
