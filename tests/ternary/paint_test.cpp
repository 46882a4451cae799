#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <string>
#include <vector>

#include "sample/sample.h"
#include "sample/sampledata.h"
#include "canvas/rounding.h"
#include "support/fakehost.h"
#include "support/probe.h"
#include "support/textlog.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

const std::vector<std::string> kFieldNames = {
    "Spinel",    "Forsterite", "Periclase",      "Mullite",  "Two Liquids", "Cristobalite",
    "Tridimite", "Cordierite", "Protoenstatite", "Corundum", "Saphirine"};

class Paint : public ::testing::Test {
protected:
    test::TFakeHost host;
    test::TProbe diagram{&host};
    void SetUp() override {
        LoadSampleDiagram(diagram);
        diagram.SetBounds(1024, 768);
    }
    // What the picture's text routines write, drawn on a bitmap of our own.
    std::vector<test::TTextRecord> PictureTexts() {
        diagram.CalcLayout();
        TBitmap bitmap(diagram.Width(), diagram.Height());
        test::TTextLog log(bitmap.Canvas());
        diagram.DrawBackground(bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
        if (!diagram.IsTooSmall()) {
            diagram.DrawGridAndScales(bitmap, clWhite);
            diagram.DrawTitle(bitmap, clWhite);
            diagram.DrawUnitsCaption(bitmap, clWhite);
            diagram.DrawVertexCaptions(bitmap, clWhite);
            diagram.DrawLegend(bitmap);
        }
        return log.records;
    }
    static int Count(const std::vector<test::TTextRecord>& texts, const std::string& text) {
        int n = 0;
        for (const auto& r : texts) n += r.text == text;
        return n;
    }
    static const test::TTextRecord* Find(const std::vector<test::TTextRecord>& texts,
                                          const std::string& text) {
        for (const auto& r : texts) {
            if (r.text == text) return &r;
        }
        return nullptr;
    }
    TColor ScreenPixel(int x, int y) const { return diagram.Screen().Canvas().Pixel(x, y); }
    TColor FillPixel(int field) const {
        const TAreaData& area = diagram.AreaList()[field];
        int x = 0, y = 0;
        diagram.CompositionToPixel(area.FillA, area.FillB, x, y);
        return ScreenPixel(x, y);
    }
};

TEST_F(Paint, EveryFieldHasItsOwnColourAtItsFillPoint) {
    // Grid lines are drawn over the fills and some fill points lie on them.
    diagram.SetGridType(TGridType::gtOutsideScale);
    diagram.Paint();
    EXPECT_TRUE(diagram.Painted());
    for (int i = 0; i < kSampleFieldCount; ++i) {
        EXPECT_EQ(FillPixel(i), AreaColors[i + 1]) << kFieldNames[i];
    }
    // No field's fill leaked into another: every fill point shows a
    // different colour.
    for (int i = 0; i < kSampleFieldCount; ++i) {
        for (int j = i + 1; j < kSampleFieldCount; ++j) {
            EXPECT_NE(FillPixel(i), FillPixel(j)) << kFieldNames[i] << " / " << kFieldNames[j];
        }
    }
}

TEST_F(Paint, OutlineAndGridLinesAreBlackWhereTheFormulasPutThem) {
    diagram.SetGridType(TGridType::gtInnerParallel);
    diagram.SetDrawAreas(false);
    diagram.SetDrawSplines(false);
    diagram.Paint();
    const int l = diagram.TriangleLeft();
    const int t = diagram.TriangleTop();
    const int s = diagram.SideLength();
    const int yb = t + diagram.TriangleHeight();
    // The 2-pixel outline: rows yb-1 and yb along the base, both corners.
    for (int x = l + 2; x < l + s - 2; x += 17) {
        EXPECT_EQ(ScreenPixel(x, yb), clBlack) << x;
        EXPECT_EQ(ScreenPixel(x, yb - 1), clBlack) << x;
        EXPECT_EQ(ScreenPixel(x, yb + 1), diagram.Screen().Canvas().Resolve(clBtnFace)) << x;
    }
    // Horizontal grid lines of constant B at i / G of the height, looked at
    // midway between the points where the slanted lines cross them.
    const int g = diagram.GridSteps();
    const int x = l + s / 2 + Round(s / (4.0 * g));
    for (int i = 1; i < g; ++i) {
        const int y = t + Round(s * kSqrt3Half / g * i);
        EXPECT_EQ(ScreenPixel(x, y), clBlack) << i;
        EXPECT_EQ(ScreenPixel(x, y - 1), clWhite) << i;
        EXPECT_EQ(ScreenPixel(x, y + 1), clWhite) << i;
    }
    // Lines of constant C and of constant A leave the base at
    // L + Round(S / G * i), going up right and up left at 60 degrees.
    for (int i = 1; i < g; ++i) {
        const int x0 = l + Round(static_cast<double>(s) / g * i);
        const int y = yb - 12;
        const int run = Round(12 / std::sqrt(3.0));  // 7
        EXPECT_EQ(ScreenPixel(x0 + run, y), clBlack) << i;
        EXPECT_EQ(ScreenPixel(x0 - run, y), clBlack) << i;
        EXPECT_EQ(ScreenPixel(x0, y), clWhite) << i;
        EXPECT_EQ(ScreenPixel(x0 + run + 3, y), clWhite) << i;
    }
    // Inside, away from lines, the triangle is white.
    EXPECT_EQ(ScreenPixel(l + s / 2 + 3, yb - 20), clWhite);
}

TEST_F(Paint, GridLinesCrossTheFilledFieldsWithoutCuttingThem) {
    diagram.SetGridType(TGridType::gtOutsideScale);  // no lines inside
    diagram.Paint();
    TBitmap plain(diagram.Width(), diagram.Height());
    plain.Image() = diagram.Screen().Image().copy();
    diagram.SetGridType(TGridType::gtAllScales);
    diagram.Paint();
    // Inside the triangle the grid only adds black: every field is filled
    // whole, not just the grid cell around its fill point.
    int gridPixels = 0;
    for (int y = diagram.TriangleTop() + 2; y < diagram.TriangleTop() + diagram.TriangleHeight();
         ++y) {
        for (int x = 0; x < diagram.Width(); ++x) {
            const TColor before = plain.Canvas().Pixel(x, y);
            if (!diagram.IsInsideTriangle(x, y) || ScreenPixel(x, y) == before ||
                before == clBlack) {
                continue;
            }
            ASSERT_EQ(ScreenPixel(x, y), clBlack) << x << "," << y;
            ++gridPixels;
        }
    }
    EXPECT_GT(gridPixels, 1000);
}

TEST_F(Paint, ScaleLabelsFollowGridStepsAndUnits) {
    auto texts = PictureTexts();
    for (const char* label : {"20", "40", "60", "80"}) {
        EXPECT_EQ(Count(texts, label), 3) << label;  // once on each scale
    }
    EXPECT_EQ(Count(texts, "50"), 0);
    // Bottom scale (first drawn) rises to the right below the base.
    const int yb = diagram.TriangleTop() + diagram.TriangleHeight();
    const auto* first20 = Find(texts, "20");
    const auto* first80 = Find(texts, "80");
    ASSERT_TRUE(first20 && first80);
    EXPECT_EQ(first20->y, yb + 2);
    EXPECT_LT(first20->x, first80->x);

    diagram.SetGridSteps(2);
    texts = PictureTexts();
    EXPECT_EQ(Count(texts, "50"), 3);
    EXPECT_EQ(Count(texts, "20"), 0);

    diagram.SetGridSteps(5);
    diagram.SetCUnits(TCUnits::cuMassParts);
    texts = PictureTexts();
    EXPECT_EQ(Count(texts, "0.2"), 3);
    EXPECT_EQ(Count(texts, "0.8"), 3);
    EXPECT_EQ(Count(texts, "20"), 0);
    EXPECT_EQ(Count(texts, "Mass Fraction"), 1);

    diagram.SetGridType(TGridType::gtInnerParallel);  // grid only, no labels
    texts = PictureTexts();
    EXPECT_EQ(Count(texts, "0.2"), 0);
}

TEST_F(Paint, TitleCaptionsAndLegendInOrder) {
    const auto texts = PictureTexts();
    EXPECT_EQ(Count(texts, "MgO-Al2O3-SiO2 Melting Sample"), 1);
    EXPECT_EQ(Count(texts, "Mass Fraction in %"), 1);
    const auto* mgo = Find(texts, "MgO");
    const auto* sio2 = Find(texts, "SiO2");
    const auto* al2o3 = Find(texts, "Al2O3");
    const auto* title = Find(texts, "MgO-Al2O3-SiO2 Melting Sample");
    ASSERT_TRUE(mgo && sio2 && al2o3 && title);
    EXPECT_LT(mgo->x, al2o3->x);
    EXPECT_EQ(mgo->y, al2o3->y);
    EXPECT_LT(sio2->y, mgo->y);   // the apex caption is above the base ones
    EXPECT_LT(title->y, sio2->y);  // and the title above that
    // Legend: the eleven names, in list order, top to bottom, right of the
    // triangle.
    std::vector<std::string> legend;
    int lastY = -1;
    for (const auto& r : texts) {
        for (const auto& name : kFieldNames) {
            if (r.text == name) {
                legend.push_back(name);
                EXPECT_GT(r.y, lastY);
                EXPECT_GT(r.x, diagram.TriangleLeft() + diagram.SideLength());
                lastY = r.y;
            }
        }
    }
    EXPECT_EQ(legend, kFieldNames);
}

TEST_F(Paint, TooSmallShowsOnlyTheHint) {
    // Width 240 without the band leaves a side of 120; 241 gives 121.
    diagram.SetLegend(false);
    diagram.SetBounds(240, 400);
    auto texts = PictureTexts();
    EXPECT_EQ(diagram.SideLength(), 120);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Enlarge Me..");
    EXPECT_EQ(texts[0].x, 4);
    EXPECT_EQ(texts[0].y, 4);
    diagram.Paint();
    // The hint sits on white in its text cell, the rest is paper; no field
    // is drawn anywhere.
    EXPECT_EQ(ScreenPixel(4, 4), clWhite);
    EXPECT_EQ(ScreenPixel(200, 300), diagram.Screen().Canvas().Resolve(clBtnFace));
    bool anyField = false;
    for (int y = 0; y < 400; y += 3) {
        for (int x = 0; x < 240; x += 3) {
            for (int i = 1; i <= kSampleFieldCount; ++i) anyField |= ScreenPixel(x, y) == AreaColors[i];
        }
    }
    EXPECT_FALSE(anyField);

    diagram.SetBounds(241, 400);
    texts = PictureTexts();
    EXPECT_EQ(diagram.SideLength(), 121);
    EXPECT_EQ(Count(texts, "Enlarge Me.."), 0);
    EXPECT_EQ(Count(texts, "MgO"), 1);
    diagram.SetGridType(TGridType::gtOutsideScale);
    diagram.Paint();
    EXPECT_EQ(FillPixel(2), AreaColors[3]);
}

TEST_F(Paint, BorderFramesTheClientArea) {
    const TColor paper = diagram.Screen().Canvas().Resolve(clBtnFace);
    diagram.Paint();  // the sample has no border
    EXPECT_EQ(ScreenPixel(0, 0), paper);
    EXPECT_EQ(ScreenPixel(1023, 767), paper);
    diagram.SetBorder(true);
    diagram.Paint();
    EXPECT_EQ(ScreenPixel(0, 0), clBlack);
    EXPECT_EQ(ScreenPixel(1023, 400), clBlack);
    EXPECT_EQ(ScreenPixel(500, 767), clBlack);
    EXPECT_EQ(ScreenPixel(1, 1), paper);
    EXPECT_EQ(ScreenPixel(1022, 766), paper);
}

TEST_F(Paint, WithoutBoundariesTheLastFieldFloodsTheTriangle) {
    diagram.SetDrawSplines(false);
    diagram.SetGridType(TGridType::gtOutsideScale);
    diagram.Paint();
    for (int i = 0; i < kSampleFieldCount; ++i) {
        EXPECT_EQ(FillPixel(i), AreaColors[kSampleFieldCount]) << kFieldNames[i];
    }
}

TEST_F(Paint, PaperColourAndMarkersFollowTheirSwitches) {
    diagram.SetPaperColor(0x00123456);
    diagram.SetDrawTPoints(true);
    diagram.Paint();
    EXPECT_EQ(ScreenPixel(2, 2), 0x00123456u);
    // A vertex marker: a 4x4 ring around a brush centre in the field's colour
    // (the first vertex of Periclase is the pure-A corner, which the outline
    // covers, so take its second vertex).
    const TAreaPoint& p = diagram.AreaList()[2].Points[2];
    int x = 0, y = 0;
    diagram.CompositionToPixel(p.A, p.B, x, y);
    EXPECT_EQ(ScreenPixel(x - 1, y - 2), clBlack);
    const TColor centre = ScreenPixel(x - 1, y - 1);
    bool fieldColour = false;
    for (int i = 1; i <= kSampleFieldCount; ++i) fieldColour |= centre == AreaColors[i];
    EXPECT_TRUE(fieldColour);
}

class Tables : public Paint {
protected:
    std::vector<std::string> ValuesTableTexts() {
        test::TTextLog log(diagram.Screen().Canvas());
        diagram.DrawValuesTable(diagram.Screen());
        return log.Texts();
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& t) {
        return std::find(texts.begin(), texts.end(), t) != texts.end();
    }
};

TEST_F(Tables, NothingWithoutCursorOrMark) {
    diagram.Paint();
    EXPECT_TRUE(ValuesTableTexts().empty());
}

TEST_F(Tables, CursorValuesInPercentAndFraction) {
    diagram.Paint();
    diagram.SetCursor(true, 100.0 / 3, 100.0 / 3, 100.0 / 3, 1500);
    auto texts = ValuesTableTexts();
    EXPECT_TRUE(Has(texts, "33.333"));
    EXPECT_TRUE(Has(texts, "T: 1500C"));
    EXPECT_TRUE(Has(texts, "MgO"));
    EXPECT_TRUE(Has(texts, "Al2O3"));

    diagram.SetCUnits(TCUnits::cuMassParts);
    diagram.Paint();
    diagram.SetCursor(true, 1.0 / 3, 1.0 / 3, 1.0 / 3, 1500);  // display units
    texts = ValuesTableTexts();
    EXPECT_TRUE(Has(texts, "0.33333"));
    EXPECT_FALSE(Has(texts, "33.333"));
}

TEST_F(Tables, TemperatureUnits) {
    diagram.Paint();
    diagram.SetCursor(true, 20, 30, 50, 1500);
    diagram.SetTUnits(TTUnits::tuK);
    EXPECT_TRUE(Has(ValuesTableTexts(), "T: 1773K"));
    diagram.SetTUnits(TTUnits::tuF);
    EXPECT_TRUE(Has(ValuesTableTexts(), "T: 2732F"));
    diagram.SetCursor(true, 20, 30, 50, 1800);
    diagram.SetTUnits(TTUnits::tuK);
    EXPECT_TRUE(Has(ValuesTableTexts(), "T: 2073K"));
}

TEST_F(Tables, MarkedPointWinsOverTheCursor) {
    diagram.Paint();
    diagram.SetCursor(true, 10, 20, 70, 1400);
    diagram.MarkedPoint() = {};
    diagram.MarkedPoint().Visible = true;
    diagram.MarkedPoint().A = 20;
    diagram.MarkedPoint().B = 30;
    diagram.MarkedPoint().C = 50;
    diagram.MarkedPoint().T = 1600;
    auto texts = ValuesTableTexts();
    EXPECT_TRUE(Has(texts, "20.000"));
    EXPECT_TRUE(Has(texts, "T: 1600C"));
    EXPECT_FALSE(Has(texts, "10.000"));
    // The marked point holds percent; in fraction units it shows divided.
    diagram.SetCUnits(TCUnits::cuMassParts);
    texts = ValuesTableTexts();
    EXPECT_TRUE(Has(texts, "0.20000"));
    // Without mark mode the cursor shows again.
    diagram.SetCUnits(TCUnits::cuMassPercents);
    diagram.SetMarkMode(false);
    texts = ValuesTableTexts();
    EXPECT_TRUE(Has(texts, "10.000"));
}

TEST_F(Tables, TheScreenShowsTablesAfterThePicture) {
    diagram.SetCoPhasesTable(true);
    diagram.SetCursor(true, 20, 30, 50, 1500);
    diagram.Paint();
    const QImage shown = diagram.Screen().Image().copy();
    // The picture alone, then both tables drawn over it in their order.
    diagram.SetValuesTable(false);
    diagram.SetCoPhasesTable(false);
    diagram.Paint();
    TBitmap expected(diagram.Width(), diagram.Height());
    expected.SetSystemColorResolver(diagram.Screen().SystemColorResolver());
    expected.Image() = diagram.Screen().Image().copy();
    EXPECT_FALSE(expected.Image() == shown);  // the tables add something
    diagram.SetCoPhasesTable(true);  // the band stays: the legend reserves it
    diagram.DrawCoPhasesTable(expected);
    diagram.DrawValuesTable(expected);
    EXPECT_TRUE(expected.Image() == shown);
}

class Export : public Paint {};

TEST_F(Export, SizeDependsOnTheBand) {
    auto picture = diagram.RenderPicture();
    EXPECT_EQ(picture->Width(), 600);
    EXPECT_EQ(picture->Height(), 386);
    diagram.SetLegend(false);
    picture = diagram.RenderPicture();
    EXPECT_EQ(picture->Width(), 443);
    EXPECT_EQ(picture->Height(), 400);
    diagram.SetCoPhasesTable(true);
    picture = diagram.RenderPicture();
    EXPECT_EQ(picture->Width(), 600);
}

TEST_F(Export, SamePictureWhateverTheControlSize) {
    diagram.SetGridType(TGridType::gtOutsideScale);  // keep fill points off grid lines
    diagram.Paint();
    auto big = diagram.RenderPicture();
    diagram.SetBounds(150, 100);  // too small to draw on screen
    diagram.Paint();
    auto tiny = diagram.RenderPicture();
    ASSERT_EQ(big->Image().size(), tiny->Image().size());
    EXPECT_TRUE(big->Image() == tiny->Image());
    // The screen layout is back after rendering.
    EXPECT_EQ(diagram.SideLength(), CalcScreenLayout(150, 100, true).SideLength);
    // Fields are filled on white paper.
    const TTriangleLayout l = CalcExportLayout(true);
    for (int i = 0; i < kSampleFieldCount; ++i) {
        const TAreaData& area = diagram.AreaList()[i];
        int x = 0, y = 0;
        CompositionToPixel(l, nullptr, area.FillA, area.FillB, x, y);
        EXPECT_EQ(big->Canvas().Pixel(x, y), AreaColors[i + 1]) << kFieldNames[i];
    }
    EXPECT_EQ(big->Canvas().Pixel(2, 2), clWhite);
}

TEST_F(Export, EveryLayerIsOnWhitePaper) {
    // The screen's paper colour never reaches the picture: captions, labels
    // and legend all take white behind their text.
    const auto picture = diagram.RenderPicture();
    const TColor face = diagram.Screen().Canvas().Resolve(clBtnFace);
    for (int y = 0; y < picture->Height(); ++y) {
        for (int x = 0; x < picture->Width(); ++x) {
            ASSERT_NE(picture->Canvas().Pixel(x, y), face) << x << "," << y;
        }
    }
}

TEST_F(Export, TablesOnlyWithAMarkedPoint) {
    diagram.SetCursor(true, 20, 30, 50, 1500);  // the cursor never shows in the output
    const auto unmarked = diagram.RenderPicture();
    diagram.SetValuesTable(false);
    EXPECT_TRUE(diagram.RenderPicture()->Image() == unmarked->Image());
    diagram.MarkedPoint().Visible = true;
    diagram.MarkedPoint().A = 20;
    diagram.MarkedPoint().B = 30;
    diagram.MarkedPoint().C = 50;
    diagram.MarkedPoint().T = 1500;
    const auto markOnly = diagram.RenderPicture();
    diagram.SetValuesTable(true);
    const auto withTable = diagram.RenderPicture();
    // The table is the only difference, and it sits at the triangle's upper
    // right, below the top and left of the side's end.
    const TTriangleLayout l = CalcExportLayout(true);
    const int xr = l.TriangleLeft + l.SideLength;
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < withTable->Height(); ++y) {
        for (int x = 0; x < withTable->Width(); ++x) {
            if (withTable->Canvas().Pixel(x, y) == markOnly->Canvas().Pixel(x, y)) continue;
            const bool near = x < xr + 10 && y >= l.TriangleTop && y < l.TriangleTop + 100;
            ++(near ? inside : outside);
        }
    }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(outside, 0);
    // The co-phases table, with no phases yet, clears its part of the band.
    diagram.SetCoPhasesTable(true);
    const auto withCoPhases = diagram.RenderPicture();
    const int bandLeft = xr + 1;
    for (int y = 0; y < withTable->Height(); ++y) {
        for (int x = 0; x < bandLeft; ++x) {
            ASSERT_EQ(withCoPhases->Canvas().Pixel(x, y), withTable->Canvas().Pixel(x, y));
        }
    }
    EXPECT_FALSE(withCoPhases->Image() == withTable->Image());
    // The mark's cross is drawn whether or not the table is.
    EXPECT_FALSE(markOnly->Image() == unmarked->Image());
}

}  // namespace
}  // namespace liquidus

