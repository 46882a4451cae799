#include "sample/sampledata.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace liquidus {
namespace {

using Vertex = std::pair<float, float>;

std::vector<TAreaData> SampleAreas() {
    std::vector<TAreaData> list = MakeDefaultAreaList();
    FillSampleAreas(list);
    return list;
}

std::vector<std::vector<TSplinePoint>> Polylines(const TSplinesData& data) {
    std::vector<std::vector<TSplinePoint>> lines;
    for (int i = 0; i <= data.High; ++i) {
        const TSplinePoint& p = data.Points[i];
        if (p.A == -1.0f && p.B == -1.0f) {
            lines.emplace_back();
        } else if (!lines.empty()) {
            lines.back().push_back(p);
        }
    }
    return lines;
}

bool HasVertex(const TAreaData& area, float a, float b) {
    for (int k = 1; k <= area.PointCount; ++k) {
        if (area.Points[k].A == a && area.Points[k].B == b) return true;
    }
    return false;
}

// Crossing-number test in the (A, B) plane; the map to the triangle is
// affine, so inside here is inside on screen.
bool InsideOutline(const TAreaData& area, double a, double b) {
    bool inside = false;
    for (int i = 1, j = area.PointCount; i <= area.PointCount; j = i++) {
        const TAreaPoint& p = area.Points[i];
        const TAreaPoint& q = area.Points[j];
        if ((p.B > b) != (q.B > b)) {
            const double crossA = p.A + (b - p.B) * (q.A - p.A) / (q.B - p.B);
            if (a < crossA) inside = !inside;
        }
    }
    return inside;
}

TEST(SampleData, FieldsInOrderWithFlagsCountsAndDefaultsBeyond) {
    const std::vector<std::string> names = {
        "Spinel",    "Forsterite", "Periclase",      "Mullite",  "Two Liquids", "Cristobalite",
        "Tridimite", "Cordierite", "Protoenstatite", "Corundum", "Saphirine"};
    const std::vector<int> pointCounts = {11, 7, 7, 9, 4, 8, 4, 6, 5, 7, 3};
    ASSERT_EQ(kSampleFieldCount, 11);
    const auto list = SampleAreas();
    const auto defaults = MakeDefaultAreaList();
    ASSERT_EQ(list.size(), defaults.size());
    for (int i = 0; i < kSampleFieldCount; ++i) {
        EXPECT_EQ(list[i].Name.str(), names[i]) << i;
        EXPECT_LE(list[i].Name.str().size(), kAreaNameLength);
        EXPECT_EQ(list[i].CoPhased, 0);
        EXPECT_EQ(list[i].PointCount, pointCounts[i]) << names[i];
        for (int k = list[i].PointCount + 1; k <= kMaxAreaPoints; ++k) {
            EXPECT_EQ(list[i].Points[k].A, 0.0f);
            EXPECT_EQ(list[i].Points[k].B, 0.0f);
            EXPECT_EQ(list[i].Points[k].T, 0) << names[i] << " entry " << k;
        }
    }
    for (std::size_t i = kSampleFieldCount; i < list.size(); ++i) {
        EXPECT_EQ(list[i].Name, defaults[i].Name);
        EXPECT_EQ(list[i].PointCount, 0);
        EXPECT_EQ(list[i].FillA, 0.0f);
        EXPECT_EQ(list[i].Points[1].T, 0);
    }

    // A short list gets only the records it has.
    std::vector<TAreaData> shortList(4);
    FillSampleAreas(shortList);
    EXPECT_EQ(shortList[3].Name.str(), "Mullite");
}

TEST(SampleData, SpotValues) {
    const auto list = SampleAreas();
    const TAreaPoint& spinel3 = list[0].Points[3];
    EXPECT_EQ(spinel3.A, 53.5f);
    EXPECT_EQ(spinel3.B, 31.0f);
    EXPECT_EQ(spinel3.T, 1710);
    EXPECT_EQ(list[0].Points[11].T, 2100);
    EXPECT_EQ(list[4].Points[4].B, 80.7f);
    EXPECT_EQ(list[4].Points[2].T, 2125);
    EXPECT_EQ(list[3].Points[6].A, 9.4f);
    EXPECT_EQ(list[3].Points[9].T, 1875);
    EXPECT_EQ(list[9].Points[7].T, 2020);
    EXPECT_EQ(list[10].FillA, 16.2f);
    EXPECT_EQ(list[10].FillB, 50.5f);
    EXPECT_EQ(list[2].FillA, 71.0f);
    EXPECT_EQ(list[2].FillB, 14.0f);
    // The (0, 23) vertex of Mullite and Corundum lies on the edge where the
    // first position is 0.
    EXPECT_EQ(list[3].Points[1].A, 0.0f);
    EXPECT_EQ(list[9].Points[5].A, 0.0f);
    EXPECT_EQ(list[9].Points[5].B, 23.0f);

    EXPECT_EQ(kSampleTitle, "MgO-Al2O3-SiO2 Melting Sample");
    EXPECT_EQ(kSampleSubstanceNames[0], "MgO");
    EXPECT_EQ(kSampleSubstanceNames[1], "SiO2");
    EXPECT_EQ(kSampleSubstanceNames[2], "Al2O3");
    EXPECT_EQ(kSampleMolMasses[0], 40.3044f);
    EXPECT_EQ(kSampleMolMasses[1], 60.0843f);
    EXPECT_EQ(kSampleMolMasses[2], 101.9613f);
}

TEST(SampleData, SharedVerticesAgreeOnTemperature) {
    const auto list = SampleAreas();
    std::map<Vertex, std::pair<int, int>> seen;  // vertex -> (temperature, field)
    int shared = 0;
    for (int i = 0; i < kSampleFieldCount; ++i) {
        for (int k = 1; k <= list[i].PointCount; ++k) {
            const TAreaPoint& p = list[i].Points[k];
            const auto [it, inserted] = seen.try_emplace(Vertex{p.A, p.B}, p.T, i + 1);
            if (!inserted) {
                ++shared;
                EXPECT_EQ(p.T, it->second.first)
                    << "(" << p.A << ", " << p.B << ") in fields " << it->second.second
                    << " and " << i + 1;
            }
        }
    }
    EXPECT_GT(shared, 20);  // the fields really do meet at common vertices
}

TEST(SampleData, CornersAndFillPointsLieInTheirFields) {
    const auto list = SampleAreas();
    EXPECT_TRUE(HasVertex(list[2], 100, 0));  // Periclase
    EXPECT_TRUE(HasVertex(list[5], 0, 100));  // Cristobalite
    EXPECT_TRUE(HasVertex(list[9], 0, 0));    // Corundum
    for (int i = 0; i < kSampleFieldCount; ++i) {
        const TAreaData& field = list[i];
        EXPECT_GT(field.FillA, 0.0f);
        EXPECT_GT(field.FillB, 0.0f);
        EXPECT_LT(field.FillA + field.FillB, 100.0f);
        for (int j = 0; j < kSampleFieldCount; ++j) {
            EXPECT_EQ(InsideOutline(list[j], field.FillA, field.FillB), i == j)
                << "fill point of " << field.Name.str() << " against " << list[j].Name.str();
        }
    }
}

TEST(SampleData, BoundaryLines) {
    const TSplinesData data = MakeSampleSplines();
    ASSERT_EQ(data.Points.size(), 73u);
    EXPECT_EQ(data.High, 72);
    EXPECT_EQ(data.Points.front().A, -1.0f);
    EXPECT_EQ(data.Points.front().B, -1.0f);
    EXPECT_NE(data.Points.back().A, -1.0f);

    const auto lines = Polylines(data);
    ASSERT_EQ(lines.size(), 18u);
    for (const auto& line : lines) {
        EXPECT_GE(line.size(), 2u);
        EXPECT_LE(line.size(), 10u);
    }
    EXPECT_EQ(lines[9].size(), 5u);
    EXPECT_EQ(lines[9][1].A, 21.6f);
    EXPECT_EQ(lines[9][1].B, 75.1f);
    EXPECT_EQ(lines[1][1].B, 14.0f);
    EXPECT_EQ(lines[16][1].B, 41.2f);
    EXPECT_EQ(lines[17].back().A, 2.0f);

    // Every line starts and ends at a field vertex, so lines and fields close
    // up. The one exception, (0, 95), still ends on the triangle's edge; the
    // fields on either side meet at (0, 93) instead.
    const auto list = SampleAreas();
    std::vector<Vertex> unmatched;
    for (const auto& line : lines) {
        for (const TSplinePoint& end : {line.front(), line.back()}) {
            bool found = false;
            for (int i = 0; i < kSampleFieldCount; ++i) found = found || HasVertex(list[i], end.A, end.B);
            if (!found) unmatched.emplace_back(end.A, end.B);
        }
    }
    EXPECT_EQ(unmatched, (std::vector<Vertex>{{0.0f, 95.0f}}));
}

}  // namespace
}  // namespace liquidus
