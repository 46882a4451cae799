// Windows .bmp files: BITMAPFILEHEADER + BITMAPINFOHEADER, rows bottom-up and
// padded to four bytes.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/monochrome.h"
#include "canvas/savefile.h"

namespace liquidus {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dpi
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::int64_t RowBytes(std::int64_t width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

std::vector<std::uint8_t> Headers(int width, int height, int bitsPerPixel, std::uint32_t paletteSize) {
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteSize;
    const auto imageSize = static_cast<std::uint32_t>(RowBytes(width, bitsPerPixel) * height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, dataOffset + imageSize);
    Put32(out, 0);  // reserved
    Put32(out, dataOffset);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
    Put16(out, 1);                                     // planes
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, kBiRgb);
    Put32(out, imageSize);
    Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
    Put32(out, paletteSize);  // colours used
    Put32(out, 0);            // colours important: all
    if (paletteSize == 2) {
        Put32(out, 0x00000000u);  // index 0: black
        Put32(out, 0x00FFFFFFu);  // index 1: white
    }
    return out;
}

void EncodeRow(const QImage& image, int y, bool monochrome, std::vector<std::uint8_t>& row) {
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
        if (monochrome) {
            if (IsLightPixel(in[x])) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        } else {
            std::uint8_t* out = row.data() + 3 * static_cast<std::size_t>(x);
            out[0] = static_cast<std::uint8_t>(qBlue(in[x]));
            out[1] = static_cast<std::uint8_t>(qGreen(in[x]));
            out[2] = static_cast<std::uint8_t>(qRed(in[x]));
        }
    }
}

[[noreturn]] void SaveError(const std::string& fileName, const std::string& reason) {
    throw std::runtime_error("Cannot save \"" + fileName + "\": " + reason);
}

[[noreturn]] void LoadError(const std::string& fileName, const std::string& reason) {
    throw std::runtime_error("Cannot load \"" + fileName + "\": " + reason);
}

std::uint32_t Get16(const std::vector<std::uint8_t>& d, std::size_t at) {
    return d[at] | (std::uint32_t{d[at + 1]} << 8);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return Get16(d, at) | (Get16(d, at + 2) << 16);
}

std::vector<std::uint8_t> ReadAll(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        LoadError(fileName, std::strerror(errno));
    }
    std::vector<std::uint8_t> data;
    std::uint8_t buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        data.insert(data.end(), buffer, buffer + got);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        LoadError(fileName, std::strerror(error));
    }
    return data;
}

QImage Decode(const std::vector<std::uint8_t>& d, const std::string& fileName) {
    const std::size_t size = d.size();
    if (size < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M') {
        LoadError(fileName, "not a Windows bitmap");
    }
    const std::uint32_t dataOffset = Get32(d, 10);
    const std::uint32_t infoSize = Get32(d, 14);
    if (infoSize < kInfoHeaderSize || kFileHeaderSize + std::uint64_t{infoSize} > size) {
        LoadError(fileName, "unsupported or truncated bitmap header");
    }
    const auto width = static_cast<std::int32_t>(Get32(d, 18));
    const auto rawHeight = static_cast<std::int32_t>(Get32(d, 22));
    const std::uint32_t planes = Get16(d, 26);
    const auto bits = static_cast<int>(Get16(d, 28));
    const std::uint32_t compression = Get32(d, 30);
    const std::uint32_t coloursUsed = Get32(d, 46);
    if (width < 0 || rawHeight == INT32_MIN || planes != 1) {
        LoadError(fileName, "invalid bitmap dimensions");
    }
    if (bits != 1 && bits != 8 && bits != 24 && bits != 32) {
        LoadError(fileName, "unsupported colour depth of " + std::to_string(bits) + " bits");
    }
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -std::int64_t{rawHeight} : rawHeight;

    std::size_t paletteAt = kFileHeaderSize + infoSize;
    if (compression == kBiBitfields && bits == 32) {
        const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (masksAt + 12 > size || Get32(d, masksAt) != 0x00FF0000u ||
            Get32(d, masksAt + 4) != 0x0000FF00u || Get32(d, masksAt + 8) != 0x000000FFu) {
            LoadError(fileName, "unsupported colour masks");
        }
        if (infoSize == kInfoHeaderSize) {
            paletteAt += 12;
        }
    } else if (compression != kBiRgb) {
        LoadError(fileName, "compressed bitmaps are not supported");
    }

    std::vector<QRgb> palette;
    if (bits <= 8) {
        const std::uint32_t maxColours = 1u << bits;
        const std::uint32_t count = coloursUsed == 0 ? maxColours : coloursUsed;
        if (count > maxColours || paletteAt + 4 * std::uint64_t{count} > size) {
            LoadError(fileName, "invalid colour table");
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = paletteAt + 4 * std::size_t{i};
            palette.push_back(qRgb(d[at + 2], d[at + 1], d[at]));
        }
    }

    const std::int64_t rowBytes = RowBytes(width, bits);
    const auto available = static_cast<std::int64_t>(size) - std::int64_t{dataOffset};
    if (available < 0 || (rowBytes > 0 && height > available / rowBytes)) {
        LoadError(fileName, "truncated pixel data");
    }
    if (width == 0 || height == 0) {
        return {};
    }
    QImage image(width, static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        LoadError(fileName, "not enough memory for a " + std::to_string(width) + " x " +
                                std::to_string(height) + " bitmap");
    }
    for (std::int64_t r = 0; r < height; ++r) {
        const std::uint8_t* in = d.data() + dataOffset + r * rowBytes;
        const int y = static_cast<int>(topDown ? r : height - 1 - r);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 1:
            case 8: {
                const std::uint32_t index =
                    bits == 1 ? (in[x / 8] >> (7 - x % 8)) & 1u : std::uint32_t{in[x]};
                if (index >= palette.size()) {
                    LoadError(fileName, "colour index outside the colour table");
                }
                out[x] = palette[index];
                break;
            }
            default: {
                const std::uint8_t* p = in + static_cast<std::ptrdiff_t>(x) * (bits / 8);
                out[x] = qRgb(p[2], p[1], p[0]);
                break;
            }
            }
        }
    }
    return image;
}

}  // namespace

void TBitmap::SaveToFile(const std::string& fileName) const {
    const int bitsPerPixel = Monochrome ? 1 : 24;
    if (RowBytes(Width(), bitsPerPixel) * Height() > std::int64_t{UINT32_MAX} - 100) {
        SaveError(fileName, "picture too large for a bitmap file");
    }
    SaveFileAtomically(fileName, [this, bitsPerPixel](QIODevice& device) {
        const std::vector<std::uint8_t> headers =
            Headers(Width(), Height(), bitsPerPixel, Monochrome ? 2u : 0u);
        auto put = [&device](const std::vector<std::uint8_t>& bytes) {
            return device.write(reinterpret_cast<const char*>(bytes.data()),
                                static_cast<qint64>(bytes.size())) ==
                   static_cast<qint64>(bytes.size());
        };
        if (!put(headers)) return false;
        std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes(Width(), bitsPerPixel)));
        for (int y = Height() - 1; y >= 0; --y) {
            EncodeRow(m_image, y, Monochrome, row);
            if (!put(row)) return false;
        }
        return true;
    });
}

void TBitmap::LoadFromFile(TBitmap& into, const std::string& fileName) {
    QImage image = Decode(ReadAll(fileName), fileName);
    into.m_image = std::move(image);
}

}  // namespace liquidus
