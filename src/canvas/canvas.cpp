// The bitmap itself, colour resolution, single pixels and raster copies.

#include "canvas/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "canvas/drawing.h"
#include "canvas/rasterizer.h"

namespace liquidus {

using raster::FromPixel;
using raster::ToPixel;

namespace {

QImage WhiteImage(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        throw std::bad_alloc();
    }
    image.fill(ToPixel(clWhite));
    return image;
}

// A rectangle with its extents made positive; `flipped` tells whether the
// caller gave it right-to-left (or bottom-to-top) on that axis.
struct Extent {
    std::int64_t Start = 0;
    std::int64_t Size = 0;
    bool Flipped = false;
};

Extent MakeExtent(int a, int b) {
    if (b >= a) {
        return {a, std::int64_t{b} - a, false};
    }
    return {b, std::int64_t{a} - b, true};
}

}  // namespace

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap(int width, int height) : m_image(WhiteImage(width, height)) {}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) {
        return;
    }
    QImage resized = WhiteImage(width, height);
    const int keepWidth = std::min(width, Width());
    const int keepHeight = std::min(height, Height());
    for (int y = 0; y < keepHeight; ++y) {
        std::memcpy(resized.scanLine(y), m_image.constScanLine(y),
                    static_cast<std::size_t>(keepWidth) * sizeof(QRgb));
    }
    m_image = std::move(resized);
}

void TBitmap::Fill(TColor color) { m_image.fill(ToPixel(m_canvas.Resolve(color))); }

void TBitmap::SetSystemColorResolver(TSystemColorResolver resolver) {
    m_resolver = std::move(resolver);
}

// ---------------------------------------------------------------- TCanvas

TColor TCanvas::Resolve(TColor color) const {
    if (IsSystemColor(color)) {
        const TSystemColorResolver& resolver = m_owner.SystemColorResolver();
        TColor resolved = resolver ? resolver(color) : DefaultSystemColor(color);
        if (IsSystemColor(resolved)) {
            // A resolver that answers with another system colour would leave
            // nothing to draw with.
            resolved = DefaultSystemColor(color);
        }
        return resolved & 0x00FFFFFFu;
    }
    return color & 0x00FFFFFFu;
}

void TCanvas::ResetState() {
    Pen = TPen{};
    Brush = TBrush{};
    Font = TFont{};
    CopyMode = TCopyMode::cmSrcCopy;
    m_penPos = {};
}

TColor TCanvas::GetNearestColor(TColor color) const { return Resolve(color); }

