// The diagram widgets turn the component's events into signals, the
// read-out carrying what the component has just read under the mouse.

#include "qt/diagramwidget.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "sample/sample.h"

namespace liquidus {
namespace {

TEST(DiagramWidget, EachMouseGestureRaisesItsSignal) {
    TernaryDiagramWidget widget;
    TTernagram& diagram = widget.diagram();
    LoadSampleDiagram(diagram);
    widget.resize(800, 600);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    ASSERT_TRUE(QTest::qWaitFor([&diagram] { return diagram.Painted(); }, 5000));
    const TAreaData& field = diagram.AreaList()[2];
    int x = 0, y = 0;
    diagram.CompositionToPixel(field.FillA, field.FillB, x, y);

    TFullDataPoint read;
    TFullDataPoint firstRead;
    QObject::connect(&widget, &DiagramWidget::cursorMoved,
                     [&read](const TFullDataPoint& point) { read = point; });
    QSignalSpy moved(&widget, &DiagramWidget::cursorMoved);
    QSignalSpy left(&widget, &DiagramWidget::cursorLeft);
    QSignalSpy marked(&widget, &DiagramWidget::marked);
    QSignalSpy zoomedIn(&widget, &DiagramWidget::zoomedIn);
    QSignalSpy zoomedOut(&widget, &DiagramWidget::zoomedOut);
    QSignalSpy changed(&widget, &DiagramWidget::changed);
    struct TStep {
        const char* Name;
        std::function<void()> Act;
        QSignalSpy& Raised;
    };
    const std::vector<TStep> steps = {
        {"move into a field",
         [&] {
             QTest::mouseMove(&widget, QPoint(x, y));
             firstRead = read;
         },
         moved},
        {"move off the triangle", [&] { QTest::mouseMove(&widget, QPoint(2, 2)); }, left},
        {"right click", [&] { QTest::mouseClick(&widget, Qt::RightButton, {}, QPoint(x, y)); },
         marked},
        {"left drag",
         [&] {
             QTest::mousePress(&widget, Qt::LeftButton, {}, QPoint(x, y));
             QTest::mouseMove(&widget, QPoint(x + 40, y));
             QTest::mouseRelease(&widget, Qt::LeftButton, {}, QPoint(x + 40, y));
         },
         zoomedIn},
        {"left click", [&] { QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(5, 5)); },
         zoomedOut},
        {"new data", [&] { diagram.DataChanged(); }, changed},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Name);
        const qsizetype before = step.Raised.count();
        step.Act();
        EXPECT_GT(step.Raised.count(), before);
    }
    // The reading of the first move: the field's temperature, not the one
    // before the move (none).
    EXPECT_GT(firstRead.T, 1000.0);
}

TEST(DiagramWidget, IsothermProgressRisesToAHundred) {
    TernaryDiagramWidget widget;
    LoadSampleDiagram(widget.diagram());
    std::vector<int> percents;
    QObject::connect(&widget, &TernaryDiagramWidget::isothermProgress,
                     [&percents](int percent) { percents.push_back(percent); });
    widget.diagram().SetDrawIsotherms(true);
    widget.diagram().SetBounds(640, 480);
    widget.diagram().Paint();
    ASSERT_GT(percents.size(), 2u);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LT(percents.front(), percents.back());
    EXPECT_EQ(percents.back(), 100);
}

}  // namespace
}  // namespace liquidus
