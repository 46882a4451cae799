#include "qt/printer.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

namespace liquidus {

TQtPrinterTarget::TQtPrinterTarget(QPrinter& printer)
    : m_printer(printer), m_font(QStringLiteral("Arial")) {}

TQtPrinterTarget::~TQtPrinterTarget() {
    // A job left open by a caller that never finished it is not printed.
    if (m_painter.isActive()) {
        Abort();
    }
}

void TQtPrinterTarget::SetTitle(const std::string& title) {
    m_printer.setDocName(title.empty() ? QString::fromLatin1(kUntitledPrintJob)
                                       : QString::fromStdString(title));
}

void TQtPrinterTarget::BeginDoc() {
    if (m_painter.isActive()) {
        throw std::runtime_error("Printing in progress");
    }
    if (!m_painter.begin(&m_printer)) {
        const QString where = m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                                   : m_printer.outputFileName();
        throw std::runtime_error("The printer could not start the job: " + where.toStdString());
    }
    // Pixels of a picture are scaled, never blended: the phase colours must
    // come out as they are on screen.
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setFont(m_font);
}

void TQtPrinterTarget::EndDoc() {
    RequirePrinting();
    if (!m_painter.end()) {
        throw std::runtime_error("The printer could not finish the job");
    }
}

void TQtPrinterTarget::Abort() {
    m_printer.abort();
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

int TQtPrinterTarget::PageWidth() const {
    return m_printer.width();
}

int TQtPrinterTarget::PageHeight() const {
    return m_printer.height();
}

void TQtPrinterTarget::StretchDraw(const TRect& rect, const TBitmap& bitmap) {
    RequirePrinting();
    m_painter.drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), bitmap.Image());
}

void TQtPrinterTarget::DrawFigure(const TRect& rect, const TDrawing& drawing) {
    RequirePrinting();
    // Unlike a bitmap's pixels, the recorded lines and texts are smoothed:
    // at the printer's resolution that is what keeps them from stair-stepping.
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    ReplayDrawing(drawing, m_painter, QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()));
    m_painter.restore();
}

void TQtPrinterTarget::SetFontSize(int points) {
    m_font.setPointSize(points);
    if (m_painter.isActive()) {
        m_painter.setFont(m_font);
    }
}

void TQtPrinterTarget::TextOut(int x, int y, const std::string& text) {
    RequirePrinting();
    m_painter.drawText(QPoint(x, y + m_painter.fontMetrics().ascent()),
                       QString::fromStdString(text));
}

void TQtPrinterTarget::RequirePrinting() const {
    if (!m_painter.isActive()) {
        throw std::runtime_error("Printer is not printing");
    }
}

std::unique_ptr<QPrinter> DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    return printer;
}

}  // namespace liquidus