TColor TCanvas::Pixel(int x, int y) const {
    const QImage& image = m_owner.Image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return kInvalidColor;
    }
    return FromPixel(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    QImage& image = m_owner.Image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return;
    }
    const QRgb pixel = ToPixel(Resolve(color));
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = pixel;
    if (Recording != nullptr) {
        QPainterPath dot;
        dot.addRect(QRectF(x, y, 1, 1));
        Recording->AddFill(dot, Resolve(color));
    }
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& from, const TRect& source) {
    QImage& target = m_owner.Image();

    const Extent dx = MakeExtent(dest.Left, dest.Right);
    const Extent dy = MakeExtent(dest.Top, dest.Bottom);
    const Extent sx = MakeExtent(source.Left, source.Right);
    const Extent sy = MakeExtent(source.Top, source.Bottom);
    if (dx.Size == 0 || dy.Size == 0 || sx.Size == 0 || sy.Size == 0) {
        return;
    }
    // Mirroring on an axis where exactly one of the rectangles is reversed,
    // as a stretching blit does.
    const bool mirrorX = dx.Flipped != sx.Flipped;
    const bool mirrorY = dy.Flipped != sy.Flipped;

    const std::int64_t firstX = std::max<std::int64_t>(dx.Start, 0);
    const std::int64_t lastX = std::min<std::int64_t>(dx.Start + dx.Size, target.width()) - 1;
    const std::int64_t firstY = std::max<std::int64_t>(dy.Start, 0);
    const std::int64_t lastY = std::min<std::int64_t>(dy.Start + dy.Size, target.height()) - 1;
    if (firstX > lastX || firstY > lastY) {
        return;
    }

    if (CopyMode == TCopyMode::cmBlackness) {
        const QRgb black = ToPixel(clBlack);
        for (std::int64_t y = firstY; y <= lastY; ++y) {
            auto* row = reinterpret_cast<QRgb*>(target.scanLine(static_cast<int>(y)));
            std::fill(row + firstX, row + lastX + 1, black);
        }
        return;
    }

    // A shallow copy: if source and destination are the same bitmap, the
    // first write below detaches the destination, so overlapping copies read
    // the unchanged picture. Blackness reads nothing and so copies nothing.
    const QImage sourceImage = from.Bitmap().Image();

    const bool invert = CopyMode == TCopyMode::cmSrcInvert;
    if (dx.Size == sx.Size && dy.Size == sy.Size && !mirrorX && !mirrorY) {
        // One to one, as every paint copies: whole rows, no column table.
        const std::int64_t shiftX = sx.Start - dx.Start;
        const std::int64_t shiftY = sy.Start - dy.Start;
        const std::int64_t fromX = std::max<std::int64_t>(firstX, -shiftX);
        const std::int64_t toX = std::min<std::int64_t>(lastX, sourceImage.width() - 1 - shiftX);
        for (std::int64_t y = firstY; y <= lastY && fromX <= toX; ++y) {
            const std::int64_t sourceRow = y + shiftY;
            if (sourceRow < 0 || sourceRow >= sourceImage.height()) continue;
            const auto* in = reinterpret_cast<const QRgb*>(
                                 sourceImage.constScanLine(static_cast<int>(sourceRow))) +
                             shiftX;
            auto* out = reinterpret_cast<QRgb*>(target.scanLine(static_cast<int>(y)));
            for (std::int64_t x = fromX; x <= toX; ++x) {
                out[x] = invert ? ((in[x] ^ out[x]) & 0x00FFFFFFu) | 0xFF000000u
                                : in[x] | 0xFF000000u;
            }
        }
        return;
    }

    // Source column of every visible destination column; -1 where the
    // source rectangle reaches outside its bitmap (left unchanged).
    std::vector<int> columns(static_cast<std::size_t>(lastX - firstX + 1));
    for (std::int64_t x = firstX; x <= lastX; ++x) {
        std::int64_t i = raster::ScaledIndex(x - dx.Start, dx.Size, sx.Size);
        if (mirrorX) {
            i = sx.Size - 1 - i;
        }
        const std::int64_t column = sx.Start + i;
        columns[static_cast<std::size_t>(x - firstX)] =
            column >= 0 && column < sourceImage.width() ? static_cast<int>(column) : -1;
    }
    for (std::int64_t y = firstY; y <= lastY; ++y) {
        std::int64_t j = raster::ScaledIndex(y - dy.Start, dy.Size, sy.Size);
        if (mirrorY) {
            j = sy.Size - 1 - j;
        }
        const std::int64_t sourceRow = sy.Start + j;
        if (sourceRow < 0 || sourceRow >= sourceImage.height()) {
            continue;
        }
        const auto* in =
            reinterpret_cast<const QRgb*>(sourceImage.constScanLine(static_cast<int>(sourceRow)));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(static_cast<int>(y)));
        for (std::int64_t x = firstX; x <= lastX; ++x) {
            const int column = columns[static_cast<std::size_t>(x - firstX)];
            if (column < 0) {
                continue;
            }
            if (invert) {
                out[x] = ((in[column] ^ out[x]) & 0x00FFFFFFu) | 0xFF000000u;
            } else {
                out[x] = in[column] | 0xFF000000u;
            }
        }
    }
}

void TCanvas::Draw(int x, int y, const TBitmap& graphic) {
    CopyRect({x, y, x + graphic.Width(), y + graphic.Height()}, graphic.Canvas(),
             {0, 0, graphic.Width(), graphic.Height()});
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& graphic) {
    CopyRect(dest, graphic.Canvas(), {0, 0, graphic.Width(), graphic.Height()});
}

}  // namespace liquidus
