#pragma once

#include "canvas/canvas.h"

namespace liquidus {

/// The off-screen bitmap a picture is composed in.
class TBltBitmap : public TBitmap {
public:
    using TBitmap::TBitmap;
    /// Takes the size of `source` and fills itself with the window-frame colour.
    void MakeLike(const TBitmap& source);
};

/// Turns the whole bitmap black.
void ClearBitmap(TBitmap& bitmap);

}  // namespace liquidus
