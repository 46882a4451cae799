// --isotherms: the CSV of the isotherm points a picture of the given size
// would draw, and its failures.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

struct TRun {
    int Status = -1;
    std::vector<std::vector<std::string>> Rows;  // comma-separated fields per line
    std::string Err;
};

TRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.Status = RunCommandLine(args, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> row;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) row.push_back(field);
        run.Rows.push_back(row);
    }
    run.Err = err.str();
    return run;
}

TEST(IsothermsMode, EveryPointOfEveryListInOrderInTheCurrentUnits) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(800, 600);
    diagram.SetCUnits(TCUnits::cuMolParts);
    diagram.SetDrawIsotherms(true);
    diagram.Paint();
    const TIsothermLists& lists = diagram.IsothermLists();
    const TIsotherm& iso = diagram.Isotherms();

    const TRun run = Cli({"--isotherms", "-", "--size", "800x600", "--set", "CUnits=cuMolParts"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    ASSERT_FALSE(run.Rows.empty());
    EXPECT_EQ(run.Rows[0], (std::vector<std::string>{"level", "hot", "index", "A", "B", "C"}));
    std::size_t row = 1;
    for (int k = 1; k <= lists.ListCount(); ++k) {
        const bool hot = k == iso.LevelCount + 1;
        const int level = hot ? 1800 : iso.MinLevel + 50 * (k - 1);
        int index = 0;
        for (const TIsoPoint& p : lists.Points(k)) {
            ASSERT_LT(row, run.Rows.size());
            const auto& r = run.Rows[row++];
            EXPECT_EQ(r[0], std::to_string(level));
            EXPECT_EQ(r[1], hot ? "1" : "0");
            EXPECT_EQ(r[2], std::to_string(++index));
            EXPECT_NEAR(std::stod(r[3]), p.A / 100.0, 6e-7);  // "%.6f"
            EXPECT_NEAR(std::stod(r[4]), p.B / 100.0, 6e-7);
            EXPECT_EQ(r[5].size(), r[5].find('.') + 7);  // six decimals for fractions
        }
    }
    EXPECT_EQ(row, run.Rows.size());
    EXPECT_EQ(run.Rows.back()[1], "1");  // the hot isotherm comes last

    const TRun kelvin = Cli({"--isotherms", "-", "--set", "TUnits=tuK"});
    ASSERT_EQ(kelvin.Status, 0);
    EXPECT_EQ(kelvin.Rows[1][0], "1650");
    EXPECT_EQ(kelvin.Rows[1][3].size(), kelvin.Rows[1][3].find('.') + 5);  // four in percent
    // Switched off, nothing is calculated.
    EXPECT_EQ(Cli({"--isotherms", "-", "--set", "DrawIsotherms=False"}).Rows.size(), 1u);
}

// Contours are written polyline after polyline, each counted from 1, in
// the display units.
TEST(IsothermsMode, ContoursAsTheirPolylines) {
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(1024, 768);
    diagram.SetCUnits(TCUnits::cuMolParts);
    diagram.SetTCalcMethod(TTCalcMethod::tcMeanValue);
    diagram.Isotherms().SetGraphType(TIsothermType::itSpline);
    diagram.CalcLayout();
    const TRun run = Cli({"--isotherms", "-", "--set", "CUnits=cuMolParts", "--set",
                          "TCalcMethod=tcMeanValue", "--set", "Isotherms.GraphType=itSpline"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::size_t row = 1;
    for (const TContour& contour : diagram.Contours(1024, 768)) {
        for (std::size_t k = 0; k < contour.Shares.size(); ++k, ++row) {
            ASSERT_LT(row, run.Rows.size());
            const std::vector<std::string>& r = run.Rows[row];
            EXPECT_EQ(r[0], std::to_string(contour.Level));
            EXPECT_EQ(r[2], std::to_string(k + 1));
            EXPECT_NEAR(std::stod(r[3]), contour.Shares[k].first / 100, 1e-6);
            EXPECT_NEAR(std::stod(r[4]), contour.Shares[k].second / 100, 1e-6);
        }
    }
    EXPECT_GT(row, 100u);
    EXPECT_EQ(row, run.Rows.size());
}

TEST(IsothermsMode, BadInputAndUnwritableFilesLeaveNoFile) {
    QTemporaryDir dir;
    const std::string file = QDir(dir.path()).filePath(QStringLiteral("iso.csv")).toStdString();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--isotherms"},
             {"--isotherms", file, "--set", "Isotherms.Error=x"},
             {"--isotherms", file, "--size", "0x5"},
             {"--isotherms", file, "--monochrome"},
         }) {
        const TRun run = Cli(args);
        EXPECT_EQ(run.Status, 2) << args.size();
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
    }
    const TRun missing = Cli({"--isotherms", dir.path().toStdString() + "/no/such/dir.csv"});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(Cli({"--isotherms", file}).Status, 0);
    QFile written(QString::fromStdString(file));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readLine().startsWith("level,hot,index,A,B,C"));
}

}  // namespace
}  // namespace liquidus
