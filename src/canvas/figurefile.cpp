#include "canvas/figurefile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "canvas/monochrome.h"
#include "canvas/savefile.h"

namespace liquidus {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kScreenDpi = 96.0;
// Device units of the vector files: fine enough that rounding a page to
// whole units moves nothing visibly.
constexpr int kSvgDpi = 2540;  // a hundredth of a millimetre
constexpr int kPdfDpi = 1200;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void WriteBytes(const std::string& fileName, const QByteArray& bytes) {
    SaveFileAtomically(fileName, [&bytes](QIODevice& device) {
        return device.write(bytes) == bytes.size();
    });
}

QByteArray SvgBytes(const TDrawing& drawing, QSizeF mm, const std::string& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QSizeF units(mm.width() / kMillimetresPerInch * kSvgDpi,
                       mm.height() / kMillimetresPerInch * kSvgDpi);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kSvgDpi);
    svg.setSize(units.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), units));
    svg.setTitle(QString::fromStdString(title));
    svg.setDescription(QStringLiteral("Liquidus diagram"));
    QPainter painter;
    if (!painter.begin(&svg)) throw std::runtime_error("the SVG writer did not start");
    ReplayDrawing(drawing, painter, QRectF(QPointF(0, 0), units));
    painter.end();
    return buffer.data();
}

QByteArray PdfBytes(const TDrawing& drawing, QSizeF mm, const std::string& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfDpi);
    pdf.setPageSize(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(title));
    pdf.setCreator(QStringLiteral("Liquidus"));
    QPainter painter;
    if (!painter.begin(&pdf)) throw std::runtime_error("the PDF writer did not start");
    const QSizeF units(mm.width() / kMillimetresPerInch * kPdfDpi,
                       mm.height() / kMillimetresPerInch * kPdfDpi);
    ReplayDrawing(drawing, painter, QRectF(QPointF(0, 0), units));
    painter.end();
    return buffer.data();
}

}  // namespace

std::optional<TPictureFormat> PictureFormatOf(const std::string& fileName) {
    const std::string name = Lower(fileName);
    const auto ends = [&name](const char* suffix) { return name.ends_with(suffix); };
    if (ends(".bmp")) return TPictureFormat::Bmp;
    if (ends(".png")) return TPictureFormat::Png;
    if (ends(".svg")) return TPictureFormat::Svg;
    if (ends(".pdf")) return TPictureFormat::Pdf;
    return std::nullopt;
}

QSizeF TFigureSize::InMillimetres() const {
    if (Millimetres) return {Width, Height};
    return {Width / kScreenDpi * kMillimetresPerInch, Height / kScreenDpi * kMillimetresPerInch};
}

QImage FigureImage(const TDrawing& drawing, int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) throw std::bad_alloc();
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ReplayDrawing(drawing, painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

void WriteFigure(const TDrawing& drawing, const std::string& fileName, TPictureFormat format,
                 const TFigureSize& size, const std::string& title, bool monochrome) {
    switch (format) {
        case TPictureFormat::Png: {
            if (size.Millimetres) throw std::invalid_argument("a PNG is sized in pixels");
            QImage image = FigureImage(drawing, static_cast<int>(std::lround(size.Width)),
                                       static_cast<int>(std::lround(size.Height)));
            if (monochrome) image = ToMonochrome(image);
            image.setText(QStringLiteral("Title"), QString::fromStdString(title));
            SaveFileAtomically(fileName, [&image](QIODevice& device) {
                if (!image.save(&device, "PNG")) throw std::runtime_error("PNG encoding failed");
                return true;
            });
            return;
        }
        case TPictureFormat::Svg:
            WriteBytes(fileName, SvgBytes(drawing, size.InMillimetres(), title));
            return;
        case TPictureFormat::Pdf:
            WriteBytes(fileName, PdfBytes(drawing, size.InMillimetres(), title));
            return;
        case TPictureFormat::Bmp:
            break;
    }
    throw std::invalid_argument("a bitmap is written by the raster canvas");
}

}  // namespace liquidus
