#include "app/displaycheck.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <string>
#include <vector>

namespace liquidus {
namespace {

using TMessages = std::vector<std::string>;

TEST(DisplayCheck, WidthThresholds) {
    const TMessages hint = {kLargerScreenHint};
    const TMessages bye = {kScreenAreaMessage, kLargerScreenHint};
    struct TCase {
        int width;
        TMessages messages;
        bool terminate;
    };
    for (const TCase& c : {TCase{640, bye, true}, TCase{798, bye, true}, TCase{799, hint, false},
                           TCase{800, hint, false}, TCase{1022, hint, false},
                           TCase{1023, {}, false}, TCase{1280, {}, false}}) {
        const TDisplayVerdict verdict = CheckDisplay(24, c.width);
        EXPECT_EQ(verdict.Messages, c.messages) << c.width;
        EXPECT_EQ(verdict.Terminate, c.terminate) << c.width;
    }
}

TEST(DisplayCheck, PaletteDisplaysEndTheProgramAndTheOtherChecksStillSpeak) {
    for (int depth : {1, 4, 8}) {
        const TDisplayVerdict verdict = CheckDisplay(depth, 1280);
        EXPECT_EQ(verdict.Messages, TMessages{kHighColorMessage}) << depth;
        EXPECT_TRUE(verdict.Terminate) << depth;
    }
    for (int depth : {15, 16, 24, 32}) {
        EXPECT_FALSE(CheckDisplay(depth, 1280).Terminate) << depth;
    }
    const TDisplayVerdict all = CheckDisplay(8, 798);
    EXPECT_EQ(all.Messages, (TMessages{kHighColorMessage, kScreenAreaMessage, kLargerScreenHint}));
    EXPECT_TRUE(all.Terminate);
    EXPECT_EQ(CheckDisplay(8, 1000).Messages, (TMessages{kHighColorMessage, kLargerScreenHint}));
}

TEST(DisplayCheck, MessagesAreTheProgramsOwn) {
    EXPECT_STREQ(kHighColorMessage, "High Colors (16bit) video is minimal. Bye!");
    EXPECT_STREQ(kScreenAreaMessage, "800x600 screen area is minimal. Bye!");
    EXPECT_STREQ(kLargerScreenHint, "Try 1024x768 or higher video and large fonts next time!");
}

TEST(DisplayCheck, BoxesCarryTheApplicationTitleAndTheVerdictOfThePrimaryScreen) {
    const QString savedTitle = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Checked Title"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const TDisplayVerdict expected = CheckDisplay(screen->depth(), screen->geometry().width());

    std::vector<std::string> shown;
    std::vector<QString> titles;
    // Answers each box as it comes up.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown.push_back(box->text().toStdString());
            titles.push_back(box->windowTitle());
            box->accept();
        }
    });
    answer.start(10);
    EXPECT_EQ(RunDisplayChecks(), expected.Terminate);
    answer.stop();
    EXPECT_EQ(shown, expected.Messages);
    for (const QString& title : titles) EXPECT_EQ(title, "Checked Title");
    QGuiApplication::setApplicationDisplayName(savedTitle);
}

}  // namespace
}  // namespace liquidus
