#pragma once
// Which loaded substance sits at which triangle position. A change of
// orientation permutes positions; stored compositions are rewritten in place
// so that they keep describing the same mixtures.

#include <array>
#include <string_view>

namespace liquidus {

enum class TDataOrientation { doDirect, doACB, doBAC, doBCA, doCAB, doCBA };

/// For each new position j (0..2), the old position whose share, substance
/// and molar mass move there.
using TPositionMap = std::array<int, 3>;

/// The loaded substances' letters at positions 1, 2, 3 ("ABC", "ACB", ...).
std::string_view OrientationLetters(TDataOrientation orientation);

/// The permutation that takes data laid out as `from` to the layout `to`.
TPositionMap PositionMapBetween(TDataOrientation from, TDataOrientation to);

/// Applies a position map to a composition given by its first two shares
/// (the third is 100 minus both); returns the new first two shares.
template <typename Real>
void MapComposition(const TPositionMap& map, Real& p1, Real& p2) {
    const double old[3] = {double(p1), double(p2), 100.0 - double(p1) - double(p2)};
    p1 = static_cast<Real>(old[map[0]]);
    p2 = static_cast<Real>(old[map[1]]);
}

}  // namespace liquidus
