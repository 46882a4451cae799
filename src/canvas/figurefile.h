#pragma once
// Pictures for documents: a recorded drawing written as an antialiased PNG,
// or as SVG or PDF with lines as paths and texts as text.

#include <QImage>
#include <QSizeF>

#include <optional>
#include <string>

#include "canvas/drawing.h"

namespace liquidus {

enum class TPictureFormat { Bmp, Png, Svg, Pdf };

/// The format named by the file name's extension (any case): .bmp, .png,
/// .svg or .pdf.
std::optional<TPictureFormat> PictureFormatOf(const std::string& fileName);

/// What a picture may be asked for: beyond these a slip of the keyboard,
/// not a picture (a side of pixels; a wall poster is about a metre and a
/// half; texts from a quarter to eight times their size).
inline constexpr int kMaxPictureSide = 10000;
inline constexpr double kMaxFigureMillimetres = 2000.0;
inline constexpr double kMinTextScale = 0.25;
inline constexpr double kMaxTextScale = 8.0;

/// A figure's size: pixels, or millimetres for the vector formats.
struct TFigureSize {
    double Width = 0.0;
    double Height = 0.0;
    bool Millimetres = false;
    /// The size in millimetres; pixels count at 96 per inch.
    QSizeF InMillimetres() const;
    friend bool operator==(const TFigureSize&, const TFigureSize&) = default;
};

/// `drawing` on white, antialiased, filling `width` x `height` pixels.
QImage FigureImage(const TDrawing& drawing, int width, int height);

/// Writes `drawing` to `fileName` as PNG (whole pixels; two-colour when
/// `monochrome`), SVG or PDF (one page of the size), titled `title`.
/// BMP is the raster canvas's own and is refused here. Throws TSaveError,
/// leaving no partial file.
void WriteFigure(const TDrawing& drawing, const std::string& fileName, TPictureFormat format,
                 const TFigureSize& size, const std::string& title, bool monochrome = false);

}  // namespace liquidus
