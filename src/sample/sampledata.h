#pragma once
// The built-in sample: the liquidus diagram of MgO-SiO2-Al2O3 with eleven
// primary-phase fields. Compositions are mass percent of the first two
// positions (MgO, SiO2); temperatures are degrees Celsius.

#include <array>
#include <string_view>
#include <vector>

#include "model/areadata.h"

namespace liquidus {

constexpr int kSampleFieldCount = 11;

constexpr std::string_view kSampleTitle = "MgO-Al2O3-SiO2 Melting Sample";

/// Substances at positions 1, 2 and 3 and their molar masses.
constexpr std::array<std::string_view, 3> kSampleSubstanceNames = {"MgO", "SiO2", "Al2O3"};
constexpr std::array<float, 3> kSampleMolMasses = {40.3044f, 60.0843f, 101.9613f};

/// Fills records 0..10 of the list with the sample fields: name, co-phase
/// flag, fill point, vertex count and all twelve vertices. Later records are
/// left as they are; a shorter list gets only the records it has.
void FillSampleAreas(std::vector<TAreaData>& areaList);

/// The sample's boundary lines: 18 polylines, each preceded by (-1, -1).
TSplinesData MakeSampleSplines();

}  // namespace liquidus
