#include "app/cli/commandline.h"
#include "support/clirun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sample/sample.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

using TRun = test::TCliRun;
using test::RunArgs;

bool IsOneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}

/// NAME=VALUE lines of --list-properties, looked up by name.
std::string Listed(const std::string& listing, const std::string& name) {
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(name + "=")) return line.substr(name.size() + 1);
    }
    return "<missing>";
}

/// biBitCount of a Windows bitmap file.
int BmpBitCount(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    char header[30] = {};
    file.read(header, sizeof header);
    if (!file || header[0] != 'B' || header[1] != 'M') return -1;
    return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
}

class CommandLine : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const {
        return QDir(m_dir.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    QStringList Entries() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QImage Export(const std::vector<std::string>& options, const std::string& name) {
        std::vector<std::string> args = {"--export", Path(name)};
        args.insert(args.end(), options.begin(), options.end());
        const TRun run = RunArgs(args);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, "");
        return QImage(QString::fromStdString(Path(name)));
    }

    QTemporaryDir m_dir;
};

TEST(CommandLineMode, FirstArgumentDecides) {
    EXPECT_FALSE(IsCommandLineMode({}));
    EXPECT_TRUE(IsCommandLineMode({""}));
    EXPECT_TRUE(IsCommandLineMode({"picture.bmp", "--export"}));
    EXPECT_TRUE(IsCommandLineMode({"--export", "a.bmp"}));
    EXPECT_TRUE(IsCommandLineMode({"--help"}));
    EXPECT_TRUE(IsCommandLineMode({"--bogus"}));
    EXPECT_TRUE(IsCommandLineMode({"-x"}));
}

