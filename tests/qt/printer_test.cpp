#include "qt/printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <stdexcept>

#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    return printer;
}

/// Every Flate-compressed stream of a PDF file, inflated: the page's drawing
/// operators among them.
QByteArray InflatedStreams(const QByteArray& pdf) {
    QByteArray inflated;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        const qsizetype object = pdf.lastIndexOf(" obj", at);
        if (pdf.mid(object, at - object).contains("/FlateDecode")) {
            // qUncompress wants the inflated size first; it grows a short guess.
            inflated += qUncompress(QByteArray("\0\1\0\0", 4) + pdf.mid(start, end - start));
        }
        at = end + 9;
    }
    return inflated;
}

TEST(QtPrinter, PrintsTheDiagramIntoAPdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TTernagram diagram;
    LoadSampleDiagram(diagram);

    // An empty page for comparison: the job alone.
    const QString emptyName = dir.filePath(QStringLiteral("empty.pdf"));
    {
        auto printer = PdfPrinter(emptyName);
        TQtPrinterTarget target(*printer);
        target.BeginDoc();
        target.EndDoc();
    }
    const QString name = dir.filePath(QStringLiteral("diagram.pdf"));
    auto printer = PdfPrinter(name);
    TQtPrinterTarget target(*printer);
    EXPECT_EQ(target.PageWidth(), printer->width());
    EXPECT_EQ(target.PageHeight(), printer->height());
    // A portrait page tells width and height apart.
    ASSERT_LT(printer->width(), printer->height());
    EXPECT_GT(target.PageWidth(), 1000);  // device pixels of a high-resolution page
    diagram.PrintDiagram(target);

    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Image"));
    // The picture is in it: far more than the empty page.
    EXPECT_GT(pdf.size(), QFileInfo(emptyName).size() + 4000);
    // Qt places a picture by two matrices: device pixels per picture pixel
    // across and down, then the picture's own size in pixels. Equal scales
    // keep its proportions, and the scaled picture fits on the page.
    const QRegularExpression placed(QStringLiteral(
        R"(([\d.]+) 0 0 ([\d.]+) [-\d.]+ [-\d.]+ cm\s+(\d+) 0 0 -(\d+) 0 \d+ cm\s+/Im)"));
    const QRegularExpressionMatch image = placed.match(QString::fromLatin1(InflatedStreams(pdf)));
    ASSERT_TRUE(image.hasMatch());
    const double across = image.captured(1).toDouble();
    const double down = image.captured(2).toDouble();
    EXPECT_NEAR(down / across, 1.0, 0.01);
    EXPECT_LE(across * image.captured(3).toDouble(), printer->width());
    EXPECT_LE(down * image.captured(4).toDouble(), printer->height());
}

TEST(QtPrinter, RefusedJobThrowsAndDrawingOutsideAJobIsAnError) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("missing/diagram.pdf"));
    auto printer = PdfPrinter(name);
    TQtPrinterTarget target(*printer);
    EXPECT_THROW(target.BeginDoc(), std::runtime_error);
    EXPECT_FALSE(QFileInfo::exists(name));

    TBitmap bitmap(10, 10);
    EXPECT_THROW(target.StretchDraw({0, 0, 10, 10}, bitmap), std::runtime_error);
    EXPECT_THROW(target.TextOut(0, 0, "x"), std::runtime_error);
    EXPECT_THROW(target.EndDoc(), std::runtime_error);

    TTernagram diagram;
    LoadSampleDiagram(diagram);
    EXPECT_THROW(diagram.PrintDiagram(target), std::runtime_error);
}

}  // namespace
}  // namespace liquidus
