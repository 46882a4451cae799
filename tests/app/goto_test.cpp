// The "Go to Composition" box of the main window.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>
#include <vector>

#include "app/mainform.h"

namespace liquidus {
namespace {

class TMessageForm : public TMainForm {
public:
    std::vector<QString> messages;

protected:
    void ShowMessage(const QString& text) override { messages.push_back(text); }
};

/// Three typed shares and what the box should answer to them.
struct TCase {
    const char* a;
    const char* b;
    const char* c;
    const char* says;
};

class GoTo : public ::testing::Test {
protected:
    TMessageForm form;
    TTernagram& diagram = form.Ternagram1();

    void Go(const QString& a, const QString& b, const QString& c) {
        const QString values[3] = {a, b, c};
        const char* names[3] = {"GoToEditA", "GoToEditB", "GoToEditC"};
        for (int i = 0; i < 3; ++i) {
            form.findChild<QLineEdit*>(QString::fromLatin1(names[i]))->setText(values[i]);
        }
        form.findChild<QPushButton*>(QStringLiteral("GoToButton"))->click();
    }
    void Go(const TCase& c) {
        form.messages.clear();
        Go(QString::fromLatin1(c.a), QString::fromLatin1(c.b), QString::fromLatin1(c.c));
    }
};

TEST_F(GoTo, MarksTheCompositionAndNamesItsField) {
    diagram.SetBounds(900, 700);
    diagram.Paint();
    const TAreaData& field = diagram.AreaList()[1];
    Go(QString::number(field.FillA), QString::number(field.FillB),
       QString::number(100 - field.FillA - field.FillB));
    EXPECT_TRUE(form.messages.empty());
    EXPECT_TRUE(diagram.MarkedPoint().Visible);
    EXPECT_DOUBLE_EQ(diagram.MarkedPoint().B, field.FillB);
    const QString reading = form.findChild<QLabel*>(QStringLiteral("GoToLabel"))->text();
    EXPECT_TRUE(reading.startsWith(QString::fromStdString(field.Name.str())))
        << reading.toStdString();
}

TEST_F(GoTo, CornersAndSidesNameTheirFieldWhateverTheWindowSize) {
    const TCase cases[] = {
        {"100", "0", "0", "Periclase, 2800"},    {"0", "0", "100", "Corundum, 2020"},
        {"0", "100", "0", "Cristobalite, 1723"}, {"99", "1", "0", "Periclase"},
        {"50", "50", "0", "Forsterite"},
    };
    for (const auto& [w, h] : {std::pair{1280, 1024}, {700, 520}}) {
        diagram.SetBounds(w, h);
        for (const TCase& c : cases) {
            Go(c);
            EXPECT_TRUE(form.messages.empty()) << c.says;
            const QString reading = form.findChild<QLabel*>(QStringLiteral("GoToLabel"))->text();
            EXPECT_TRUE(reading.startsWith(QString::fromLatin1(c.says))) << reading.toStdString();
        }
    }
}

TEST_F(GoTo, RefusesSharesThatDoNotFitAndChangesNothing) {
    const TCase cases[] = {
        {"20", "30", "40", "add up to 100"},
        {"120", "-10", "-10", "outside the triangle"},
        {"x", "30", "50", "three numbers"},
    };
    for (const TCase& c : cases) {
        Go(c);
        ASSERT_EQ(form.messages.size(), 1u) << c.says;
        EXPECT_TRUE(form.messages[0].contains(QString::fromLatin1(c.says)))
            << form.messages[0].toStdString();
        EXPECT_FALSE(diagram.MarkedPoint().Visible);
    }
}

}  // namespace
}  // namespace liquidus
