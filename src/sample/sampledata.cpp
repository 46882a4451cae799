#include "sample/sampledata.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace liquidus {

namespace {

// Field tables, index 0 = field 1. Vertices run along each field's outline;
// a vertex shared by several fields carries the same temperature in each.
constexpr std::array<const char*, kSampleFieldCount> kFieldNames = {
    "Spinel",       "Forsterite", "Periclase",      "Mullite",  "Two Liquids", "Cristobalite",
    "Tridimite",    "Cordierite", "Protoenstatite", "Corundum", "Saphirine",
};

constexpr std::array<std::uint8_t, kSampleFieldCount> kCoPhased = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

constexpr std::array<float, kSampleFieldCount> kFillA = {
    32.0f, 45.0f, 71.0f, 8.0f, 17.0f, 14.0f, 15.0f, 18.0f, 27.0f, 9.0f, 16.2f,
};
constexpr std::array<float, kSampleFieldCount> kFillB = {
    24.0f, 46.0f, 14.0f, 51.0f, 81.0f, 76.0f, 66.0f, 57.0f, 60.0f, 27.0f, 50.5f,
};

struct TFieldVertices {
    std::uint8_t PointCount;
    std::array<float, kMaxAreaPoints> A;
    std::array<float, kMaxAreaPoints> B;
    std::array<std::int32_t, kMaxAreaPoints> T;
};

constexpr std::array<TFieldVertices, kSampleFieldCount> kFieldVertices = {{
    // 1 Spinel
    {11,
     {46, 52, 53.5f, 39, 26, 17, 17, 16, 14.5f, 2, 22, 0},
     {0, 15, 31, 41, 52, 51.5f, 46, 43, 25.5f, 0, 0, 0},
     {1850, 1775, 1710, 1535, 1370, 1453, 1482, 1578, 1725, 1925, 2100, 0}},
    // 2 Forsterite
    {7,
     {63, 51, 38, 25, 26, 39, 53.5f, 0, 0, 0, 0, 0},
     {37, 49, 62, 54.5f, 52, 41, 31, 0, 0, 0, 0, 0},
     {1860, 1780, 1557, 1365, 1370, 1535, 1710, 0, 0, 0, 0, 0}},
    // 3 Periclase
    {7,
     {100, 81, 63, 53.5f, 52, 46, 74, 0, 0, 0, 0, 0},
     {0, 19, 37, 31, 15, 0, 0, 0, 0, 0, 0, 0},
     {2800, 2100, 1860, 1710, 1775, 1850, 2560, 0, 0, 0, 0, 0}},
    // 4 Mullite
    {9,
     {0, 6, 16, 17, 15, 9.4f, 6, 0, 0, 0, 0, 0},
     {23, 34, 43, 46, 52, 67, 75, 93, 58, 0, 0, 0},
     {1840, 1710, 1578, 1482, 1460, 1440, 1470, 1590, 1875, 0, 0, 0}},
    // 5 Two Liquids
    {4,
     {31, 16, 1, 15, 0, 0, 0, 0, 0, 0, 0, 0},
     {69, 84, 99, 80.7f, 0, 0, 0, 0, 0, 0, 0, 0},
     {1703, 2125, 1703, 1625, 0, 0, 0, 0, 0, 0, 0, 0}},
    // 6 Cristobalite
    {8,
     {35, 31, 15, 1, 0, 0, 6, 26, 0, 0, 0, 0},
     {65, 69, 80.7f, 99, 100, 93, 75, 64, 0, 0, 0, 0},
     {1543, 1703, 1625, 1703, 1723, 1590, 1470, 1470, 0, 0, 0, 0}},
    // 7 Tridimite
    {4,
     {20, 26, 6, 9.4f, 0, 0, 0, 0, 0, 0, 0, 0},
     {62, 64, 75, 67, 0, 0, 0, 0, 0, 0, 0, 0},
     {1355, 1470, 1470, 1440, 0, 0, 0, 0, 0, 0, 0, 0}},
    // 8 Cordierite
    {6,
     {26, 25, 20, 9.4f, 15, 17, 0, 0, 0, 0, 0, 0},
     {52, 54.5f, 62, 67, 52, 51.5f, 0, 0, 0, 0, 0, 0},
     {1370, 1365, 1355, 1440, 1460, 1453, 0, 0, 0, 0, 0, 0}},
    // 9 Protoenstatite
    {5,
     {38, 35, 26, 20, 25, 0, 0, 0, 0, 0, 0, 0},
     {62, 65, 64, 62, 54.5f, 0, 0, 0, 0, 0, 0, 0},
     {1557, 1543, 1470, 1355, 1365, 0, 0, 0, 0, 0, 0, 0}},
    // 10 Corundum
    {7,
     {2, 14.5f, 16, 6, 0, 0, 0, 0, 0, 0, 0, 0},
     {0, 25.5f, 43, 34, 23, 12, 0, 0, 0, 0, 0, 0},
     {1925, 1725, 1578, 1710, 1840, 2000, 2020, 0, 0, 0, 0, 0}},
    // 11 Saphirine
    {3,
     {17, 15, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {51.5f, 52, 46, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {1453, 1460, 1482, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
}};

constexpr TSplinePoint kSep = {-1, -1};

// Boundary polylines laid end to end, each preceded by a separator.
constexpr std::array<TSplinePoint, 73> kBoundaries = {{
    kSep, {63, 37}, {59, 32.5f}, {53.5f, 31},
    kSep, {53.5f, 31}, {52, 14}, {46, 0},
    kSep, {53.5f, 31}, {39, 41}, {26, 52},
    kSep, {26, 52}, {25, 54.5f},
    kSep, {25, 54.5f}, {31, 59}, {38, 62},
    kSep, {35, 65}, {26, 64}, {20, 62},
    kSep, {20, 62}, {22, 59}, {25, 54.5f},
    kSep, {26, 64}, {13, 69}, {9, 72}, {6, 75},
    kSep, {6, 75}, {3, 83}, {0, 95},
    kSep, {31, 69}, {21.6f, 75.1f}, {16, 79.5f}, {8.7f, 88.5f}, {1, 99},
    kSep, {20, 62}, {9.4f, 67}, {7.2f, 70.7f}, {6, 75},
    kSep, {26, 52}, {17, 51.5f}, {15, 52},
    kSep, {15, 52}, {9.4f, 67},
    kSep, {15, 52}, {17, 46},
    kSep, {17, 46}, {17, 51.5f},
    kSep, {17, 46}, {16, 43},
    kSep, {16, 43}, {12, 41.2f}, {9, 38}, {0, 23},
    kSep, {16, 43}, {16, 31}, {13, 22}, {2, 0},
}};

}  // namespace

void FillSampleAreas(std::vector<TAreaData>& areaList) {
    const std::size_t count = std::min<std::size_t>(areaList.size(), kSampleFieldCount);
    for (std::size_t i = 0; i < count; ++i) {
        TAreaData& area = areaList[i];
        area.Name = kFieldNames[i];
        area.CoPhased = kCoPhased[i];
        area.FillA = kFillA[i];
        area.FillB = kFillB[i];
        // All twelve entries are copied, so unused ones become zeros.
        const TFieldVertices& vertices = kFieldVertices[i];
        area.PointCount = vertices.PointCount;
        for (int k = 0; k < kMaxAreaPoints; ++k) {
            area.Points[k + 1] = TAreaPoint{vertices.A[k], vertices.B[k], vertices.T[k]};
        }
    }
}

TSplinesData MakeSampleSplines() {
    TSplinesData data;
    data.Points.assign(kBoundaries.begin(), kBoundaries.end());
    data.High = static_cast<std::uint16_t>(kBoundaries.size() - 1);
    return data;
}

}  // namespace liquidus
