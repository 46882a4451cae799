// Mouse events sent to the Qt widget reach the diagram it hosts.

#include "qt/controlwidget.h"

#include <gtest/gtest.h>

#include <QTest>

#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

TEST(ControlWidget, MouseEventsReachTheDiagram) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    TControlWidget widget(diagram);
    widget.resize(800, 600);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    ASSERT_TRUE(QTest::qWaitFor([&diagram] { return diagram.Painted(); }, 5000));  // the first paint
    const TAreaData& field = diagram.AreaList()[2];
    int x = 0, y = 0;
    diagram.CompositionToPixel(field.FillA, field.FillB, x, y);

    // A move with no button held: the widget tracks the mouse.
    QTest::mouseMove(&widget, QPoint(x, y));
    EXPECT_TRUE(diagram.CursorOnArea());
    EXPECT_EQ(diagram.CursorArea(), 2);
    EXPECT_EQ(widget.cursor().shape(), Qt::CrossCursor);

    // Right press and release mark the point.
    QTest::mouseClick(&widget, Qt::RightButton, Qt::NoModifier, QPoint(x, y));
    EXPECT_TRUE(diagram.MarkedPoint().Visible);

    // A left drag zooms in; a left click zooms out.
    QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    QTest::mouseMove(&widget, QPoint(x + 40, y));
    QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(x + 40, y));
    EXPECT_TRUE(diagram.Zoom());
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(diagram.Zoom());
}

}  // namespace
}  // namespace liquidus
