#include "qt/printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
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
    EXPECT_GT(target.PageWidth(), 1000);  // device pixels of a high-resolution page
    diagram.PrintDiagram(target);

    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Image"));
    // The picture is in it: far more than the empty page.
    EXPECT_GT(pdf.size(), QFileInfo(emptyName).size() + 4000);
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
