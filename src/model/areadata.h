#pragma once
// Phase-field records, the field colour palette and the boundary lines as a
// host hands them over.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/tcolor.h"

namespace liquidus {

/// A string that never holds more than N characters: longer values are cut
/// on assignment, as a fixed-size record field would.
template <std::size_t N>
class TShortString {
public:
    TShortString() = default;
    TShortString(const std::string& value) : m_text(value.substr(0, N)) {}  // NOLINT
    TShortString(const char* value) : TShortString(std::string(value)) {}   // NOLINT
    const std::string& str() const { return m_text; }
    operator const std::string&() const { return m_text; }  // NOLINT
    friend bool operator==(const TShortString& a, const TShortString& b) = default;

private:
    std::string m_text;
};

/// One boundary vertex of a phase field.
struct TAreaPoint {
    float A = 0.0f;  // share of position 1, percent
    float B = 0.0f;  // share of position 2, percent
    std::int32_t T = 0;  // liquidus temperature, degrees Celsius
};

constexpr int kMaxAreaPoints = 12;
constexpr int kAreaCount = 16;
constexpr std::size_t kAreaNameLength = 25;

/// One phase field. Points are used from index 1 to PointCount.
struct TAreaData {
    TShortString<kAreaNameLength> Name;
    std::uint8_t CoPhased = 0;
    std::uint8_t PointCount = 0;
    std::array<TAreaPoint, kMaxAreaPoints + 1> Points{};  // [0] unused
    float FillA = 0.0f;  // a composition strictly inside the field
    float FillB = 0.0f;
};

/// Field i (from 1) is always drawn and identified with AreaColors[i].
constexpr std::array<TColor, kAreaCount + 1> AreaColors = {
    0,
    0x00FFFFE0, 0x00FFE0E0, 0x00E0E0FF, 0x00D8FFD8, 0x00D0D0E8, 0x00D0FFFF,
    0x00FFFFB0, 0x00FFC0C0, 0x00C0C0FF, 0x00B0FFB0, 0x00A8A8D0, 0x00A8FFFF,
    0x00FFFF48, 0x00FFA0A0, 0x00A8A8FF, 0x0078FF78,
};

/// One (A, B) pair of a boundary polyline; (-1, -1) separates polylines.
struct TSplinePoint {
    float A = 0.0f;
    float B = 0.0f;
};

/// Boundary lines as a host hands them over: pairs 0..High are used.
struct TSplinesData {
    std::vector<TSplinePoint> Points;
    std::uint16_t High = 0;
};

/// The 16 placeholder records a new diagram starts with.
std::vector<TAreaData> MakeDefaultAreaList();

}  // namespace liquidus
