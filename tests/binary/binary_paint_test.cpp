// The painted binary diagram, read back pixel by pixel at positions taken
// from the public mappings.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binary/binagram.h"
#include "binaryprobe.h"
#include "canvas/rounding.h"
#include "support/fakehost.h"
#include "support/textlog.h"

namespace liquidus {
namespace {

class BinaryPaint : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TBinaryProbe diagram{&host};

    TColor Pixel(int x, int y) const { return diagram.Screen().Canvas().Pixel(x, y); }
    TColor At(double c, double t) const {
        return Pixel(diagram.CompositionToX(c), diagram.TemperatureToY(t));
    }
    TColor Paper() const { return DefaultSystemColor(clBtnFace); }
    bool BlackNear(int x, int y) const {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (Pixel(x + dx, y + dy) == clBlack) return true;
            }
        }
        return false;
    }
    /// A simple eutectic: two liquidus curves meeting on the eutectic line.
    void LoadEutectic() {
        const char* names[] = {"Liquid", "A + L", "B + L", "A + B"};
        const float seeds[][2] = {{50, 900}, {10, 700}, {85, 700}, {50, 300}};
        diagram.SetAreas(4);
        for (int i = 0; i < 4; ++i) {
            diagram.AreaList()[i].Name = names[i];
            diagram.AreaList()[i].FillC = seeds[i][0];
            diagram.AreaList()[i].FillT = seeds[i][1];
        }
        diagram.SetBoundaryPoints({{0, 900},
                                   {20, 800},
                                   {40, 600},
                                   {-1, 0},
                                   {40, 600},
                                   {70, 700},
                                   {100, 800},
                                   {-1, 0},
                                   {0, 600},
                                   {100, 600}});
        diagram.SetDrawSplines(true);
        diagram.SetDrawAreas(true);
        diagram.SetTitle("A-B");
    }
    /// Texts of the picture's layers, drawn on a bitmap of our own.
    std::vector<std::string> AxisTexts() {
        diagram.CalcLayout();
        TBitmap bitmap(diagram.Width(), diagram.Height());
        test::TTextLog log(bitmap.Canvas());
        diagram.DrawGridAndScales(bitmap);
        return log.Texts();
    }
};

TEST_F(BinaryPaint, FieldsFillFromTheirSeedsInsideTheFrame) {
    LoadEutectic();
    diagram.Paint();
    ASSERT_TRUE(diagram.Painted());
    for (int i = 0; i < 4; ++i) {
        const TBinaryAreaRec& area = diagram.AreaList()[i];
        EXPECT_EQ(At(area.FillC, area.FillT), AreaColors[i + 1]) << area.Name.str();
    }
    // Below the eutectic line the whole width is one field.
    EXPECT_EQ(At(3, 100), AreaColors[4]);
    EXPECT_EQ(At(97, 590), AreaColors[4]);
    // 2-pixel frame, paper outside, 1-pixel black border round the control.
    const int y = diagram.TemperatureToY(550);
    EXPECT_EQ(Pixel(diagram.PlotLeft(), y), clBlack);
    EXPECT_EQ(Pixel(diagram.PlotLeft() - 1, y), clBlack);
    EXPECT_EQ(Pixel(diagram.PlotLeft() - 2, y), Paper());
    EXPECT_EQ(Pixel(diagram.PlotRight(), y), clBlack);
    EXPECT_EQ(Pixel(0, 0), clBlack);
    EXPECT_EQ(Pixel(1, 1), Paper());
}

TEST_F(BinaryPaint, EmptyFieldsFloodUpToTheFrame) {
    LoadEutectic();
    diagram.SetDrawSplines(false);
    diagram.SetAreas(1);
    diagram.Paint();
    EXPECT_EQ(At(3, 100), AreaColors[1]);
    EXPECT_EQ(Pixel(diagram.PlotLeft() + 1, diagram.PlotTop() + 1), AreaColors[1]);
    EXPECT_EQ(Pixel(diagram.PlotLeft() - 2, diagram.PlotTop() + 1), Paper());
}