TEST(CommandLineMode, HelpAndVersion) {
    const TRun version = RunArgs({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, std::string("liquidus ") + LIQUIDUS_VERSION + "\n");
    EXPECT_EQ(version.Err, "");

    const TRun help = RunArgs({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Err, "");
    for (const char* text :
         {"--export FILE", "--set NAME=VALUE", "--size WxH", "--monochrome", "--version",
          "--list-properties", "Isotherms.MethodStep", "SubstanceC.Element",
          "TGridType (gtInnerParallel", "Zoom", "read-only"}) {
        EXPECT_NE(help.Out.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(RunArgs({"-h"}).Out, help.Out);
}

TEST(CommandLineMode, SetsApplyInOrderThroughTheRegistry) {
    std::vector<std::string> args = {"--list-properties", "--set=SubstanceA.Name=CaO"};
    for (const char* set : {"GridSteps=3", "gridsteps=10", "Legend=false", "Title=a=b",
                            "PaperColor=255", "HotIsothermColor=$00FF00FF",
                            "Isotherms.MethodStep=0.5", "GridType=gtInnerParallel", "TUnits=tuK"}) {
        args.insert(args.end(), {"--set", set});
    }
    const TRun run = RunArgs(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(Listed(run.Out, "GridSteps"), "10");
    EXPECT_EQ(Listed(run.Out, "Legend"), "False");
    EXPECT_EQ(Listed(run.Out, "Title"), "a=b");
    EXPECT_EQ(Listed(run.Out, "PaperColor"), "clRed");
    EXPECT_EQ(Listed(run.Out, "HotIsothermColor"), "$00FF00FF");
    EXPECT_EQ(Listed(run.Out, "Isotherms.MethodStep"), "0.5");
    EXPECT_EQ(Listed(run.Out, "GridType"), "gtInnerParallel");
    EXPECT_EQ(Listed(run.Out, "SubstanceA.Name"), "CaO");
    EXPECT_EQ(Listed(run.Out, "TUnits"), "tuK");
    // Untouched values are the sample's.
    EXPECT_EQ(Listed(run.Out, "SubstanceB.Name"), "SiO2");
    EXPECT_EQ(Listed(run.Out, "CUnits"), "cuMassPercents");
    EXPECT_EQ(Listed(run.Out, "CoPhasesTable"), "False");
}

TEST_F(CommandLine, BadInputExitsTwoWithOneLineAndNoFile) {
    const std::string bmp = Path("out.bmp");
    const std::string png = Path("out.png");
    struct TCase {
        std::vector<std::string> Args;
        std::string Culprit;
    };
    const std::vector<TCase> cases = {
        {{"--bogus"}, "--bogus"},
        {{"-x"}, "-x"},
        {{"--export", bmp, "--bogus"}, "--bogus"},
        {{"--export", bmp, "stray"}, "stray"},
        {{"--export"}, "--export"},
        {{"--export="}, "--export"},
        {{"--export", "--set", "Legend=False"}, "--export"},
        {{"--export", Path("out.jpg")}, "out.jpg"},
        {{"--export", Path("out")}, "out"},
        {{"--export", bmp, "--export", png}, "--export"},
        {{"--export", bmp, "--help"}, "--help"},
        {{"--monochrome"}, "--monochrome"},
        {{"--set", "Legend=False"}, "--set"},
        {{"--version", "--set", "Legend=False"}, "--set"},
        {{"--export", png, "--monochrome=yes"}, "--monochrome"},
        {{"--export", bmp, "--set"}, "--set"},
        {{"--export", bmp, "--set", "Legend"}, "Legend"},
        {{"--export", bmp, "--set", "=True"}, "=True"},
        {{"--export", bmp, "--set", "Nope=1"}, "Nope"},
        {{"--export", bmp, "--set", "GridSteps=abc"}, "abc"},
        {{"--export", png, "--set", "GridSteps=256"}, "256"},
        {{"--export", bmp, "--set", "Legend=yes"}, "yes"},
        {{"--export", bmp, "--set", "GridType=gtBogus"}, "gtBogus"},
        {{"--export", bmp, "--set", "PaperColor=$01000000"}, "$01000000"},
        {{"--export", bmp, "--set", "Isotherms.MethodStep=0,5"}, "0,5"},
        {{"--export", bmp, "--set", "Zoom=True"}, "Zoom"},
        {{"--export", bmp, "--set", "coPhases=1"}, "coPhases"},
        {{"--export", bmp, "--set", "CursorOnArea=False"}, "CursorOnArea"},
        // The value parses, but no diagram file could hold it.
        {{"--export", bmp, "--set", "SubstanceA.MolMass=0", "--set", "CUnits=cuMolPercents"},
         "SubstanceA.MolMass"},
        {{"--export", bmp, "--size", "0x480"}, "0x480"},
        {{"--export", bmp, "--size", "640x"}, "640x"},
        {{"--export", bmp, "--size", "640"}, "640"},
        {{"--export", bmp, "--size", "10001x10"}, "10001x10"},
        {{"--export", bmp, "--size", "+640x480"}, "+640x480"},
        {{"--export", bmp, "--size", "640x480x2"}, "640x480x2"},
        {{"--export", bmp, "--size", "640x480", "--size", "640x480"}, "--size"},
        {{"--help", "--size", "640x480"}, "--size"},
        {{"--export", Path("out.svg"), "--monochrome"}, "--monochrome"},
        {{"--export", bmp, "--text-scale", "2"}, "--text-scale"},
        {{"--export", Path("out.pdf"), "--text-scale", "0"}, "0"},
        {{"--export", png, "--size", "100x80mm"}, "100.0x80.0mm"},
        {{"--export", Path("out.svg"), "--size", "0x80mm"}, "0x80mm"},
        {{"--query", "30,30", "--size", "100x80mm"}, "--query"},
    };
    for (const TCase& c : cases) {
        std::string joined;
        for (const std::string& arg : c.Args) joined += arg + " ";
        const TRun run = RunArgs(c.Args);
        EXPECT_EQ(run.Status, 2) << joined;
        EXPECT_TRUE(IsOneLine(run.Err)) << joined << "-> " << run.Err;
        EXPECT_TRUE(run.Err.starts_with("liquidus: ")) << run.Err;
        EXPECT_NE(run.Err.find(c.Culprit), std::string::npos) << joined << "-> " << run.Err;
        EXPECT_EQ(run.Out, "") << joined;
        EXPECT_TRUE(Entries().isEmpty()) << joined << "left " << Entries().join(' ').toStdString();
    }
    const TRun readOnly = RunArgs({"--export", bmp, "--set", "Zoom=True"});
    EXPECT_NE(readOnly.Err.find("read-only"), std::string::npos) << readOnly.Err;
}

TEST_F(CommandLine, UnwritableFileExitsOneAndLeavesNothing) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("taken.png"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("taken.bmp"));
    for (const std::string name : {"missing/out.bmp", "missing/out.png", "missing/out.svg",
                                   "missing/out.pdf", "taken.png", "taken.bmp"}) {
        const bool raster = name.ends_with("bmp") || name.ends_with("png");
        const TRun run = raster ? RunArgs({"--export", Path(name), "--monochrome"})
                                : RunArgs({"--export", Path(name)});
        EXPECT_EQ(run.Status, 1) << name;
        EXPECT_TRUE(IsOneLine(run.Err)) << run.Err;
        EXPECT_NE(run.Err.find(Path(name)), std::string::npos) << run.Err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("missing"))));
        EXPECT_EQ(Entries(), QStringList({"taken.bmp", "taken.png"})) << name;
    }
}

TEST_F(CommandLine, ExportWithoutSizeIsTheSavedPicture) {
    const QImage withLegend = Export({}, "legend.BMP");
    EXPECT_EQ(withLegend.size(), QSize(600, 386));
    EXPECT_EQ(BmpBitCount(Path("legend.BMP")), 24);

    const QImage noLegend = Export({"--set", "Legend=False"}, "plain.bmp");
    EXPECT_EQ(noLegend.size(), QSize(443, 400));

    // Same picture as the component's own export.
    TTernagram diagram;
    LoadSampleDiagram(diagram);
    const QImage expected = diagram.RenderPicture()->Image();
    EXPECT_EQ(withLegend.convertToFormat(QImage::Format_RGB32), expected);

}

TEST_F(CommandLine, ExportWithSizeIsTheScreenPicture) {
    const QImage screen = Export({"--size", "640x480", "--set", "PaperColor=$0000FF00"}, "s.bmp");
    EXPECT_EQ(screen.size(), QSize(640, 480));
    EXPECT_EQ(screen.pixel(1, 1), qRgb(0, 255, 0));

    TTernagram diagram;
    LoadSampleDiagram(diagram);
    diagram.SetBounds(640, 480);
    diagram.SetPaperColor(clLime);
    diagram.Paint();
    EXPECT_EQ(screen.convertToFormat(QImage::Format_RGB32), diagram.Screen().Image());

    const QImage odd = Export({"--size", "1X1"}, "tiny.bmp");
    EXPECT_EQ(odd.size(), QSize(1, 1));
}

TEST_F(CommandLine, MonochromeBmpAndPngAreTwoColourPictures) {
    Export({"--monochrome", "--size", "300x200"}, "m.bmp");
    EXPECT_EQ(BmpBitCount(Path("m.bmp")), 1);
    const QImage bmp =
        QImage(QString::fromStdString(Path("m.bmp"))).convertToFormat(QImage::Format_RGB32);
    // The .png is the figure, not the screen picture, by the same light/dark rule.
    const QImage png = Export({"--size", "300x200", "--monochrome"}, "m.png");
    EXPECT_EQ(png.depth(), 1);
    for (const QImage& image : {bmp, png.convertToFormat(QImage::Format_RGB32)}) {
        // Both colours occur: the picture did not collapse to one.
        bool black = false;
        bool white = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y) & 0xFFFFFF;
                black = black || p == 0;
                white = white || p == 0xFFFFFF;
                ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
            }
        }
        EXPECT_TRUE(black && white);
    }
}

