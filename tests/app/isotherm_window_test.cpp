// The isotherm calculation inside the real window: it yields to the event
// loop once per row, so the window keeps working and the progress box shows.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QTimer>
#include <QToolButton>
#include <QtGlobal>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "app/radiogroup.h"
#include "sample/sample.h"

namespace liquidus {
namespace {

std::vector<std::string> g_warnings;

void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) g_warnings.push_back(text.toStdString());
}

class IsothermWindow : public ::testing::Test {
protected:
    TMainForm form;
    TTernagram& diagram = form.Ternagram1();
    QGroupBox* box = form.findChild<QGroupBox*>(QStringLiteral("ProgressGroupBox"));
    QToolButton* print = form.findChild<QToolButton*>(QStringLiteral("PrintSpeedButton"));
    TNotifyEvent progress = diagram.OnIsothermCalcStep;
    QtMessageHandler previousHandler = nullptr;

    void SetUp() override {
        g_warnings.clear();
        previousHandler = qInstallMessageHandler(RecordWarning);
        form.resize(1024, 768);
        form.show();
    }
    void TearDown() override {
        diagram.OnIsothermCalcStep = progress;
        qInstallMessageHandler(previousHandler);
        EXPECT_TRUE(g_warnings.empty()) << g_warnings.front();
    }
    // Ticks "Show Isotherms" and lets the window run until the lists are in.
    bool ShowIsotherms() {
        form.findChild<QCheckBox*>(QStringLiteral("DICheckBox"))->setChecked(true);
        QElapsedTimer clock;
        clock.start();
        while ((!diagram.Isotherms().Calculated || diagram.IsothermScanRows() > 0) &&
               clock.elapsed() < 20000) {
            QApplication::processEvents();
        }
        QApplication::processEvents();
        return diagram.Isotherms().Calculated && diagram.IsothermScanRows() == 0;
    }
};

TEST_F(IsothermWindow, ScanAtFinestStepKeepsTheWindowLive) {
    diagram.Isotherms().SetMethodStep(0.25f);
    int rows = 0;
    int rowsWithBox = 0;
    int rowsPrintable = 0;
    diagram.OnIsothermCalcStep = [&](TComponent& sender) {
        progress(sender);
        ++rows;
        rowsWithBox += box->isHidden() ? 0 : 1;
        rowsPrintable += print->isEnabled() ? 1 : 0;
    };
    int timerTicks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++timerTicks; });
    ticker.start(0);

    ASSERT_TRUE(ShowIsotherms());
    EXPECT_EQ(rows, 399);
    EXPECT_EQ(rowsWithBox, 398);  // hidden again by the last row
    EXPECT_EQ(rowsPrintable, 1);
    EXPECT_TRUE(box->isHidden());
    EXPECT_TRUE(print->isEnabled());
    EXPECT_GE(timerTicks, 399);  // the event loop ran between the rows
}

TEST_F(IsothermWindow, StepPickedDuringTheScanIsCalculatedAfterIt) {
    int rows = 0;
    diagram.OnIsothermCalcStep = [&](TComponent& sender) {
        progress(sender);
        // The user picks scan step 0.50 while the first scan (1.00) runs.
        if (++rows == 40) {
            form.findChild<TRadioGroup*>(QStringLiteral("IMS"))->Button(1)->click();
            EXPECT_EQ(diagram.Isotherms().MethodStep(), 0.5f);
        }
    };
    ASSERT_TRUE(ShowIsotherms());
    EXPECT_EQ(rows, 99 + 199);  // the first scan ran to its end, then the new one
    EXPECT_TRUE(box->isHidden());
    EXPECT_EQ(form.CalcStepCount(), 0);

    TTernagram fresh;
    LoadSampleDiagram(fresh);
    fresh.SetBounds(diagram.Width(), diagram.Height());
    fresh.Isotherms().SetMethodStep(0.5f);
    fresh.SetDrawIsotherms(true);
    fresh.Paint();
    const TIsothermLists& shown = diagram.IsothermLists();
    ASSERT_EQ(shown.ListCount(), fresh.IsothermLists().ListCount());
    for (int k = 1; k <= shown.ListCount(); ++k) {
        EXPECT_EQ(shown.Points(k), fresh.IsothermLists().Points(k)) << "list " << k;
    }
}

}  // namespace
}  // namespace liquidus
