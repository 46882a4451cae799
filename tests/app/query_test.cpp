#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "sample/sample.h"
#include "sample/sampledata.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

struct TAnswer {
    int Status = -1;
    std::vector<std::vector<std::string>> Rows;  // tab-separated fields per line
    std::string Err;
};

TAnswer Query(std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TAnswer answer;
    answer.Status = RunCommandLine(args, in, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> row;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) row.push_back(field);
        answer.Rows.push_back(row);
    }
    answer.Err = err.str();
    return answer;
}

std::string Pair(double a, double b) {
    std::ostringstream text;
    text.precision(17);
    text << a << ',' << b;
    return text.str();
}

const std::vector<std::string> kNames = {
    "Spinel",    "Forsterite", "Periclase",      "Mullite",  "Two Liquids", "Cristobalite",
    "Tridimite", "Cordierite", "Protoenstatite", "Corundum", "Saphirine"};

TEST(Query, EveryFillPointReportsItsField) {
    std::vector<TAreaData> areas = MakeDefaultAreaList();
    FillSampleAreas(areas);
    std::vector<std::string> args;
    for (int i = 0; i < kSampleFieldCount; ++i) {
        args.push_back("--query");
        args.push_back(Pair(areas[i].FillA, areas[i].FillB));
    }
    for (const char* size : {"1024x768", "500x400"}) {
        std::vector<std::string> sized = args;
        sized.push_back("--size");
        sized.push_back(size);
        const TAnswer answer = Query(sized);
        ASSERT_EQ(answer.Status, 0) << answer.Err;
        ASSERT_EQ(answer.Rows.size(), 11u);
        for (int i = 0; i < kSampleFieldCount; ++i) {
            ASSERT_EQ(answer.Rows[i].size(), 5u);
            EXPECT_EQ(answer.Rows[i][3], kNames[i]) << size;
            // The altitude method stays within the field's own vertex range.
            const double t = std::stod(answer.Rows[i][4]);
            int low = 9999, high = 0;
            for (int p = 1; p <= areas[i].PointCount; ++p) {
                low = std::min(low, areas[i].Points[p].T);
                high = std::max(high, areas[i].Points[p].T);
            }
            EXPECT_GE(t, low) << kNames[i];
            EXPECT_LE(t, high) << kNames[i];
        }
    }
}

TEST(Query, SpinelAtItsFillPoint) {
    const TAnswer answer = Query({"--query", "32,24"});
    ASSERT_EQ(answer.Status, 0);
    ASSERT_EQ(answer.Rows.size(), 1u);
    EXPECT_EQ(answer.Rows[0][0], "32.000");
    EXPECT_EQ(answer.Rows[0][1], "24.000");
    EXPECT_EQ(answer.Rows[0][2], "44.000");
    EXPECT_EQ(answer.Rows[0][3], "Spinel");
    // Same as the component's own evaluator at that composition.
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    const double celsius = diagram.AltitudeTemperature(0, 32, 24);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.2f", celsius);
    EXPECT_EQ(answer.Rows[0][4], expected);
}

TEST(Query, OutsidePrintsDashesAndHiddenFieldsStillAnswer) {
    const TAnswer answer = Query({"--query", "60,60", "--query", "-5,20", "--query", "32,24",
                                  "--set", "DrawAreas=False", "--set", "DrawSplines=False"});
    ASSERT_EQ(answer.Status, 0);
    ASSERT_EQ(answer.Rows.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(answer.Rows[i].size(), 5u);
        EXPECT_EQ(answer.Rows[i][3], "-");
        EXPECT_EQ(answer.Rows[i][4], "-");
    }
    EXPECT_EQ(answer.Rows[0][2], "-20.000");
    // The data decide the field, not what the picture happens to show.
    EXPECT_EQ(answer.Rows[2], Query({"--query", "32,24"}).Rows[0]);
}

TEST(Query, OnGridLinesAndTheTrianglesSidesTheFieldIsStillFound) {
    // B = 20 lies on a horizontal grid line of the painted picture; the
    // others lie on the base (B = 0), the right side (A = 0) and the left
    // side (C = 0), where stepping right alone would leave the triangle.
    const TAnswer answer = Query({"--query", "30,20", "--query", "40,40", "--query", "50,0",
                                  "--query", "0,50", "--query", "50,50", "--query", "30,0.5"});
    ASSERT_EQ(answer.Status, 0);
    ASSERT_EQ(answer.Rows.size(), 6u);
    EXPECT_EQ(answer.Rows[0][3], "Spinel");
    EXPECT_NE(answer.Rows[1][3], "-");
    EXPECT_EQ(answer.Rows[2][3], "Periclase");   // between its base vertices (46, 0) and (100, 0)
    EXPECT_EQ(answer.Rows[3][3], "Mullite");     // between (0, 23) and (0, 93)
    EXPECT_EQ(answer.Rows[4][3], "Forsterite");  // between (51, 49) and (38, 62)
    EXPECT_EQ(answer.Rows[5][3], "Spinel");
}

