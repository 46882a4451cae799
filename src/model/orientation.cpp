#include "model/orientation.h"

namespace liquidus {

std::string_view OrientationLetters(TDataOrientation orientation) {
    switch (orientation) {
        case TDataOrientation::doDirect: return "ABC";
        case TDataOrientation::doACB: return "ACB";
        case TDataOrientation::doBAC: return "BAC";
        case TDataOrientation::doBCA: return "BCA";
        case TDataOrientation::doCAB: return "CAB";
        case TDataOrientation::doCBA: return "CBA";
    }
    return "ABC";
}

TPositionMap PositionMapBetween(TDataOrientation from, TDataOrientation to) {
    const std::string_view oldLetters = OrientationLetters(from);
    const std::string_view newLetters = OrientationLetters(to);
    TPositionMap map{0, 1, 2};
    for (int j = 0; j < 3; ++j) {
        map[j] = static_cast<int>(oldLetters.find(newLetters[j]));
    }
    return map;
}

std::array<double, 3> ReorderShares(const std::array<double, 3>& shares, TDataOrientation from,
                                    TDataOrientation to) {
    const TPositionMap map = PositionMapBetween(from, to);
    return {shares[map[0]], shares[map[1]], shares[map[2]]};
}

}  // namespace liquidus
