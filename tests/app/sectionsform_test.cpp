// The Sections window follows the main diagram.

#include "app/sectionsform.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include "files/diagramfile.h"
#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

TEST(SectionsForm, FollowsOrientationUnitsAndTheMark) {
    TTernagram main;
    LoadSampleDiagram(main);
    main.SetBounds(1024, 768);
    TSectionsForm form(main);
    auto* sides = form.findChild<QComboBox*>(QStringLiteral("SideComboBox"));
    auto* throughMark = form.findChild<QCheckBox*>(QStringLiteral("ThroughMarkCheckBox"));
    ASSERT_NE(sides, nullptr);
    ASSERT_NE(throughMark, nullptr);
    EXPECT_EQ(sides->itemText(0), QString::fromUtf8("MgO – SiO2"));
    EXPECT_EQ(form.Problem(), QString());
    EXPECT_EQ(form.Binagram1().SubstanceA().Name(), "MgO");
    EXPECT_FALSE(throughMark->isEnabled());  // no mark yet

    // Changes made in the main window reach the open section.
    main.SetDataOrientation(TDataOrientation::doBAC);
    main.SetTUnits(TTUnits::tuK);
    // The window refreshes once the event loop runs again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Binagram1().TUnits() == TTUnits::tuK; }, 5000));
    EXPECT_EQ(sides->itemText(0), QString::fromUtf8("SiO2 – MgO"));
    EXPECT_EQ(form.Binagram1().SubstanceA().Name(), "SiO2");
    EXPECT_EQ(form.Binagram1().TUnits(), TTUnits::tuK);

    // Through a marked point, parallel to the chosen side.
    main.SetMarkMode(true);
    ASSERT_EQ(main.GoToComposition(40, 40), TGoToResult::Marked);
    ASSERT_TRUE(QTest::qWaitFor([&] { return throughMark->isEnabled(); }, 5000));
    throughMark->setChecked(true);
    EXPECT_EQ(form.Problem(), QString());
    EXPECT_NE(form.Binagram1().SubstanceA().Name(), "SiO2");  // an end inside the triangle
}

TEST(SectionsForm, FollowsADiagramOpenedAgainWithOtherTemperatures) {
    TTernagram main;
    LoadSampleDiagram(main);
    main.SetBounds(1024, 768);
    TSectionsForm form(main);
    const auto hottest = [&] {
        double t = 0;
        for (const TBinaryPoint& p : form.Binagram1().BoundaryPoints()) t = std::max(t, p.T);
        return t;
    };
    const double before = hottest();
    TDiagramFile file = DiagramFromTernagram(main);
    for (TDiagramField& field : file.Fields) {
        for (TAreaPoint& vertex : field.Vertices) vertex.T += 150;
    }
    ApplyDiagram(file, main);
    EXPECT_TRUE(QTest::qWaitFor([&] { return hottest() == before + 150; }, 5000)) << hottest();
}

}  // namespace
}  // namespace liquidus
