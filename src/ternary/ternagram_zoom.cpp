// Zoom window, isotherm layer and mouse overlays. The zoomed state is not
// reachable yet (nothing zooms in), so these draw nothing; the isotherm layer
// draws nothing until isotherms are calculated.

#include "ternary/ternagram.h"

namespace liquidus {

void TTernagram::CalcZoomFrame() {}
void TTernagram::DrawZoomedSegment(TCanvas&) {}
void TTernagram::FillZoomEdgeSeeds(TCanvas&) {}
void TTernagram::CalcIsotherms(TBitmap&) {}
void TTernagram::DrawMouseGrid() {}

}  // namespace liquidus
