#pragma once
// A raster bitmap and a GDI-like canvas with pixel-exact semantics.
//
// The diagrams identify phase fields by reading pixel colours back and
// flood-fill fields bounded by 1-pixel black lines, so every operation here
// follows fixed integer rules (Bresenham lines with the end pixel left out,
// half-open rectangles, even-odd polygon fill, 4-connected border fill) and
// nothing is antialiased.

#include <QImage>

#include <functional>
#include <string>
#include <vector>

#include "canvas/tcolor.h"

namespace liquidus {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A pixel position with real coordinates (curves before rounding).
struct TRealPoint {
    double X = 0.0;
    double Y = 0.0;
    friend bool operator==(const TRealPoint&, const TRealPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TPenMode { pmCopy, pmNotXor };
enum class TBrushStyle { bsSolid };
enum class TCopyMode { cmSrcCopy, cmSrcInvert, cmBlackness };
enum class TFillStyle { fsBorder };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TFont {
    std::string Name = "Arial";
    int Size = 8;  // points at 96 dpi
    TColor Color = clBlack;
    bool Bold = false;
    bool Italic = false;
};

/// Resolves system colours ($80000000 | index) to real ones.
using TSystemColorResolver = std::function<TColor(TColor)>;

class TBitmap;
class TDrawing;

/// The pixel size of `font` on this 96-dpi canvas.
int FontPixelSize(const TFont& font);

/// The pixels MoveTo(from), LineTo(to) lights with a pen `width` pixels
/// wide (a 1-pixel pen leaves out the end pixel), unclipped; for code that
/// must know which pixels a line of its own covers.
std::vector<TPoint> SegmentPixels(TPoint from, TPoint to, int width);

/// Drawing state and operations on one bitmap. Owned by its TBitmap.
class TCanvas {
public:
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TCopyMode CopyMode = TCopyMode::cmSrcCopy;
    /// Observer of every TextOut (position and text), for checking what a
    /// picture says without reading glyphs back.
    std::function<void(int x, int y, const std::string& text)> OnTextOut;
    /// When set, every operation drawn in copy mode is also noted there
    /// (inverting overlays and blits are not); not owned.
    TDrawing* Recording = nullptr;

    explicit TCanvas(TBitmap& owner) : m_owner(owner) {}
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    void MoveTo(int x, int y);
    /// Line from the pen position; the end pixel is not drawn and becomes
    /// the new pen position.
    void LineTo(int x, int y);
    TPoint PenPos() const { return m_penPos; }

    void Polyline(const std::vector<TPoint>& points);
    /// Closed, filled with the brush (even-odd), outlined with the pen.
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    /// Brush only, no outline; right and bottom exclusive.
    void FillRect(const TRect& rect);
    /// Fills with the brush every pixel 4-connected to (x, y) whose colour is
    /// not exactly `border`. Returns false (and fills nothing) for a seed
    /// outside the bitmap or on a border pixel.
    bool FloodFill(int x, int y, TColor border, TFillStyle style = TFillStyle::fsBorder);

    /// Fills the text cell with the brush, then draws unantialiased glyphs in
    /// the font colour with the cell's top-left at (x, y).
    void TextOut(int x, int y, const std::string& text);
    /// Glyphs only, in the font colour, centred on (x, y) and turned by
    /// `angle` radians (clockwise on screen); not seen by OnTextOut.
    void RotatedTextOut(double x, double y, double angle, const std::string& text);
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;

    /// Outside the bitmap: kInvalidColor.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    /// The device colour nearest to `color`; the identity on this 32-bit
    /// surface (system colours are resolved first).
    TColor GetNearestColor(TColor color) const;

    /// Copies `source` of `from` onto `dest` of this canvas honouring
    /// CopyMode; rectangles of different size are stretched.
    void CopyRect(const TRect& dest, const TCanvas& from, const TRect& source);
    /// Draws a whole bitmap at (x, y) honouring CopyMode.
    void Draw(int x, int y, const TBitmap& graphic);
    /// Scales a whole bitmap into `dest` (nearest neighbour).
    void StretchDraw(const TRect& dest, const TBitmap& graphic);

    /// A real colour for `color`: system colours through the bitmap's resolver.
    TColor Resolve(TColor color) const;

    TBitmap& Bitmap() { return m_owner; }
    const TBitmap& Bitmap() const { return m_owner; }

    /// Pen, brush, font, copy mode and pen position as a new canvas has them
    /// (the text observer stays).
    void ResetState();

private:
    /// Where a figure drawn with the pen now is noted: not for overlays.
    TDrawing* Recorder() const;

    TBitmap& m_owner;
    TPoint m_penPos;
};

/// An off-screen picture: 32-bit pixels, saved as a Windows .bmp.
class TBitmap {
public:
    /// A new bitmap is white.
    TBitmap(int width = 0, int height = 0);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    virtual ~TBitmap() = default;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    /// Resizes; the kept area keeps its pixels, new area is white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }

    TCanvas& Canvas() { return m_canvas; }
    const TCanvas& Canvas() const { return m_canvas; }

    /// When set, SaveToFile writes a two-colour (1-bit) file.
    bool Monochrome = false;

    /// Writes a Windows .bmp: 24-bit, or 1-bit when Monochrome (pixels of
    /// luminance >= 128 white, the rest black). Throws std::runtime_error with
    /// the system's reason on failure, leaving no partial file behind.
    void SaveToFile(const std::string& fileName) const;
    /// The same picture as a .png, two-colour by the same rule when
    /// Monochrome; the same failure rules as SaveToFile.
    void SaveToPngFile(const std::string& fileName) const;
    /// Reads a 1-, 8-, 24- or 32-bit uncompressed .bmp. Throws on failure.
    static void LoadFromFile(TBitmap& into, const std::string& fileName);

    /// Every pixel `color` (resolved as the canvas would).
    void Fill(TColor color);
    /// Exchanges the pixels (and so the sizes) of two bitmaps; canvases and
    /// resolvers stay with their bitmaps.
    void SwapPixels(TBitmap& other) { m_image.swap(other.m_image); }

    void SetSystemColorResolver(TSystemColorResolver resolver);
    const TSystemColorResolver& SystemColorResolver() const { return m_resolver; }

    /// The pixel store (Format_RGB32), for blitting and PNG export.
    const QImage& Image() const { return m_image; }
    QImage& Image() { return m_image; }

private:
    QImage m_image;
    TCanvas m_canvas{*this};
    TSystemColorResolver m_resolver;
};

}  // namespace liquidus
