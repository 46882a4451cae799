#pragma once
// What a component needs from a printer to put one page on paper. The
// component computes where things go; a target only carries out the calls,
// so the placement arithmetic is the same on every platform and testable
// without a spooler.

#include <string>

#include "canvas/canvas.h"
#include "canvas/drawing.h"

namespace liquidus {

/// One print job on one page, in the printer's device pixels with the origin
/// at the top-left of the printable area.
class TPrinterTarget {
public:
    virtual ~TPrinterTarget() = default;

    /// Names the job as print queues show it; given before BeginDoc.
    virtual void SetTitle(const std::string& title) = 0;
    /// Starts the job. Throws std::runtime_error when the printer refuses.
    virtual void BeginDoc() = 0;
    /// Finishes the job and hands it to the spooler.
    virtual void EndDoc() = 0;
    /// Cancels a started job after a failure; nothing is printed.
    virtual void Abort() = 0;

    /// Width and height of the printable area.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    /// Scales the whole bitmap into `rect` (right and bottom exclusive).
    virtual void StretchDraw(const TRect& rect, const TBitmap& bitmap) = 0;
    /// Draws the recorded picture scaled into `rect` (right and bottom
    /// exclusive) at the printer's own resolution: lines and texts stay
    /// sharp however large the page.
    virtual void DrawFigure(const TRect& rect, const TDrawing& drawing) = 0;
    /// Point size of the font used by TextOut; the typeface stays the printer's.
    virtual void SetFontSize(int points) = 0;
    /// One line of text with the top-left of its cell at (x, y).
    virtual void TextOut(int x, int y, const std::string& text) = 0;
};

}  // namespace liquidus
