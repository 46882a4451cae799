#include "ternary/geometry.h"

#include <cmath>

#include "canvas/rounding.h"

namespace liquidus {

namespace {
constexpr int kMaxLegendWidth = 180;
constexpr int kExportWidth = 600;  // nominal width the export band is computed for
constexpr int kExportBase = 480;
constexpr int kExportHeight = 280;
constexpr int kExportMargin = 60;

// Shrinks the longer dimension so the triangle keeps its equilateral shape.
// The comparisons are between integers, the right-hand sides rounded first.
void FitEquilateral(int& side, int& height) {
    if (height > Round(side * kSqrt3Half)) {
        height = Round(side * kSqrt3Half);
    } else if (side > Round(height / kSqrt3Half)) {
        side = Round(height / kSqrt3Half);
    }
}
}  // namespace

TZoomWindow TZoomWindow::FromCorners(const TZoomCorners& corners) {
    TZoomWindow w;
    w.AMax = corners[0].A;
    w.BMin = corners[0].B;
    w.CMin = corners[0].C;
    w.AMin = corners[1].A;
    w.BMax = corners[1].B;
    w.CMax = corners[2].C;
    return w;
}

bool TZoomWindow::ContainsStrictly(double a, double b, double c) const {
    return AMin < a && a < AMax && BMin < b && b < BMax && CMin < c && c < CMax;
}

bool TZoomWindow::Contains(double a, double b, double c) const {
    return AMin <= a && a <= AMax && BMin <= b && b <= BMax && CMin <= c && c <= CMax;
}

int LegendBandWidth(int width) {
    // Two separate square roots multiplied, as the figures were tuned with.
    return Round(std::sqrt(width / 12.0) * std::sqrt(static_cast<double>(width)));
}

TTriangleLayout CalcScreenLayout(int width, int height, bool reserveBand, double scale) {
    TTriangleLayout l;
    l.LegendWidth = 0;
    const int widest = scale == 1.0 ? kMaxLegendWidth : Round(kMaxLegendWidth * scale);
    const int margins = scale == 1.0 ? kPictureMargins : Round(kPictureMargins * scale);
    if (reserveBand) {
        l.LegendWidth = LegendBandWidth(width);
        if (l.LegendWidth > widest) {
            l.LegendWidth = widest;
        }
    }
    l.SideLength = width - margins - l.LegendWidth;
    l.TriangleHeight = height - margins;
    FitEquilateral(l.SideLength, l.TriangleHeight);
    l.TriangleLeft = (width - l.SideLength - l.LegendWidth) / 2;
    l.TriangleTop = (height - l.TriangleHeight) / 2;
    return l;
}

TTriangleLayout CalcExportLayout(bool reserveBand) {
    TTriangleLayout l;
    l.LegendWidth = reserveBand ? Round(std::sqrt(50.0) * std::sqrt(double{kExportWidth})) : 0;
    l.SideLength = kExportBase - l.LegendWidth;
    l.TriangleHeight = kExportHeight;
    if (Round(l.SideLength * kSqrt3Half) < kExportHeight) {
        l.TriangleHeight = Round(l.SideLength * kSqrt3Half);
    } else if (l.SideLength > Round(kExportHeight / kSqrt3Half)) {
        l.SideLength = Round(l.TriangleHeight / kSqrt3Half);
    }
    l.TriangleLeft = kExportMargin;
    l.TriangleTop = kExportMargin;
    return l;
}

double LeftEdgeX(const TTriangleLayout& l, double y) {
    return l.TriangleLeft + ((l.TriangleTop + l.TriangleHeight) - y) / kSqrt3Half / 2;
}

double RightEdgeX(const TTriangleLayout& l, double y) {
    return (2 * l.TriangleLeft + l.SideLength) - LeftEdgeX(l, y);
}

void CompositionToPixel(const TTriangleLayout& l, const TZoomWindow* zoom, double a, double b,
                        int& x, int& y) {
    SharesToPixel(l, zoom, b, 100 - a - b, x, y);
}

void SharesToPixel(const TTriangleLayout& l, const TZoomWindow* zoom, double b, double c, int& x,
                   int& y) {
    if (zoom == nullptr) {
        y = Round((100 - b) / 100 * l.TriangleHeight) + l.TriangleTop;
        x = Round(LeftEdgeX(l, y) + c / 100 * l.SideLength);
    } else {
        y = Round((zoom->BMax - b) / (zoom->BMax - zoom->BMin) * l.TriangleHeight) +
            l.TriangleTop;
        x = Round(LeftEdgeX(l, y) + (c - zoom->CMin) / (zoom->CMax - zoom->CMin) * l.SideLength);
    }
}

void CompositionToRealPixel(const TTriangleLayout& l, double a, double b, double& x, double& y) {
    y = (100 - b) / 100 * l.TriangleHeight + l.TriangleTop;
    x = LeftEdgeX(l, y) + (100 - a - b) / 100 * l.SideLength;
}

void PixelToComposition(const TTriangleLayout& l, const TZoomWindow* zoom, double unitsTotal,
                        int x, int y, double& a, double& b, double& c) {
    const double right = RightEdgeX(l, y);
    const double left = LeftEdgeX(l, y);
    if (zoom == nullptr) {
        a = (right - x) / l.SideLength * unitsTotal;
        c = (x - left) / l.SideLength * unitsTotal;
    } else {
        a = ((right - x) / l.SideLength * (zoom->AMax - zoom->AMin) + zoom->AMin) /
            (100 / unitsTotal);
        c = ((x - left) / l.SideLength * (zoom->CMax - zoom->CMin) + zoom->CMin) /
            (100 / unitsTotal);
    }
    b = unitsTotal - (a + c);
}

bool IsInsideTriangle(const TTriangleLayout& l, int x, int y) {
    return y < l.TriangleTop + l.TriangleHeight && LeftEdgeX(l, y) <= x && x <= RightEdgeX(l, y);
}

}  // namespace liquidus
