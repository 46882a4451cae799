// Fields never leak into each other: at every control size, in every order
// and in zoomed views, each field keeps its own colour at its fill point and
// a share of the picture that does not collapse.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sample/sample.h"
#include "sample/sampledata.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

constexpr std::array kOrders = {TDataOrientation::doDirect, TDataOrientation::doACB,
                                TDataOrientation::doBAC,    TDataOrientation::doBCA,
                                TDataOrientation::doCAB,    TDataOrientation::doCBA};

using TShares = std::array<double, kSampleFieldCount>;
constexpr int kShareSide = 200;

int FieldOfColor(QRgb rgb) {
    const TColor color = RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
    for (int i = 1; i <= kSampleFieldCount; ++i) {
        if (AreaColors[i] == color) return i - 1;
    }
    return -1;
}

/// Each field's pixels as a share of all field pixels; large pictures are
/// sampled on a coarser lattice, which keeps the sweep fast.
TShares FieldShares(const TBitmap& map) {
    TShares counts{};
    double all = 0;
    const QImage& image = map.Image();
    const int stride = std::max(1, image.width() / 500);
    QRgb last = 0;
    int lastField = -1;
    for (int y = 0; y < image.height(); y += stride) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += stride) {
            if (row[x] != last) {
                last = row[x];
                lastField = FieldOfColor(last);
            }
            if (lastField >= 0) {
                counts[lastField] += 1;
                all += 1;
            }
        }
    }
    for (double& c : counts) c /= all;
    return counts;
}

/// The field's colour at (x, y), or right beside the line (up to 2 pixels
/// wide) that covers it. At the smallest sizes a narrow field can be a
/// chain of single pixels that only touch at corners, which no fill
/// reaches and which stays blank: that is no leak. Another field's colour
/// there with no blank pixel beside is one.
bool ShowsColorAt(const TBitmap& map, int x, int y, TColor color) {
    const TCanvas& canvas = map.Canvas();
    if (canvas.Pixel(x, y) != clBlack) return canvas.Pixel(x, y) == color;
    constexpr int kBeside[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    bool otherField = false;
    for (const auto& d : kBeside) {
        for (int step = 1; step <= 3; ++step) {
            const TColor c = canvas.Pixel(x + d[0] * step, y + d[1] * step);
            if (c == color) return true;
            if (c == clBlack) continue;
            otherField = otherField || c != clWhite;
            break;
        }
    }
    if (!otherField) return true;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (canvas.Pixel(x + dx, y + dy) == clWhite) return true;
        }
    }
    return false;
}

/// Share of the triangle's pixels that no fill reached.
double BlankShare(const TTernagram& diagram, const TBitmap& map) {
    double blank = 0;
    double all = 0;
    for (int y = diagram.TriangleTop(); y < diagram.TriangleTop() + diagram.TriangleHeight(); ++y) {
        for (int x = diagram.TriangleLeft(); x <= diagram.TriangleLeft() + diagram.SideLength();
             ++x) {
            if (!diagram.IsInsideTriangle(x, y)) continue;
            all += 1;
            blank += map.Canvas().Pixel(x, y) == clWhite;
        }
    }
    return blank / all;
}

std::string Where(int w, int h, int order) {
    return std::to_string(w) + "x" + std::to_string(h) + " order " + std::to_string(order);
}

