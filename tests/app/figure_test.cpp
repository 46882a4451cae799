// Figures from the command line, read back as other programs read them:
// the SVG through Qt's renderer and its text elements, the PDF through
// poppler's tools, the PNG by its pixels.

#include "app/cli/commandline.h"
#include "support/clirun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineF>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "canvas/rasterizer.h"
#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

class Figure : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const {
        return QDir(m_dir.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    QString Export(const std::string& name, std::vector<std::string> options) {
        options.insert(options.begin(), {"--export", Path(name), "--set", "DrawAreas=True",
                                         "--set", "DrawSplines=True"});
        const test::TCliRun run = test::RunArgs(options);
        EXPECT_EQ(run.Status, 0) << run.Err;
        return QString::fromStdString(Path(name));
    }
    /// A poppler tool's output for `file` (pdftotext writes to "-").
    static QString Tool(const QString& program, const QString& file, QStringList args = {}) {
        QProcess process;
        args << file;
        if (program == "pdftotext") args << "-";
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    QTemporaryDir m_dir;
};

/// Pixel of a composition in a figure of `width` x `height`: the figure is
/// laid out at ten times the 600-pixel picture of its shape.
QPoint FigurePixel(double a, double b, int width, int height) {
    const int w = kNominalFigureWidth * kFigureScale;
    const int h = static_cast<int>(std::lround(double(w) * height / width));
    const TTriangleLayout layout = CalcScreenLayout(w, h, true, kFigureScale);
    double x = 0, y = 0;
    CompositionToRealPixel(layout, a, b, x, y);
    return {static_cast<int>(x * width / w), static_cast<int>(y * width / w)};
}

TEST_F(Figure, SvgHasEveryFieldAtItsFillPointAndItsTextsAsText) {
    const QString file = Export("f.svg", {"--set", "Title=Liquidus of MgO"});
    QSvgRenderer svg(file);
    ASSERT_TRUE(svg.isValid());
    // 600x386 pixels at 96 dpi, rendered at three times that.
    const QSize size(1800, 1158);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    TTernagram sample;
    LoadSampleDiagram(sample);
    for (int i = 1; i <= sample.Areas(); ++i) {
        const TAreaData& area = sample.AreaList()[i - 1];
        const QPoint p = FigurePixel(area.FillA, area.FillB, size.width(), size.height());
        // A narrow field's fill point can lie under its boundary, which is
        // a nominal pixel (3 here) wide: its colour is beside it.
        bool found = false;
        for (int d = 0; d < 13 * 13 && !found; ++d) {
            found = ((image.pixel(p + QPoint(d % 13 - 6, d / 13 - 6)) ^
                      raster::ToPixel(AreaColors[i])) & 0xFFFFFF) == 0;
        }
        EXPECT_TRUE(found) << std::string(area.Name) << " at " << p.x() << "," << p.y();
    }
    // Texts as text: each is the content of a text element.
    QFile source(file);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QString svgText = QString::fromUtf8(source.readAll());
    std::vector<std::string> texts{"Liquidus of MgO"};
    for (int i = 0; i < sample.Areas(); ++i) texts.push_back(sample.AreaList()[i].Name.str());
    for (const std::string& text : texts) {
        EXPECT_TRUE(svgText.contains(QString::fromStdString(">" + text + "</text>"))) << text;
    }
}

TEST_F(Figure, PdfIsOnePageOfTheAskedSizeWithTextAndNoPicture) {
    const QString file =
        Export("f.pdf", {"--size", "160x100mm", "--set", "Title=Liquidus of MgO"});
    const QString info = Tool("pdfinfo", file).simplified();
    EXPECT_TRUE(info.contains("Pages: 1 ")) << info.toStdString();
    EXPECT_TRUE(info.contains("Page size: 454 x 283 pts")) << info.toStdString();  // in points
    EXPECT_TRUE(Tool("pdftotext", file).contains("Liquidus of MgO"));
    // A header, a rule and no image below them.
    EXPECT_EQ(Tool("pdfimages", file, {"-list"}).trimmed().count('\n'), 1);
}

std::vector<QLineF> Segments(const QPainterPath& path) {
    std::vector<QLineF> lines;
    for (int i = 1; i < path.elementCount(); ++i) {
        if (path.elementAt(i).isLineTo()) lines.emplace_back(path.elementAt(i - 1), path.elementAt(i));
    }
    return lines;
}

double Distance(QPointF p, const QLineF& line) {
    const QPointF d = line.p2() - line.p1();
    const double length2 = std::max(QPointF::dotProduct(d, d), 1e-12);
    const double t = std::clamp(QPointF::dotProduct(p - line.p1(), d) / length2, 0.0, 1.0);
    return QLineF(p, line.pointAt(t)).length();
}

TEST(FigureFields, OutlinesFollowTheLinesTheyStopAtWithinATenthOfALineWidth) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetDrawAreas(true);
    diagram.SetDrawSplines(true);
    const TDrawing drawing = diagram.RecordFigure(600, 386);
    std::vector<std::pair<QLineF, int>> lines;  // with the pen's width
    std::vector<QPointF> corners;  // and points along the edges
    for (const TDrawnItem& item : drawing.Items) {
        const bool field = std::find(AreaColors.begin() + 1, AreaColors.end(), item.Color) !=
                           AreaColors.end();
        if (item.Kind == TDrawnItem::TKind::Stroke && item.Color == clBlack) {
            for (const QLineF& line : Segments(item.Path)) lines.emplace_back(line, item.PenWidth);
        } else if (item.Kind == TDrawnItem::TKind::Fill && field) {
            // The corners and the edges between them, a pixel apart.
            for (const QLineF& edge : Segments(item.Path)) {
                const int steps = std::max(1, static_cast<int>(edge.length()));
                for (int k = 0; k < steps; ++k) corners.push_back(edge.pointAt(double(k) / steps));
            }
        }
    }
    ASSERT_GT(corners.size(), 100u);
    // A corner of an outline lies under the line it stopped at, so no
    // paper shows between field and line; beside a boundary (a 1-pixel pen)
    // it is at most a tenth of a line width beyond the line's pixels (half
    // a pixel off its centre line), but for the few at the tips of wedges
    // narrower than a pixel, where the lines' pixels merge.
    double worstUnder = -1e9;
    std::vector<double> beyond;
    for (const QPointF& corner : corners) {
        auto [nearest, width] = std::pair{1e9, 1};
        for (const auto& [line, pen] : lines) {
            if (const double d = Distance(corner, line); d < nearest) std::tie(nearest, width) = std::pair{d, pen};
        }
        worstUnder = std::max(worstUnder, nearest - width * drawing.LineScale / 2);
        if (width == 1) beyond.push_back((nearest - 0.5) / drawing.LineScale);
    }
    EXPECT_LE(worstUnder, 0.0);
    std::sort(beyond.begin(), beyond.end());
    ASSERT_GT(beyond.size(), 100u);
    EXPECT_LE(beyond[beyond.size() * 99 / 100], 0.1);
}

/// The first run of rows with ink left of the legend: the title, the
/// topmost text over the triangle.
int TitleInkHeight(const QImage& image) {
    int first = -1;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() * 3 / 5 && !ink; ++x) ink = qGray(image.pixel(x, y)) < 128;
        if (ink && first < 0) first = y;
        if (!ink && first >= 0) return y - first;
    }
    return 0;
}

TEST_F(Figure, PngTextGrowsWithThePictureAndTheTextScale) {
    const QImage one(Export("1.png", {}));
    const QImage three(Export("3.png", {"--size", "1800x1158"}));
    const QImage larger(Export("t.png", {"--size", "1800x1158", "--text-scale", "1.5"}));
    ASSERT_EQ(one.size(), QSize(600, 386));
    ASSERT_EQ(three.size(), QSize(1800, 1158));
    const double h = TitleInkHeight(one);
    ASSERT_GT(h, 5);
    EXPECT_NEAR(TitleInkHeight(three) / h, 3.0, 0.35);
    EXPECT_NEAR(TitleInkHeight(larger) / h, 4.5, 0.5);
}

}  // namespace
}  // namespace liquidus
