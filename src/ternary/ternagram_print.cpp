// Printing: the fixed-size picture stretched across the page width.

#include <memory>

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
    // Rendered before the job starts so that a failing render leaves no
    // half-open job behind; the bitmap goes away on every path.
    const std::unique_ptr<TBitmap> bitmap = RenderPicture();
    printer.BeginDoc();
    try {
        const int pageWidth = printer.PageWidth();
        const double ratio = static_cast<double>(pageWidth - 2 * kPageMargin) / bitmap->Width();
        const TRect rect{kPageMargin, 0, pageWidth - kPageMargin, Round(bitmap->Height() * ratio)};
        printer.StretchDraw(rect, *bitmap);
        printer.SetFontSize(kFooterFontSize);
        printer.TextOut(kFooterLeft, rect.Bottom - kFooterRise, kPrintCredit);
    } catch (...) {
        printer.Abort();
        throw;
    }
    printer.EndDoc();
}

}  // namespace liquidus