TEST_F(BinaryPaint, SplineCurvesAndTheirStraightFallback) {
    struct Case {
        std::vector<TBinaryPoint> points;
        int from, to;  // the segment checked
        bool straight;
    };
    const Case cases[] = {
        {{{70, 100}, {50, 700}, {30, 300}}, 1, 2, false},  // all falling: a spline
        {{{30, 300}, {50, 700}, {40, 100}}, 0, 1, true},   // rises, then falls
    };
    for (const Case& c : cases) {
        diagram.SetBoundaryPoints(c.points);
        diagram.SetDrawSplines(true);
        diagram.Paint();
        const TBinaryPoint& a = c.points[c.from];
        const TBinaryPoint& b = c.points[c.to];
        const int x = (diagram.CompositionToX(a.C) + diagram.CompositionToX(b.C)) / 2;
        const int y = (diagram.TemperatureToY(a.T) + diagram.TemperatureToY(b.T)) / 2;
        EXPECT_EQ(BlackNear(x, y), c.straight) << c.points[0].C;
        // Either way the line passes through its middle knot.
        const TBinaryPoint& knot = c.points[1];
        EXPECT_TRUE(BlackNear(diagram.CompositionToX(knot.C), diagram.TemperatureToY(knot.T)));
    }
}

TEST_F(BinaryPaint, LonePointStartsTheNextCurveAndLongCurvesStayStraight) {
    // More knots than a spline takes, then a lone point carried over, then
    // a lone point at the end.
    std::vector<TBinaryPoint> points;
    for (int i = 0; i < 12; ++i) points.push_back({5.0 + 8 * i, 300});
    points.insert(points.end(), {{-1, 0}, {30, 600}, {-1, 0}, {70, 600}, {-1, 0}, {90, 200}});
    diagram.SetBoundaryPoints(points);
    diagram.SetDrawSplines(true);
    diagram.Paint();
    for (double c : {35.0, 50.0, 65.0}) EXPECT_EQ(At(c, 600), clBlack) << c;
    // Boundaries round their own unrounded pixels: a half may go the other way.
    for (double c : {10.0, 50.0, 90.0}) {
        EXPECT_TRUE(BlackNear(diagram.CompositionToX(c), diagram.TemperatureToY(300))) << c;
    }
    EXPECT_FALSE(BlackNear(diagram.CompositionToX(90), diagram.TemperatureToY(200)));
}

TEST_F(BinaryPaint, BreakMarksWhereTheAxisMissesPureA) {
    for (double low : {20.0, 0.0}) {
        diagram.SetLowCLimit(low);
        diagram.Paint();
        const int tooth = Round(diagram.PlotWidth() * 0.02 + diagram.PlotLeft());
        const int row = Round(diagram.PlotTop() + diagram.PlotHeight() / 10.0);
        EXPECT_EQ(Pixel(tooth, row), low > 0 ? clBlack : clWhite) << low;
    }
}

TEST_F(BinaryPaint, TicksAndLabelsOfANewComponent) {
    diagram.Paint();
    TBitmap probe(1, 1);
    probe.Canvas().Font.Size = diagram.FontSize(TBinaryTextRole::AxisNumbers);
    probe.Canvas().Font.Italic = true;
    const int h = probe.Canvas().TextHeight("1");
    const int longTick = h - 5;
    const int shortTick = Round(h / 2.0 - 3);
    const int bottom = diagram.PlotBottom();
    const int x10 = diagram.CompositionToX(10);
    const int x2 = diagram.CompositionToX(2);
    EXPECT_EQ(Pixel(x10, bottom + longTick - 1), clBlack);
    EXPECT_EQ(Pixel(x10, bottom + longTick), Paper());
    EXPECT_EQ(Pixel(x2, bottom + shortTick - 1), clBlack);
    EXPECT_EQ(Pixel(x2, bottom + shortTick), Paper());
    const int y500 = diagram.TemperatureToY(500);
    EXPECT_EQ(Pixel(diagram.PlotRight() + longTick - 1, y500), clBlack);

    std::vector<std::string> texts = AxisTexts();
    const std::vector<std::string> percent = {"0",  "10", "20", "30", "40", "50",
                                              "60", "70", "80", "90", "100"};
    const std::vector<std::string> degrees = {"1000", "900", "800", "700", "600", "500",
                                              "400",  "300", "200", "100", "0"};
    std::vector<std::string> expected = percent;
    expected.insert(expected.end(), degrees.begin(), degrees.end());
    EXPECT_EQ(texts, expected);

    diagram.SetCUnits(TCUnits::cuMolParts);
    texts = AxisTexts();
    ASSERT_GE(texts.size(), 11u);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 11),
              (std::vector<std::string>{"0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7",
                                        "0.8", "0.9", "1.0"}));
}