TEST(FieldSweep, EveryFieldKeepsItsColourAtEverySizeAndOrder) {
    for (std::size_t o = 0; o < kOrders.size(); ++o) {
        TTernagram diagram;
        LoadSampleDiagram(diagram);
        diagram.SetDataOrientation(kOrders[o]);
        std::vector<std::pair<std::string, TShares>> all;
        TShares largest{};
        int step = 0;
        std::vector<std::pair<int, int>> sizes = {{1024, 768}};
        for (int w = 300; w <= 2000; w += 20, ++step) {
            // Heights that make the width, the height or neither the limit.
            constexpr double kAspects[3] = {1.0, 0.75, 0.5};
            sizes.emplace_back(w, static_cast<int>(w * kAspects[step % 3]) + step % 7);
        }
        for (const auto& [w, h] : sizes) {
            diagram.SetBounds(w, h);
            const std::unique_ptr<TBitmap> map = diagram.RenderFieldMap();
            if (diagram.IsTooSmall()) continue;
            for (int i = 0; i < kSampleFieldCount; ++i) {
                const TAreaData& area = diagram.AreaList()[i];
                int x = 0, y = 0;
                diagram.CompositionToPixel(area.FillA, area.FillB, x, y);
                EXPECT_TRUE(ShowsColorAt(*map, x, y, AreaColors[i + 1]))
                    << area.Name.str() << " at " << Where(w, h, int(o));
            }
            // Where a field is only a few pixels wide the lines take most of it.
            if (diagram.SideLength() < kShareSide) continue;
            all.emplace_back(Where(w, h, int(o)), FieldShares(*map));
            for (int i = 0; i < kSampleFieldCount; ++i) {
                largest[i] = std::max(largest[i], all.back().second[i]);
            }
        }
        // A field flooded by its neighbour keeps next to nothing.
        for (const auto& [where, shares] : all) {
            for (int i = 0; i < kSampleFieldCount; ++i) {
                EXPECT_GT(shares[i], largest[i] / 10)
                    << diagram.AreaList()[i].Name.str() << " at " << where;
            }
        }
    }
}

TEST(FieldSweep, ZoomedViewsFillEachFieldFromItsPointOrEdgeSeed) {
    struct TWindow {
        int AMin, BMin, CMin;
    };
    constexpr TWindow kWindows[] = {{0, 0, 0},   {0, 40, 0},  {20, 20, 20}, {40, 30, 10},
                                    {10, 0, 50}, {60, 0, 20}, {0, 50, 30},  {30, 40, 10}};
    constexpr std::array<std::array<int, 2>, 3> kSizes = {{{640, 480}, {1024, 768}, {1600, 900}}};
    TTernagram reference;
    LoadSampleDiagram(reference);
    reference.SetBounds(2000, 1600);
    const std::unique_ptr<TBitmap> referenceMap = reference.RenderFieldMap();
    for (const TWindow& window : kWindows) {
        for (const auto& size : kSizes) {
            TTernagram diagram;
            LoadSampleDiagram(diagram);
            diagram.SetBounds(size[0], size[1]);
            diagram.ZoomInTo(window.AMin, window.BMin, window.CMin);
            ASSERT_TRUE(diagram.Zoom());
            const std::unique_ptr<TBitmap> map = diagram.RenderFieldMap();
            const std::string where =
                std::to_string(window.AMin) + "/" + std::to_string(window.BMin) + "/" +
                std::to_string(window.CMin) + " at " + std::to_string(size[0]);
            const TZoomWindow zoom = diagram.ZoomWindow();
            for (int i = 0; i < kSampleFieldCount; ++i) {
                const TAreaData& area = diagram.AreaList()[i];
                if (!zoom.ContainsStrictly(area.FillA, area.FillB, 100 - area.FillA - area.FillB)) {
                    continue;
                }
                int x = 0, y = 0;
                diagram.CompositionToPixel(area.FillA, area.FillB, x, y);
                // Zoomed lines are 2 pixels wide and can cover a narrow
                // field whole; the lattice below tells a leak from that.
                const TColor seen = map->Canvas().Pixel(x, y);
                EXPECT_TRUE(seen == clBlack || seen == AreaColors[i + 1])
                    << area.Name.str() << " in " << where;
            }
            // Fields cut by the window were filled from its edges: no blank
            // region is left, and a lattice of compositions in the window
            // reads the field the unzoomed picture has there.
            EXPECT_LT(BlankShare(diagram, *map), 0.002) << where;
            int agree = 0;
            int asked = 0;
            const double side = zoom.AMax - zoom.AMin;
            for (double da = 0.05; da < 1; da += 0.1) {
                for (double db = 0.05; da + db < 1; db += 0.1) {
                    const double a = zoom.AMin + da * side;
                    const double b = zoom.BMin + db * side;
                    const int expected = reference.AreaNearComposition(*referenceMap, a, b);
                    if (expected < 0) continue;
                    ++asked;
                    agree += diagram.AreaNearComposition(*map, a, b) == expected;
                }
            }
            EXPECT_GE(agree, asked * 9 / 10) << where;
        }
    }
}

}  // namespace
}  // namespace liquidus
