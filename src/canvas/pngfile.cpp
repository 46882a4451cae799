// Portable Network Graphics files, for pictures meant for documents rather
// than for the bitmap format the Save button writes.

#include <stdexcept>
#include <string>

#include "canvas/canvas.h"
#include "canvas/monochrome.h"
#include "canvas/savefile.h"

namespace liquidus {

QImage ToMonochrome(const QImage& image) {
    QImage mono(image.size(), QImage::Format_Mono);
    mono.setColorCount(2);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            mono.setPixel(x, y, IsLightPixel(image.pixel(x, y)) ? 1 : 0);
        }
    }
    return mono;
}

void TBitmap::SaveToPngFile(const std::string& fileName) const {
    const QImage image = Monochrome ? ToMonochrome(m_image) : m_image;
    SaveFileAtomically(fileName, [&image](QIODevice& device) {
        if (!image.save(&device, "PNG")) {
            throw std::runtime_error(device.errorString().isEmpty()
                                         ? std::string("PNG encoding failed")
                                         : device.errorString().toStdString());
        }
        return true;
    });
}

}  // namespace liquidus
