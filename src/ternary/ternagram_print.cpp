// Printing: the picture in the proportions of the fixed-size one, across the
// page width, drawn from its recording at the printer's resolution.

#include "canvas/printer.h"
#include "canvas/rounding.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {
constexpr int kPageMargin = 20;
constexpr int kFooterLeft = 80;
constexpr int kFooterRise = 5;
constexpr int kFooterFontSize = 8;
constexpr const char* kPrintCredit = "Printed with the Liquidus ternary diagram component";
}  // namespace

void TTernagram::PrintDiagram(TPrinterTarget& printer) {
    // The page is laid out as it was when the saved bitmap was stretched
    // across it, so a print keeps its place on paper; only the drawing is
    // sharper. Recorded before the job starts so that a failing recording
    // leaves no half-open job behind.
    const TTriangleLayout fixed = CalcExportLayout(Legend() || CoPhasesTable());
    const int pictureWidth = fixed.SideLength + kPictureMargins + fixed.LegendWidth;
    const int pictureHeight = fixed.TriangleHeight + kPictureMargins;
    const TDrawing figure = RecordFigure(pictureWidth, pictureHeight);
    printer.SetTitle(Title());
    printer.BeginDoc();
    try {
        const int pageWidth = printer.PageWidth();
        const double ratio = static_cast<double>(pageWidth - 2 * kPageMargin) / pictureWidth;
        const TRect rect{kPageMargin, 0, pageWidth - kPageMargin, Round(pictureHeight * ratio)};
        printer.DrawFigure(rect, figure);
        printer.SetFontSize(kFooterFontSize);
        printer.TextOut(kFooterLeft, rect.Bottom - kFooterRise, kPrintCredit);
    } catch (...) {
        printer.Abort();
        throw;
    }
    printer.EndDoc();
}

}  // namespace liquidus