namespace liquidus {
namespace {

TEST(FieldLookup, ScanRuleStepsRightAndTheEdgeFallbackTriesTheOtherWays) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(800, 600);
    const std::unique_ptr<TBitmap> map = diagram.RenderFieldMap();
    // Inside a field both agree.
    EXPECT_EQ(diagram.AreaAtComposition(*map, 32, 24), 0);
    EXPECT_EQ(diagram.AreaNearComposition(*map, 32, 24), 0);
    // On the base the outline runs right out of the triangle: the scan rule
    // finds nothing, the fallback steps up into Periclase.
    EXPECT_EQ(diagram.AreaAtComposition(*map, 50, 0), -1);
    EXPECT_EQ(diagram.AreaNearComposition(*map, 50, 0), 2);
    // The map has no grid: a point on a grid row is read directly.
    int x = 0, y = 0;
    diagram.CompositionToPixel(30, 20, x, y);
    EXPECT_NE(map->Canvas().Pixel(x + 3, y), clBlack);
    // On a boundary between two fields the colours on either side decide:
    // two different ones make a division point and no field.
    diagram.CompositionToPixel(32, 24, x, y);
    const TCanvas& canvas = map->Canvas();
    while (canvas.Pixel(x, y) != clBlack) ++x;  // Spinel's right-hand boundary
    EXPECT_EQ(diagram.AreaAtPixel(canvas, x, y, clBlack), -1);
    EXPECT_TRUE(diagram.IsDivisionPoint());
    EXPECT_EQ(diagram.AreaAtPixel(canvas, x - 3, y, canvas.Pixel(x - 3, y)), 0);
    EXPECT_FALSE(diagram.IsDivisionPoint());
    // Without fills there is no field anywhere.
    diagram.SetDrawAreas(false);
    const std::unique_ptr<TBitmap> bare = diagram.RenderFieldMap();
    EXPECT_EQ(diagram.AreaNearComposition(*bare, 32, 24), -1);
}

TEST(FieldLookup, ReadingTakesDisplayUnitsAndGivesTheTemperatureInTheShownUnit) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(800, 600);
    const TLiquidusReading percent = diagram.LiquidusAt(32, 24);
    ASSERT_EQ(percent.Area, 0);
    ASSERT_TRUE(percent.Temperature);
    EXPECT_DOUBLE_EQ(*percent.Temperature, diagram.AltitudeTemperature(0, 32, 24));
    diagram.SetCUnits(TCUnits::cuMassParts);
    diagram.SetTUnits(TTUnits::tuK);
    const TLiquidusReading parts = diagram.LiquidusAt(0.32, 0.24);
    EXPECT_EQ(parts.Area, 0);
    EXPECT_NEAR(*parts.Temperature, TemperatureInUnits(*percent.Temperature, TTUnits::tuK), 1e-9);
    EXPECT_FALSE(diagram.LiquidusAt(0.8, 0.3).InTriangle);
    EXPECT_EQ(diagram.LiquidusAt(0.8, 0.3).Area, -1);
    diagram.SetTCalcMethod(TTCalcMethod::tcThermodynamic);
    EXPECT_EQ(diagram.LiquidusAt(0.32, 0.24).Area, 0);
    EXPECT_FALSE(diagram.LiquidusAt(0.32, 0.24).Temperature);
}

}  // namespace
}  // namespace liquidus
