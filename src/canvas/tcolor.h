#pragma once
// Colours are kept as $00BBGGRR values (red in the low byte) everywhere in the
// model; conversion to the pixel store's order happens only inside TBitmap.

#include <cstdint>

namespace liquidus {

using TColor = std::uint32_t;

constexpr TColor RGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GetRValue(TColor c) { return c & 0xFFu; }
constexpr unsigned GetGValue(TColor c) { return (c >> 8) & 0xFFu; }
constexpr unsigned GetBValue(TColor c) { return (c >> 16) & 0xFFu; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;

// System colours: high bit set, low byte the system palette index.
constexpr TColor kSystemColorFlag = 0x80000000u;
/// Indices into the system palette.
enum TSystemColorIndex : TColor {
    kColorWindow = 5,
    kColorWindowFrame = 6,
    kColorWindowText = 8,
    kColorHighlight = 13,
    kColorBtnFace = 15,
    kColorBtnText = 18,
    kColorInfoBk = 24,
};
constexpr TColor SystemColorIndex(TColor sysColor) { return sysColor & 0xFFu; }
constexpr TColor clWindowFrame = kSystemColorFlag | kColorWindowFrame;
constexpr TColor clBtnFace = kSystemColorFlag | kColorBtnFace;
constexpr TColor clInfoBk = kSystemColorFlag | kColorInfoBk;

/// What a pixel read outside a bitmap returns.
constexpr TColor kInvalidColor = 0xFFFFFFFFu;

constexpr bool IsSystemColor(TColor c) { return (c & kSystemColorFlag) != 0; }

/// Classic desktop defaults, used when no window system supplies a palette.
TColor DefaultSystemColor(TColor sysColor);

}  // namespace liquidus
