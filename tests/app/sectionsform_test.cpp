// The Sections window follows the main diagram.

#include "app/sectionsform.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "files/diagramfile.h"
#include "model/areadata.h"
#include "sample/sample.h"
#include "support/clirun.h"
#include "sections/section.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

// No printer here: the user takes Print to PDF, and exports as told.
class TProbeSections : public TSectionsForm {
public:
    using TSectionsForm::TSectionsForm;
    QString pdfName;
    std::optional<TExportRequest> exportRequest;
    std::vector<QString> messages;

protected:
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    std::unique_ptr<QPrinter> OpenPrinter() override { return nullptr; }
    bool OfferPdfInstead(const QString&) override { return true; }
    QString AskPdfFileName() override { return pdfName; }
    std::optional<TExportRequest> AskExport(const TExportRequest&) override {
        return exportRequest;
    }
};

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

// MgO - SiO2 meets Cristobalite on both sides of the two liquids.
TEST(SectionsForm, LegendNamesEachFieldMetOnceInOneColourAndTheAxisItsUnit) {
    TTernagram main;
    LoadSampleDiagram(main);
    main.SetBounds(1024, 768);
    TSectionsForm form(main);
    const TBinagram& binary = form.Binagram1();
    std::set<std::string> met;
    for (const TSectionCurve& curve : MakeSideSection(main, 1, 2).Curves) met.insert(curve.Name);
    ASSERT_TRUE(met.count("Cristobalite"));

    std::vector<std::string> listed;
    for (int record : binary.LegendAreas()) listed.push_back(binary.AreaList()[record].Name.str());
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.back(), kLiquidName);
    listed.pop_back();
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), met);
    EXPECT_EQ(listed.size(), met.size());  // no name twice
    // A stretch met again fills in the colour its name has in the legend.
    EXPECT_FALSE(binary.ExtraFills().empty());
    for (const TBinagram::TExtraFill& fill : binary.ExtraFills()) {
        EXPECT_TRUE(std::ranges::count(binary.LegendAreas(), fill.Record)) << fill.Record;
    }
    // Liquid is told apart from every field met at a glance.
    const int liquid = binary.LegendAreas().back();
    const auto distance = [](TColor a, TColor b) {
        int sum = 0;
        for (int shift : {0, 8, 16}) {
            const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
            sum += d * d;
        }
        return sum;
    };
    for (std::size_t i = 0; i + 1 < binary.LegendAreas().size(); ++i) {
        const int field = binary.LegendAreas()[i];
        EXPECT_GT(distance(AreaColors[liquid + 1], AreaColors[field + 1]), 60 * 60)
            << binary.AreaList()[field].Name.str();
    }

    EXPECT_EQ(binary.TAxisTitle(), "T, \u00B0C");
    main.SetTUnits(TTUnits::tuF);
    EXPECT_TRUE(QTest::qWaitFor([&] { return binary.TAxisTitle() == "T, \u00B0F"; }, 5000));
}

// Scripts see what the window shows: the command line's picture of a side
// is the window's, pixel for pixel.
TEST(SectionsForm, TheCommandLinePictureIsTheWindows) {
    TTernagram main;
    LoadSampleDiagram(main);
    main.SetBounds(1024, 768);  // the triangle the command line reads
    TProbeSections form(main);
    QTemporaryDir dir;
    const std::string bmp = dir.filePath(QStringLiteral("side.bmp")).toStdString();
    ASSERT_EQ(test::RunArgs({"--section", "1-2", "--export", bmp, "--size", "700x450"}).Status, 0);
    // But for the paper: the window's is its palette's, the command line's
    // the default system colour.
    const auto onWhite = [](QImage image) {
        image = image.convertToFormat(QImage::Format_RGB32);
        const QRgb paper = image.pixel(1, 1);  // inside the frame
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::replace(line, line + image.width(), paper, qRgb(255, 255, 255));
        }
        return image;
    };
    EXPECT_EQ(onWhite(QImage(QString::fromStdString(bmp))),
              onWhite(form.Binagram1().RenderPicture(700, 450)->Image()));
}

// The section prints as a drawing titled with its own title, and exports
// at the size asked for.
TEST(SectionsForm, PrintsADrawingAndExportsThePicture) {
    TTernagram main;
    LoadSampleDiagram(main);
    TProbeSections form(main);
    form.Binagram1().SetBounds(640, 400);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    form.pdfName = dir.filePath(QStringLiteral("section.pdf"));
    form.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    QFile pdf(form.pdfName);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
    EXPECT_GT(bytes.size(), 4000);
    // The title as a PDF writes it: UTF-16 behind a byte order mark.
    QByteArray title("\xFE\xFF");
    for (const char c : form.Binagram1().Title()) title.append('\0').append(c);
    EXPECT_TRUE(bytes.contains(title)) << form.Binagram1().Title();

    const QString bmp = dir.filePath(QStringLiteral("section.bmp"));
    form.exportRequest = TExportRequest{bmp, TPictureFormat::Bmp, {300, 200, false}, 1};
    form.findChild<QPushButton*>(QStringLiteral("ExportButton"))->click();
    TBitmap saved;
    TBitmap::LoadFromFile(saved, bmp.toStdString());
    EXPECT_EQ(saved.Width(), 300);
    EXPECT_EQ(saved.Height(), 200);
    EXPECT_TRUE(form.messages.empty());
}

}  // namespace
}  // namespace liquidus