TEST(Query, UnitsAndOrientationsDescribeTheSameMixture) {
    const TAnswer direct = Query({"--query", "32,24", "--query", "14,76"});
    const TAnswer fraction =
        Query({"--query", "0.32,0.24", "--query", "0.14,0.76", "--set", "CUnits=cuMassParts"});
    ASSERT_EQ(fraction.Status, 0);
    EXPECT_EQ(fraction.Rows[0][0], "0.32000");
    EXPECT_EQ(fraction.Rows[0][2], "0.44000");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(fraction.Rows[i][3], direct.Rows[i][3]);
        EXPECT_EQ(fraction.Rows[i][4], direct.Rows[i][4]);
    }
    // The same mixture under every order of the components: the same field.
    // Shares of MgO, SiO2, Al2O3 by letter.
    const std::vector<std::pair<std::string, std::string>> orders = {{"doACB", "32,44"},
                                                                     {"doBAC", "24,32"},
                                                                     {"doBCA", "24,44"},
                                                                     {"doCAB", "44,32"},
                                                                     {"doCBA", "44,24"}};
    for (const auto& [orientation, pair] : orders) {
        const TAnswer turned = Query({"--query", pair, "--set", "DataOrientation=" + orientation});
        ASSERT_EQ(turned.Status, 0) << orientation;
        EXPECT_EQ(turned.Rows[0][3], "Spinel") << orientation;
    }
    // Both methods work in the stored coordinates: a mirror of positions 1
    // and 2 keeps altitudes, and the polynomial terms are closed under
    // exchanging positions 2 and 3.
    const TAnswer mirrored = Query({"--query", "24,32", "--set", "DataOrientation=doBAC"});
    EXPECT_EQ(mirrored.Rows[0][4], direct.Rows[0][4]);
    const TAnswer polyDirect = Query({"--query", "32,24", "--set", "TCalcMethod=tcPolynomial"});
    const TAnswer polyTurned = Query({"--query", "32,44", "--set", "TCalcMethod=tcPolynomial",
                                      "--set", "DataOrientation=doACB"});
    EXPECT_EQ(polyTurned.Rows[0][4], polyDirect.Rows[0][4]);
}

TEST(Query, TemperatureUnits) {
    const TAnswer c = Query({"--query", "32,24"});
    const TAnswer k = Query({"--query", "32,24", "--set", "TUnits=tuK"});
    const TAnswer f = Query({"--query", "32,24", "--set", "TUnits=tuF"});
    const double celsius = std::stod(c.Rows[0][4]);
    EXPECT_NEAR(std::stod(k.Rows[0][4]), celsius + 273.15, 0.006);
    EXPECT_NEAR(std::stod(f.Rows[0][4]), celsius * 1.8 + 32, 0.02);
}

TEST(Query, StandardInputAndBadInput) {
    const TAnswer piped = Query({"--query", "-", "--query", "14,76"}, "32,24\n\n 45 , 46 \r\n");
    ASSERT_EQ(piped.Status, 0) << piped.Err;
    ASSERT_EQ(piped.Rows.size(), 3u);
    EXPECT_EQ(piped.Rows[0][3], "Spinel");
    EXPECT_EQ(piped.Rows[1][3], "Forsterite");
    EXPECT_EQ(piped.Rows[2][3], "Cristobalite");

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--query", "32"},
                                               {"--query", "32;24"},
                                               {"--query", "a,b"},
                                               {"--query", "32,24,1"},
                                               {"--query", "nan,3"},
                                               {"--query"},
                                               {"--query", "32,24", "--monochrome"}}) {
        const TAnswer answer = Query(bad);
        EXPECT_EQ(answer.Status, 2) << bad.back();
        EXPECT_TRUE(answer.Rows.empty());
        EXPECT_EQ(std::count(answer.Err.begin(), answer.Err.end(), '\n'), 1) << answer.Err;
    }
    const TAnswer badLine = Query({"--query", "-"}, "32,24\nfoo\n");
    EXPECT_EQ(badLine.Status, 2);
    EXPECT_TRUE(badLine.Rows.empty());  // nothing printed before the input was checked
    EXPECT_NE(badLine.Err.find("line 2"), std::string::npos);
}

}  // namespace
}  // namespace liquidus