TEST_F(BinaryPaint, TooSmallPlotAsksToBeEnlarged) {
    diagram.SetLegend(false);
    diagram.SetValuesTable(false);
    diagram.SetCoPhasesTable(false);
    for (int width : {240, 241}) {
        diagram.SetBounds(width, 400);
        diagram.Paint();
        TBitmap bitmap(width, 400);
        test::TTextLog log(bitmap.Canvas());
        diagram.DrawBackground(bitmap, {0, 0, width, 400});
        const bool drawn = width == 241;
        EXPECT_EQ(diagram.PlotWidth(), width - 120);
        EXPECT_EQ(log.Contains("Enlarge Me.."), !drawn);
        const int cx = diagram.PlotLeft() + diagram.PlotWidth() / 2;
        const int cy = diagram.PlotTop() + diagram.PlotHeight() / 2;
        EXPECT_EQ(Pixel(cx, cy), drawn ? clWhite : Paper()) << width;
    }
}

TEST_F(BinaryPaint, LegendAndTablesOnTheScreen) {
    LoadEutectic();
    diagram.SetAreas(2);
    diagram.SetCursor(true, 42.5, 612.5, 2);
    diagram.CursorPoint().Phase1Value = 20;
    diagram.CursorPoint().Phase2Value = 60;
    diagram.CursorPoint().Phase1Ratio = 0.4375;
    diagram.CursorPoint().Phase2Ratio = 0.5625;
    test::TTextLog log(diagram.Screen().Canvas());
    diagram.Paint();
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{
                               "Chemical Composition:", "Ph1: 20.00, Ph2: 60.00 ",
                               "Phases Ratio:", "Ph1: 0.44, Ph2: 0.56", "SubB: 42.5, T: 612.50C"}));
    EXPECT_TRUE(diagram.CoPhasesShown());

    TBitmap probe(1, 1);
    probe.Canvas().Font.Size = diagram.FontSize(TBinaryTextRole::Table);
    const int hw = probe.Canvas().TextWidth("H");
    const int th = probe.Canvas().TextHeight("H");
    const int y0 = diagram.PlotTop() - 2 * th;
    // Legend swatch of field 2 and the shadow under the legend box.
    const int swatchY = y0 + Trunc(th * 1.55) + 1;
    EXPECT_EQ(Pixel(diagram.PlotRight() + 5 * hw, swatchY), AreaColors[2]);
    EXPECT_EQ(Pixel(diagram.PlotRight() + 5 * hw, y0 + 3 * th + 1), clBlack);
    // The co-phases table sits under the legend and is painted over when
    // the cursor leaves the two-phase field.
    const int boxX = diagram.PlotRight() + 3 * hw + 1;
    const int boxY = y0 + 4 * th + 1;
    EXPECT_EQ(Pixel(boxX, boxY), clWhite);
    diagram.SetCursor(true, 42.5, 612.5, 0);
    diagram.DrawCoPhasesTable(diagram.Screen());
    EXPECT_FALSE(diagram.CoPhasesShown());
    EXPECT_EQ(Pixel(boxX, boxY), Paper());
}

