// Unit and orientation changes on the sample: a setting reached again holds
// the very same data and gives the very same answers, and what a host writes
// between changes is kept.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

template <class T>
void Put(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}
template <class T>
void Put(std::string& bytes, const std::vector<T>& values) {
    bytes.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
}

/// Everything a change of units or order may rewrite, bit for bit, and the
/// temperatures every method answers from it.
std::string StoredOf(TTernagram& d) {
    std::string s;
    for (const TAreaData& area : d.AreaList()) {
        s += area.Name.str();
        Put(s, area.PointCount);
        Put(s, area.Points);
        Put(s, std::pair{area.FillA, area.FillB});
    }
    Put(s, d.SplinesA());
    Put(s, d.SplinesB());
    Put(s, std::array{d.MarkedPoint().A, d.MarkedPoint().B, d.MarkedPoint().C});
    for (const TSubstance* substance : {&d.SubstanceA(), &d.SubstanceB(), &d.SubstanceC()}) {
        s += substance->Name() + "|" + substance->BaseName + "|";
        Put(s, substance->MolMass);
    }
    Put(s, d.Isotherms().Calculated);
    Put(s, d.IsothermLists().IsoCounts);
    Put(s, d.IsothermLists().IsoRemoved);
    for (const std::vector<TIsoPoint>& list : d.IsothermLists().IsoPoints) Put(s, list);
    for (int area = 0; area < d.Areas(); ++area) {
        for (const auto& [a, b] : {std::pair{20.0, 30.0}, {60.0, 10.0}, {5.0, 80.0}}) {
            Put(s,
                std::array{d.AltitudeTemperature(area, a, b), d.PolynomialTemperature(area, a, b),
                           d.MeanValueTemperature(area, a, b)});
        }
    }
    return s;
}

void Mark(TTernagram& d, double a, double b) {
    d.MarkedPoint().Visible = true;
    d.MarkedPoint().A = a;
    d.MarkedPoint().B = b;
    d.MarkedPoint().C = 100 - a - b;
}

/// The sample with its isotherms calculated and a point marked.
void Load(TTernagram& d) {
    LoadSampleDiagram(d);  // mass percent, mark mode on
    d.SetBounds(600, 450);
    d.SetDrawIsotherms(true);
    d.Paint();
    ASSERT_TRUE(d.Isotherms().Calculated);
    Mark(d, 20, 30);
}

TEST(UnitsAndOrientation, EverySettingReachedAgainHoldsTheSameDataBitForBit) {
    TTernagram diagram;
    Load(diagram);
    std::map<std::pair<TCUnits, TDataOrientation>, std::string> seen;
    seen.emplace(std::pair{diagram.CUnits(), diagram.DataOrientation()}, StoredOf(diagram));
    std::mt19937 random(7);
    for (int step = 1; step <= 150; ++step) {
        if (random() % 2 == 0) {
            diagram.SetCUnits(static_cast<TCUnits>(random() % 4));
        } else {
            diagram.SetDataOrientation(static_cast<TDataOrientation>(random() % 6));
        }
        if (step % 16 == 0) diagram.Paint();
        const auto setting = std::pair{diagram.CUnits(), diagram.DataOrientation()};
        const auto [first, isNew] = seen.try_emplace(setting, StoredOf(diagram));
        EXPECT_TRUE(isNew || StoredOf(diagram) == first->second)
            << "step " << step << ": units " << static_cast<int>(setting.first) << ", orientation "
            << static_cast<int>(setting.second);
    }
    EXPECT_EQ(seen.size(), 24u);  // every setting, most of them many times
}

TEST(UnitsAndOrientation, WhatTheHostWritesBetweenChangesIsKept) {
    TTernagram diagram;
    Load(diagram);
    const std::vector<TAreaData> loaded = diagram.AreaList();
    diagram.SetCUnits(TCUnits::cuMolPercents);
    diagram.SetDataOrientation(TDataOrientation::doBCA);
    // A new and a moved vertex, a new calculation, a moved line and a new
    // mark, all in the frame now shown.
    TAreaData& field = diagram.AreaList()[0];
    field.Points[++field.PointCount] = {12.3f, 45.6f, 1700};
    diagram.AreaList()[1].Points[1].A += 0.5f;
    diagram.Isotherms().Calculated = false;
    diagram.Paint();
    const std::vector<int>& counts = diagram.IsothermLists().IsoCounts;
    ASSERT_GT(std::accumulate(counts.begin(), counts.end(), 0), 0);
    TSplinesData lines{{}, static_cast<std::uint16_t>(diagram.SplinesHigh())};
    for (int i = 0; i <= diagram.SplinesHigh(); ++i) {
        lines.Points.push_back({float(diagram.SplinesA()[i]), float(diagram.SplinesB()[i])});
    }
    lines.Points[1].A += 0.5f;
    diagram.SetSplines(lines);
    Mark(diagram, 12.3, 45.6);
    const std::string written = StoredOf(diagram);
    for (const TCUnits units : {TCUnits::cuMassParts, TCUnits::cuMolPercents}) {
        diagram.SetDataOrientation(TDataOrientation::doCAB);
        diagram.SetCUnits(units);
        diagram.SetDataOrientation(TDataOrientation::doBCA);
    }
    EXPECT_TRUE(StoredOf(diagram) == written);
    // The other fields still come from the data as loaded.
    diagram.SetCUnits(TCUnits::cuMassPercents);
    diagram.SetDataOrientation(TDataOrientation::doDirect);
    for (int i = 2; i < diagram.Areas(); ++i) {
        const auto& points = diagram.AreaList()[i].Points;
        EXPECT_EQ(std::memcmp(&points, &loaded[i].Points, sizeof points), 0) << "field " << i;
    }
}

}  // namespace
}  // namespace liquidus
