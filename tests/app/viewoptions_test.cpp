// --mark and --zoom on the picture modes.

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "support/clirun.h"
#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

namespace fs = std::filesystem;

using TRun = test::TCliRun;
using test::RunArgs;

class ViewOptions : public ::testing::Test {
protected:
    // ctest runs these cases in parallel processes: each needs a folder of its own.
    QTemporaryDir dir;
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string File(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
    static QImage Load(const std::string& file) {
        TBitmap bitmap;
        TBitmap::LoadFromFile(bitmap, file);
        return bitmap.Image().copy();
    }
};

TEST_F(ViewOptions, MarkShowsTheCrossAtTheComposition) {
    ASSERT_EQ(RunArgs({"--export", File("plain.bmp"), "--size", "800x600"}).Status, 0);
    ASSERT_EQ(
        RunArgs({"--export", File("mark.bmp"), "--size", "800x600", "--mark", "30,30"}).Status, 0);
    TTernagram layout;
    LoadSampleDiagram(layout);
    layout.SetBounds(800, 600);
    layout.CalcLayout();
    int x = 0, y = 0;
    layout.CompositionToPixel(30, 30, x, y);
    const QImage plain = Load(File("plain.bmp"));
    const QImage marked = Load(File("mark.bmp"));
    for (const int d : {-3, 3}) {
        EXPECT_EQ(marked.pixel(x + d, y + d) & 0xFFFFFFu, 0u) << d;
        EXPECT_NE(plain.pixel(x + d, y + d) & 0xFFFFFFu, 0u) << d;
    }
}

TEST_F(ViewOptions, ZoomShowsTheWindowOnScreenAndInTheSavedPicture) {
    // Inside the window the field is the one the whole triangle has there;
    // outside it the zoomed picture shows none.
    const TRun plain = RunArgs({"--query", "9,45"});
    const TRun zoomed = RunArgs({"--query", "9,45", "--query", "80,10", "--zoom", "0,40,40"});
    ASSERT_EQ(zoomed.Status, 0) << zoomed.Err;
    std::istringstream lines(zoomed.Out);
    std::string inside, outside;
    std::getline(lines, inside);
    std::getline(lines, outside);
    EXPECT_EQ(inside, plain.Out.substr(0, plain.Out.size() - 1));
    EXPECT_NE(outside.find("\t-\t-"), std::string::npos) << outside;

    ASSERT_EQ(RunArgs({"--export", File("whole.bmp")}).Status, 0);
    ASSERT_EQ(RunArgs({"--export", File("zoom.bmp"), "--zoom", "20,20,20"}).Status, 0);
    const QImage whole = Load(File("whole.bmp"));
    const QImage zoom = Load(File("zoom.bmp"));
    EXPECT_EQ(zoom.size(), whole.size());
    EXPECT_NE(zoom, whole);
}

TEST_F(ViewOptions, BadValuesAreRefusedWithoutAFile) {
    const std::vector<std::vector<std::string>> bad = {
        {"--zoom", "15,0,0"},  {"--zoom", "50,30,20"},
        {"--zoom", "10,20"},   {"--zoom", "a,b,c"},
        {"--zoom", "-10,0,0"}, {"--mark", "80,30"},
        {"--mark", "x"},       {"--zoom", "10,10,10", "--set", "AllowZoom=False"},
    };
    for (const auto& options : bad) {
        std::vector<std::string> args = {"--export", File("bad.png"), "--size", "640x480"};
        args.insert(args.end(), options.begin(), options.end());
        const TRun run = RunArgs(args);
        EXPECT_EQ(run.Status, 2) << options[1];
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        EXPECT_FALSE(fs::exists(File("bad.png"))) << options[1];
    }
}

}  // namespace
}  // namespace liquidus
