#pragma once
// Printing through Qt: a QPrinter as a component's print target, and the
// system's default printer.

#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>

#include "canvas/printer.h"

class QPrinter;

namespace liquidus {

/// Prints onto a QPrinter (a spooled printer or a PDF file). The printer is
/// not owned and must outlive the target.
class TQtPrinterTarget : public TPrinterTarget {
public:
    explicit TQtPrinterTarget(QPrinter& printer);
    ~TQtPrinterTarget() override;
    TQtPrinterTarget(const TQtPrinterTarget&) = delete;
    TQtPrinterTarget& operator=(const TQtPrinterTarget&) = delete;

    /// An empty title names the job kUntitledPrintJob.
    void SetTitle(const std::string& title) override;
    void BeginDoc() override;
    void EndDoc() override;
    void Abort() override;
    int PageWidth() const override;
    int PageHeight() const override;
    void StretchDraw(const TRect& rect, const TBitmap& bitmap) override;
    void DrawFigure(const TRect& rect, const TDrawing& drawing) override;
    void SetFontSize(int points) override;
    void TextOut(int x, int y, const std::string& text) override;

private:
    void RequirePrinting() const;

    QPrinter& m_printer;
    QPainter m_painter;
    QFont m_font;
};

/// What a print queue calls a job whose diagram has no title.
inline constexpr char kUntitledPrintJob[] = "Liquidus diagram";

/// The system's default printer at its full resolution, or nullptr when no
/// printer is installed.
std::unique_ptr<QPrinter> DefaultPrinter();

/// Qt's own PDF printer at full resolution, writing the page to `fileName`:
/// the same job as on paper where no printer is installed.
std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName);

}  // namespace liquidus
