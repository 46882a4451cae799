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

/// How a PDF's document information writes a text: UTF-16 behind its byte
/// order mark (for texts without parentheses or backslashes).
QByteArray PdfTextString(const QString& text) {
    QByteArray bytes("\xFE\xFF");
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return "(" + bytes + ")";
}

TEST(QtPrinter, PrintsTheDiagramIntoAPdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    ASSERT_FALSE(diagram.Title().empty());

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
    // Drawn, not pasted: lines as paths and texts as text, no picture in it.
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    EXPECT_EQ(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 1);
    // Queues and viewers show the job by the diagram's title.
    EXPECT_TRUE(pdf.contains("/Title " + PdfTextString(QString::fromStdString(diagram.Title()))));
    // The picture is in it: far more than the empty page.
    EXPECT_GT(pdf.size(), QFileInfo(emptyName).size() + 4000);
    // Qt writes the page in device pixels; the figure's first item is its
    // white ground, filling exactly where the stretched bitmap went: across
    // the page less 20 pixels each side, 386 / 600 of that high.
    const QString page = QString::fromLatin1(InflatedStreams(pdf));
    const QRegularExpression ground(QStringLiteral(
        R"(1 1 1 scn\s+/GSa gs\s+([\d.]+) ([\d.]+) m\s+([\d.]+) \2 l\s+\3 ([\d.]+) l\s+\1 \4 l)"));
    const QRegularExpressionMatch placed = ground.match(page);
    ASSERT_TRUE(placed.hasMatch()) << page.left(600).toStdString();
    const auto edge = [&placed](int i) { return placed.captured(i).toDouble(); };
    EXPECT_NEAR(edge(1), 20, 0.5);  // left, top, right, bottom
    EXPECT_NEAR(edge(2), 0, 0.5);
    EXPECT_NEAR(edge(3), printer->width() - 20, 0.5);
    EXPECT_NEAR(edge(4), (printer->width() - 40) * 386.0 / 600.0, 1.0);
    EXPECT_TRUE(page.contains(QStringLiteral("Tj")) || page.contains(QStringLiteral("TJ")));

    // A diagram without a title still names its job.
    diagram.SetTitle("");
    const QString untitledName = dir.filePath(QStringLiteral("untitled.pdf"));
    const auto untitled = PdfPrinter(untitledName);
    TQtPrinterTarget untitledTarget(*untitled);
    diagram.PrintDiagram(untitledTarget);
    QFile untitledFile(untitledName);
    EXPECT_TRUE(untitledFile.open(QIODevice::ReadOnly) && untitledFile.readAll().contains(
        "/Title " + PdfTextString(QString::fromLatin1(kUntitledPrintJob))));
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
    EXPECT_THROW(target.DrawFigure({0, 0, 10, 10}, TDrawing{}), std::runtime_error);
    EXPECT_THROW(target.TextOut(0, 0, "x"), std::runtime_error);
    EXPECT_THROW(target.EndDoc(), std::runtime_error);

    TTernagram diagram;
    LoadSampleDiagram(diagram);
    EXPECT_THROW(diagram.PrintDiagram(target), std::runtime_error);
}

}  // namespace
}  // namespace liquidus