TEST_F(BinaryPaint, ClippedSegmentsSnapToTheFrame) {
    // Plot 200 x 100 at (50, 40); the window spans 100..150 x 60..85, scale 4.
    const TBinaryLayout layout{50, 40, 200, 100, 0};
    const TBinaryZoomFrame frame{100, 60, 150, 85, 4, 4};
    using Piece = std::pair<TPoint, TPoint>;
    struct Case {
        const char* what;
        TRealPoint p1, p2;
        std::optional<Piece> piece;
    };
    const Case cases[] = {
        {"inside", {110, 70}, {140, 80}, Piece{{90, 80}, {210, 120}}},
        {"enters from the left", {90, 70}, {120, 70}, Piece{{50, 80}, {130, 80}}},
        {"crosses top to bottom", {120, 50}, {120, 95}, Piece{{130, 40}, {130, 140}}},
        {"outside", {10, 10}, {20, 20}, std::nullopt},
        {"end near the frame", {100.5, 70}, {120, 80}, Piece{{50, 80}, {130, 120}}},
        {"through a corner", {90, 50}, {110, 70}, Piece{{50, 40}, {90, 80}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClipSegment(layout, frame, c.p1, c.p2), c.piece) << c.what;
    }
}

TEST_F(BinaryPaint, ZoomedPictureClipsBoundariesAndFillsFromEdgeSeeds) {
    diagram.SetAreas(2);
    diagram.AreaList()[0].FillC = 10;  // both seeds lie outside the window
    diagram.AreaList()[0].FillT = 400;
    diagram.AreaList()[1].FillC = 90;
    diagram.AreaList()[1].FillT = 400;
    diagram.SetBoundaryPoints({{50, 0}, {50, 1000}});
    diagram.SetDrawSplines(true);
    diagram.SetDrawAreas(true);
    diagram.ZoomTo(40, 60, 300, 500);
    diagram.EdgeFills().Left = {{AreaColors[1], 0, 400}};
    diagram.EdgeFills().Right = {{AreaColors[2], 0, 400}};
    diagram.Paint();
    EXPECT_EQ(At(45, 400), AreaColors[1]);
    EXPECT_EQ(At(55, 400), AreaColors[2]);
    // The boundary is 2 pixels wide and reaches both frame edges.
    const int x = diagram.CompositionToX(50);
    for (int y : {diagram.PlotTop() + 1, diagram.PlotBottom() - 2}) {
        EXPECT_EQ(Pixel(x - 1, y), clBlack);
        EXPECT_EQ(Pixel(x, y), clBlack);
        EXPECT_EQ(Pixel(x + 1, y), AreaColors[2]);
    }
}

TEST_F(BinaryPaint, RenderedPictureHasItsOwnSizeAndLeavesTheScreenAlone) {
    LoadEutectic();
    diagram.Paint();
    const TBinaryLayout screen = diagram.Layout();
    const auto picture = diagram.RenderPicture(700, 480);
    ASSERT_EQ(picture->Width(), 700);
    ASSERT_EQ(picture->Height(), 480);
    EXPECT_EQ(diagram.Layout().PlotWidth, screen.PlotWidth);
    const TBinaryLayout big = CalcBinaryLayout(700, 480, true);
    const TBinaryLimits limits = diagram.Limits();
    const TColor seed =
        picture->Canvas().Pixel(CompositionToX(big, limits, 50), TemperatureToY(big, limits, 300));
    EXPECT_EQ(seed, AreaColors[4]);
}

TEST_F(BinaryPaint, FigureIsTheScreenPictureScaledUp) {
    LoadEutectic();
    diagram.SetPaperColor(clLime);
    diagram.SetMarkMode(true);
    diagram.MarkedPoint().A = 30;
    diagram.MarkedPoint().T = 700;
    diagram.MarkedPoint().Visible = true;
    diagram.SetTemperatureMarks({600});
    // Texts below and at their size cap; a strip, shown as a wider window.
    for (const int height : {300, 450, 200}) {
        SCOPED_TRACE(height);
        const TDrawing figure = diagram.RecordFigure(600, height);
        const double k = figure.LineScale;
        // The window the figure shows, at its nominal size.
        const int width = static_cast<int>(std::lround(figure.Width / k));
        const int shown = static_cast<int>(std::lround(figure.Height / k));
        TBitmap bitmap(width, shown);
        TDrawing screen;
        bitmap.Canvas().Recording = &screen;
        diagram.ComposePicture(bitmap, {0, 0, width, shown});
        // Legend and tables are placed by text widths, which do not scale exactly.
        const double band = CalcBinaryLayout(width, shown, true).PlotRight() + 15;
        ASSERT_EQ(figure.Items.size(), screen.Items.size());
        for (std::size_t i = 0; i < figure.Items.size(); ++i) {
            const TDrawnItem& s = screen.Items[i];
            const TDrawnItem& f = figure.Items[i];
            EXPECT_NE(f.Color, clLime);  // paper white on a page
            ASSERT_EQ(f.Text, s.Text);
            if (s.Kind == TDrawnItem::TKind::Fill) continue;
            const bool text = s.Kind == TDrawnItem::TKind::Text;
            if (text) {
                EXPECT_NEAR(f.Font.Size, k * s.Font.Size, 0.5) << s.Text;
            }
            const QRectF a = text ? QRectF(s.At, s.At) : s.Path.boundingRect();
            const QRectF b = text ? QRectF(f.At, f.At) : f.Path.boundingRect();
            if (a.left() > band) continue;
            for (const QPointF d :
                 {b.topLeft() / k - a.topLeft(), b.bottomRight() / k - a.bottomRight()}) {
                EXPECT_LE(std::max(std::abs(d.x()), std::abs(d.y())), 2.0) << i;
            }
        }
    }
}

}  // namespace
}  // namespace liquidus