TEST(CommandLineMode, MessagesStayOneSafeLineAndStreamFailuresAreReported) {
    struct TCase {
        std::vector<std::string> Args;
        int Status;
        std::string Said;  // part of the one stderr line
    };
    const std::vector<TCase> cases = {
        {{"5x5", "--export", "x.png"}, 2, "unexpected argument \"5x5\""},
        {{"--list-properties", "--set", "Areas=1\n2"}, 2, "Areas=1\\n2"},
        {{"--list-properties", "--set", "Title\x1b[2J=x"}, 2, "Title\\x1b[2J"},
        {{"--query", "1e308,1e308"}, 2, "1e308"},
        {{"--query", "10,10", "--size", "300x200"}, 2, "too small"},
    };
    for (const TCase& c : cases) {
        const TRun run = RunArgs(c.Args);
        EXPECT_EQ(run.Status, c.Status) << c.Args.front();
        EXPECT_TRUE(IsOneLine(run.Err)) << run.Err;
        EXPECT_NE(run.Err.find(c.Said), std::string::npos) << run.Err;
        EXPECT_EQ(run.Err.find('\x1b'), std::string::npos);
    }
    // A text with a tab lists escaped, on one line.
    const TRun listed = RunArgs({"--list-properties", "--set", "SubstanceA.Element=a\tb"});
    EXPECT_EQ(Listed(listed.Out, "SubstanceA.Element"), "a\\tb");
    // Output that cannot be written, input that cannot be read.
    std::ostringstream full;
    full.setstate(std::ios::badbit);
    std::ostringstream err;
    std::istringstream none;
    EXPECT_EQ(RunCommandLine({"--help"}, none, full, err), 1);
    EXPECT_TRUE(IsOneLine(err.str())) << err.str();
    std::istringstream broken("10,10\n");
    broken.setstate(std::ios::badbit);
    std::ostringstream out;
    err.str("");
    EXPECT_EQ(RunCommandLine({"--query", "-"}, broken, out, err), 2);
    EXPECT_NE(err.str().find("standard input"), std::string::npos) << err.str();
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace liquidus
