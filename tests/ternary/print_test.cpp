#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sample/sample.h"
#include "canvas/printer.h"
#include "support/fakehost.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

// Records what the diagram asks of the printer; can fail at one named call.
class TFakePrinter : public TPrinterTarget {
public:
    explicit TFakePrinter(int width) : pageWidth(width) {}

    int pageWidth;
    std::string failOn;
    std::vector<std::string> calls;
    std::string title;
    TRect rect;
    TDrawing figure;
    int fontSize = 0;
    int textX = 0;
    int textY = 0;
    std::string text;

    void SetTitle(const std::string& t) override {
        Call("SetTitle");
        title = t;
    }
    void BeginDoc() override { Call("BeginDoc"); }
    void EndDoc() override { Call("EndDoc"); }
    void Abort() override { calls.emplace_back("Abort"); }
    int PageWidth() const override { return pageWidth; }
    int PageHeight() const override { return pageWidth * 3 / 2; }
    void StretchDraw(const TRect&, const TBitmap&) override { Call("StretchDraw"); }
    void DrawFigure(const TRect& r, const TDrawing& drawing) override {
        Call("DrawFigure");
        rect = r;
        figure = drawing;
    }
    void SetFontSize(int points) override {
        Call("SetFontSize");
        fontSize = points;
    }
    void TextOut(int x, int y, const std::string& t) override {
        Call("TextOut");
        textX = x;
        textY = y;
        text = t;
    }

private:
    void Call(const std::string& name) {
        calls.push_back(name);
        if (name == failOn) throw std::runtime_error(name + " failed");
    }
};

class Print : public ::testing::Test {
protected:
    test::TFakeHost host;
    TTernagram diagram{&host};
    void SetUp() override {
        LoadSampleDiagram(diagram);
        diagram.SetBounds(900, 700);
    }
};

/// Width over height of a recorded figure.
double Proportion(const TDrawing& figure) {
    return static_cast<double>(figure.Width) / figure.Height;
}

TEST_F(Print, StretchesThePictureAcrossThePageWithAFooterBelowIt) {
    TFakePrinter printer(2000);
    diagram.SetTitle("MgO - SiO2 - Al2O3");
    diagram.PrintDiagram(printer);
    const std::vector<std::string> order = {"SetTitle",    "BeginDoc", "DrawFigure",
                                            "SetFontSize", "TextOut",  "EndDoc"};
    EXPECT_EQ(printer.calls, order);
    EXPECT_EQ(printer.title, "MgO - SiO2 - Al2O3");
    // The legend band is reserved: the proportions of the 600 × 386 picture,
    // r = 1960 / 600.
    EXPECT_NEAR(Proportion(printer.figure), 600.0 / 386.0, 1e-3);
    EXPECT_EQ(printer.rect, (TRect{20, 0, 1980, 1261}));  // 386 × 3.2667 = 1260.93
    EXPECT_EQ(printer.fontSize, 8);
    EXPECT_EQ(printer.textX, 80);
    EXPECT_EQ(printer.textY, 1256);
    EXPECT_FALSE(printer.text.empty());
    EXPECT_EQ(printer.text.find('\n'), std::string::npos);
    // What is printed is the figure an export of that shape writes, not the screen.
    const TDrawing exported = diagram.RecordFigure(600, 386);
    EXPECT_EQ(printer.figure.Width, exported.Width);
    EXPECT_EQ(printer.figure.Height, exported.Height);
    EXPECT_EQ(printer.figure.Items.size(), exported.Items.size());
}

TEST_F(Print, PictureWithoutLegendBandAndTheControlSizeDoesNotMatter) {
    diagram.SetLegend(false);
    diagram.SetCoPhasesTable(false);
    diagram.SetBounds(40, 30);  // far too small to show anything on screen
    TFakePrinter printer(2000);
    diagram.PrintDiagram(printer);
    EXPECT_NEAR(Proportion(printer.figure), 443.0 / 400.0, 1e-3);
    // r = 1960 / 443 = 4.42438; 400 r = 1769.75.
    EXPECT_EQ(printer.rect, (TRect{20, 0, 1980, 1770}));
    EXPECT_EQ(printer.textY, 1765);
}

TEST_F(Print, PrintedHeightRoundsHalvesToEven) {
    TFakePrinter narrow(190);  // 386 × 150 / 600 = 96.5
    diagram.PrintDiagram(narrow);
    EXPECT_EQ(narrow.rect, (TRect{20, 0, 170, 96}));
    EXPECT_EQ(narrow.textY, 91);
    TFakePrinter wider(490);  // 386 × 450 / 600 = 289.5
    diagram.PrintDiagram(wider);
    EXPECT_EQ(wider.rect, (TRect{20, 0, 470, 290}));
}

TEST_F(Print, PrinterFailuresReachTheCallerAndCancelAStartedJob) {
    TFakePrinter refusing(2000);
    refusing.failOn = "BeginDoc";
    EXPECT_THROW(diagram.PrintDiagram(refusing), std::runtime_error);
    EXPECT_EQ(refusing.calls, (std::vector<std::string>{"SetTitle", "BeginDoc"}));

    for (const char* failing : {"DrawFigure", "TextOut"}) {
        TFakePrinter printer(2000);
        printer.failOn = failing;
        EXPECT_THROW(diagram.PrintDiagram(printer), std::runtime_error) << failing;
        ASSERT_FALSE(printer.calls.empty());
        EXPECT_EQ(printer.calls.back(), "Abort") << failing;
        EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "EndDoc"), 0) << failing;
    }
    // The screen layout survives the failed jobs.
    diagram.CalcLayout();
    const TTriangleLayout screen = diagram.Layout();
    TFakePrinter printer(2000);
    printer.failOn = "DrawFigure";
    EXPECT_THROW(diagram.PrintDiagram(printer), std::runtime_error);
    EXPECT_EQ(diagram.SideLength(), screen.SideLength);
    EXPECT_EQ(diagram.TriangleLeft(), screen.TriangleLeft);
}

}  // namespace
}  // namespace liquidus
