#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <algorithm>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "binary/binagram.h"
#include "sample/sample.h"
#include "sections/section.h"
#include "ternary/ternagram.h"
#include "support/clirun.h"

namespace liquidus {
namespace {

using TResult = test::TCliRun;
TResult Invoke(const std::vector<std::string>& args) { return test::RunArgs(args); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(SectionCommand, BadSectionsExitWithOneLineAndNoFile) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("s.png").toStdString();
    const std::vector<std::vector<std::string>> cases = {
        {"--section", "1-2"},
        {"--section", "1-1", "--export", file},
        {"--section", "4-1", "--export", file},
        {"--section", "80,30:0,0", "--export", file},
        {"--section", "20,20:20,20", "--export", file},
        {"--section", "20,20", "--export", file},
        {"--section", "1-2", "--export", dir.filePath("s.txt").toStdString()},
        {"--section", "1-2", "--export", file, "--query-section"},
        {"--section", "1-2", "--query", "20,20"},
        {"--export", file, "--query-section"},
        {"--section", "1-2", "--set", "TCalcMethod=tcThermodynamic", "--export", file},
        {"--section", "1-2", "--export", file, "--mark-section", "30,9999"},
        {"--section", "1-2", "--export", file, "--mark-section", "x"},
        {"--section", "1-2", "--query-section", "--mark-section", "30,2000"},
    };
    for (const auto& args : cases) {
        const TResult result = Invoke(args);
        SCOPED_TRACE(args[1] + " " + (args.size() > 2 ? args[2] : ""));
        EXPECT_EQ(result.Status, 2);
        EXPECT_EQ(Lines(result.Err).size(), 1u) << result.Err;
        EXPECT_TRUE(result.Out.empty());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
    }
}

TEST(SectionCommand, QueryPrintsTheCurvesAsCsvAlongTheOrientedSide) {
    const TResult direct = Invoke({"--section", "1-2", "--query-section"});
    ASSERT_EQ(direct.Status, 0) << direct.Err;
    const std::vector<std::string> lines = Lines(direct.Out);
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], "field,knot,position,T");
    EXPECT_EQ(lines[1], "Periclase,1,0.0000,2800.00");
    EXPECT_EQ(lines.back(), "Cristobalite,10,100.0000,1723.00");
    // Position 1 now holds SiO2: the same side read from the other end.
    const TResult swapped =
        Invoke({"--set", "DataOrientation=doBAC", "--section", "1-2", "--query-section"});
    ASSERT_EQ(swapped.Status, 0) << swapped.Err;
    EXPECT_EQ(Lines(swapped.Out)[1], "Cristobalite,1,0.0000,1723.00");
}

TEST(SectionCommand, ExportWritesThePictureInEitherOrder) {
    QTemporaryDir dir;
    const std::string first = dir.filePath("a.png").toStdString();
    const std::string second = dir.filePath("b.bmp").toStdString();
    EXPECT_EQ(Invoke({"--section", "1-2", "--export", first}).Status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(first)).size(), QSize(640, 480));
    const TResult other =
        Invoke({"--export", second, "--size", "500x400", "--section", "0,50:50,50"});
    EXPECT_EQ(other.Status, 0) << other.Err;
    EXPECT_EQ(QImage(QString::fromStdString(second)).size(), QSize(500, 400));
}

TEST(SectionCommand, MarkSectionMarksThePictureAsARightClick) {
    QTemporaryDir dir;
    const std::string plain = dir.filePath("plain.png").toStdString();
    const std::string marked = dir.filePath("marked.png").toStdString();
    ASSERT_EQ(Invoke({"--section", "1-2", "--export", plain}).Status, 0);
    const TResult run =
        Invoke({"--section", "1-2", "--export", marked, "--mark-section", "30,2200"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const QImage before(QString::fromStdString(plain));
    const QImage after(QString::fromStdString(marked));
    ASSERT_EQ(before.size(), after.size());
    EXPECT_NE(before, after);  // the cross and the values table
}

TEST(SectionCommand, SvgFigureNamesAndColoursEveryListedFieldOnWhite) {
    QTemporaryDir dir;
    const QString svg = dir.filePath("s.svg");
    ASSERT_EQ(Invoke({"--section", "1-2", "--export", svg.toStdString()}).Status, 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString source = QString::fromUtf8(file.readAll());
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QSvgRenderer(svg).render(&painter);
    painter.end();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));  // paper, no frame
    const std::span<const QRgb> pixels(reinterpret_cast<const QRgb*>(image.constBits()),
                                       image.width() * image.height());
    // The legend of the window: each field met once, in its colour, then
    // Liquid; Cristobalite, met twice on this side, is named once.
    TTernagram triangle;
    LoadSampleDiagram(triangle);
    TBinagram shown;
    PresentSection(triangle, MakeSideSection(triangle, 1, 2), shown);
    ASSERT_LT(shown.LegendAreas().size(), std::size_t(triangle.Areas()));
    EXPECT_EQ(source.count(QStringLiteral(">Cristobalite</text>")), 1);
    for (const int r : shown.LegendAreas()) {
        const std::string name = shown.AreaList()[r].Name.str();
        EXPECT_TRUE(source.contains(QString::fromStdString(">" + name + "</text>"))) << name;
        const TColor c = AreaColors[r + 1];
        EXPECT_NE(std::ranges::find(pixels, qRgb(GetRValue(c), GetGValue(c), GetBValue(c))),
                  pixels.end())
            << name;
    }
    EXPECT_FALSE(source.contains(QStringLiteral(">Corundum</text>")));  // not on this side
}

}  // namespace
}  // namespace liquidus
