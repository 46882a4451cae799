#pragma once
// Helpers for pixel tests: pictures as text, sets of lit pixels.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas/canvas.h"

namespace liquidus::testing {

using PixelSet = std::set<std::pair<int, int>>;  // (x, y)

/// Every pixel of `bitmap` whose colour is not `background`.
inline PixelSet Changed(const TBitmap& bitmap, TColor background = clWhite) {
    PixelSet lit;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Canvas().Pixel(x, y) != background) {
                lit.insert({x, y});
            }
        }
    }
    return lit;
}

/// Pixels listed as (x, y) pairs.
inline PixelSet Pixels(std::initializer_list<std::pair<int, int>> list) { return PixelSet(list); }

/// Rows y0.. of a picture, from "x0-x1" runs per row: {{2, 3}, {2, 4}} is
/// x = 2..3 on row y0 and x = 2..4 on row y0 + 1.
inline PixelSet Rows(int y0, std::initializer_list<std::pair<int, int>> runs) {
    PixelSet set;
    int y = y0;
    for (const auto& [from, to] : runs) {
        for (int x = from; x <= to; ++x) {
            set.insert({x, y});
        }
        ++y;
    }
    return set;
}

/// The area [left, right) × [top, bottom) as text, one character per pixel
/// from `legend` (colour -> character); other colours are '?'.
inline std::vector<std::string> Picture(const TBitmap& bitmap, int left, int top, int right,
                                        int bottom,
                                        const std::vector<std::pair<TColor, char>>& legend) {
    std::vector<std::string> rows;
    for (int y = top; y < bottom; ++y) {
        std::string row;
        for (int x = left; x < right; ++x) {
            char c = '?';
            for (const auto& [color, ch] : legend) {
                if (bitmap.Canvas().Pixel(x, y) == color) {
                    c = ch;
                    break;
                }
            }
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

/// A copy of every pixel, for before/after comparisons.
inline std::vector<TColor> Snapshot(const TBitmap& bitmap) {
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            pixels.push_back(bitmap.Canvas().Pixel(x, y));
        }
    }
    return pixels;
}

/// A picture with some variety, so that inversions and copies show.
inline void PaintStripes(TBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            bitmap.Canvas().SetPixel(x, y, RGB(x * 7 % 256, y * 13 % 256, (x + y) * 5 % 256));
        }
    }
}

}  // namespace liquidus::testing
