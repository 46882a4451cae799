#pragma once
// Which loaded substance sits at which triangle position. A change of
// orientation permutes positions; stored compositions are rewritten so that
// they keep describing the same mixtures.

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

/// All three shares of a composition laid out as `from`, laid out as `to`.
std::array<double, 3> ReorderShares(const std::array<double, 3>& shares, TDataOrientation from,
                                    TDataOrientation to);

}  // namespace liquidus
