// On a screen of two physical pixels per logical one the diagram is drawn on the physical pixels at
// twice the size, and the mouse reads the composition under it there.

#include "qt/diagramwidget.h"

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "canvas/rasterizer.h"
#include "sample/sample.h"

namespace liquidus {
namespace {

// Read when the application object starts, so set before main runs; the
// test has an executable of its own for it.
const bool kTwoPixelsPerPixel = qputenv("QT_SCALE_FACTOR", "2");

TEST(HighDensityScreen, TheDiagramIsDrawnOnPhysicalPixelsAndTheMouseReadsThem) {
    TernaryDiagramWidget widget;
    TTernagram& diagram = widget.diagram();
    LoadSampleDiagram(diagram);
    widget.resize(500, 400);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    ASSERT_TRUE(QTest::qWaitFor([&diagram] { return diagram.Painted(); }, 5000));
    const double ratio = widget.devicePixelRatioF();
    ASSERT_TRUE(kTwoPixelsPerPixel);
    ASSERT_EQ(ratio, 2.0);
    EXPECT_EQ(std::pair(diagram.Width(), diagram.Height()), std::pair(1000, 800));

    // Margins and texts double with the pixels: the picture is the 500x400
    // one, drawn finer.
    TTernagram plain;
    LoadSampleDiagram(plain);
    plain.SetBounds(500, 400);
    plain.Paint();
    EXPECT_NEAR(diagram.SideLength(), 2 * plain.SideLength(), 2);
    EXPECT_EQ(diagram.FontSize(TTextRole::Title), 2 * plain.FontSize(TTextRole::Title));
    // Pictures of a size of their own keep to their own pixels (in a paper
    // colour that is not the window's).
    diagram.SetPaperColor(clWhite);
    plain.SetPaperColor(clWhite);
    plain.Paint();
    EXPECT_TRUE(diagram.RenderPicture(500, 400)->Image() == plain.Screen().Image());
    EXPECT_TRUE(diagram.RenderPicture()->Image() == plain.RenderPicture()->Image());

    const TAreaData& field = diagram.AreaList()[2];
    int x = 0, y = 0;
    diagram.CompositionToPixel(field.FillA, field.FillB, x, y);
    const QPoint logical(x / 2, y / 2);
    QTest::mouseMove(&widget, logical);
    ASSERT_TRUE(diagram.CursorOnArea());
    double a = 0, b = 0, c = 0;
    diagram.PixelToComposition(2 * logical.x(), 2 * logical.y(), a, b, c);
    EXPECT_EQ(std::pair(diagram.CursorPoint().A, diagram.CursorPoint().B), std::pair(a, b));

    // The right button's field-name tag reads at the same size: twice as
    // wide and high, four times the pixels.
    const auto tagPixels = [](TTernagram& d, int atX, int atY) {
        d.MouseDown(TMouseButton::mbRight, {}, atX, atY);
        const QImage image = d.Screen().Image();
        const QRgb tag = raster::ToPixel(d.Screen().Canvas().Resolve(clInfoBk));
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return std::count(pixels, pixels + image.width() * image.height(), tag);
    };
    plain.MouseMove({}, logical.x(), logical.y());
    EXPECT_NEAR(double(tagPixels(diagram, 2 * logical.x(), 2 * logical.y())) /
                    tagPixels(plain, logical.x(), logical.y()),
                4.0, 0.6);
}

}  // namespace
}  // namespace liquidus
