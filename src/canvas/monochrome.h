#pragma once
// The one light/dark rule of two-colour pictures, shared by every writer so
// that a .bmp and a .png of the same picture agree pixel for pixel.

#include <QImage>

namespace liquidus {

/// Luminance 0.299 R + 0.587 G + 0.114 B of at least 128 is white. A plain
/// nearest-colour reduction would blacken every coloured field.
inline bool IsLightPixel(QRgb pixel) {
    return 299u * qRed(pixel) + 587u * qGreen(pixel) + 114u * qBlue(pixel) >= 128000u;
}

/// A 1-bit copy of `image` by IsLightPixel (index 0 black, 1 white).
QImage ToMonochrome(const QImage& image);

}  // namespace liquidus
