// Diagram files: written and read back to the same picture, every kind of
// bad file refused with its place named and the diagram left alone, a small
// hand-written diagram, and the command line on a file.

#include "app/diagramfile.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "support/clirun.h"
#include "sample/sample.h"
#include "support/fakehost.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = fs::path(__FILE__).parent_path();
const fs::path kCorpus = kSourceDir / "diagram-corpus";
const fs::path kSampleFile = kSourceDir / ".." / ".." / "examples" / "mgo-sio2-al2o3.json";

QByteArray ReadAll(const fs::path& file) {
    QFile f(QString::fromStdString(file.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DiagramFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::TFakeHost host;

    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Write(const QString& file, const QByteArray& bytes) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    /// The sample as the window shows it, on a control of a fixed size.
    std::unique_ptr<TTernagram> Sample() {
        auto diagram = std::make_unique<TTernagram>(&host);
        LoadSampleDiagram(*diagram);
        diagram->SetBounds(640, 480);
        return diagram;
    }
    static QImage Picture(TTernagram& diagram) {
        diagram.Paint();
        return diagram.Screen().Image().copy();
    }
    /// What the window does with a file: read, then apply, or report.
    static std::string Open(TTernagram& diagram, const QString& file) {
        try {
            ApplyDiagram(ReadDiagramFile(file), diagram);
        } catch (const std::exception& error) {
            return error.what();
        }
        return {};
    }
};

TEST_F(DiagramFile, WrittenAndReadBackShowsTheSamePicture) {
    struct TCase {
        TCUnits Units;
        TDataOrientation Orientation;
    };
    for (const TCase c : {TCase{TCUnits::cuMassPercents, TDataOrientation::doDirect},
                          TCase{TCUnits::cuMolPercents, TDataOrientation::doDirect},
                          TCase{TCUnits::cuMassPercents, TDataOrientation::doBCA},
                          TCase{TCUnits::cuMolPercents, TDataOrientation::doCBA}}) {
        SCOPED_TRACE(static_cast<int>(c.Orientation) * 10 + static_cast<int>(c.Units));
        const auto source = Sample();
        source->SetDrawIsotherms(true);
        source->SetDataOrientation(c.Orientation);
        source->SetCUnits(c.Units);
        WriteDiagramFile(*source, File("roundtrip.json"));

        // The target shows something else, with its isotherms, zoomed in,
        // in other units.
        const auto target = Sample();
        target->SetDrawIsotherms(true);
        ASSERT_EQ(Open(*target, QString::fromStdString((kCorpus / "example.json").string())), "");
        target->SetCUnits(TCUnits::cuMolParts);
        Picture(*target);
        target->ZoomInTo(10, 10, 10);
        ASSERT_TRUE(target->Zoom());

        ASSERT_EQ(Open(*target, File("roundtrip.json")), "");
        EXPECT_FALSE(target->Zoom());
        EXPECT_EQ(target->DataOrientation(), TDataOrientation::doDirect);
        EXPECT_EQ(target->CUnits(), c.Units);
        EXPECT_EQ(target->SubstanceA().BaseName, source->SubstanceA().Name());
        EXPECT_TRUE(DiagramFromTernagram(*target) == DiagramFromTernagram(*source));
        EXPECT_TRUE(Picture(*target) == Picture(*source));
    }
}

TEST_F(DiagramFile, BadFilesAreRefusedWithThePlaceAndLeaveTheDiagramAlone) {
    const QByteArray example = ReadAll(kCorpus / "example.json");
    ASSERT_FALSE(example.isEmpty());
    QByteArray manyFields = "\"fields\": [";
    for (int i = 0; i < 15; ++i) {
        manyFields +=
            R"({"name": "X", "fill": [1, 1], "vertices": [[0, 0, 1], [2, 0, 1], [0, 2, 1]]},)";
    }
    struct TCase {
        const char* Find;  // replaced in the example, first occurrence
        QByteArray Replace;
        const char* Message;
    };
    const std::vector<TCase> cases = {
        {"\"Beta\",", "\"Beta\"", "line 21, column 14: unterminated object"},
        {"liquidus-diagram", "other-diagram",
         "format: \"other-diagram\" is not \"liquidus-diagram\""},
        {"\"version\": 1", "\"version\": 2", "version: 2 is newer than this program reads (1)"},
        {"\"basis\": \"mass\",", "", "basis: missing"},
        {"\"fill\": [75, 10]", "\"fill\": \"75, 10\"",
         "fields[0].fill: expected an array, found a string"},
        {"\"fields\": [", manyFields, "fields: 17 fields, at most 16"},
        {"[0, 0, 1800],",
         "[0, 0, 1800], [1, 1, 1], [1, 2, 1], [1, 3, 1], [1, 4, 1], [1, 5, 1], "
         "[1, 6, 1], [1, 7, 1],",
         "fields[1].vertices: 13 vertices, at most 12"},
        {"[100, 0, 2000]", "[-3, 0, 2000]", "fields[0].vertices[0]: A = -3 lies outside 0..100"},
        {"[40, 30, 1400]", "[60.2, 44.3, 1400]",
         "fields[0].vertices[2]: A + B = 104.5 exceeds 100"},
        {"\"molarMass\": 50", "\"molarMass\": 1e999",
         "line 7, column 42: illegal number"},  // never an infinity
        {"[42, 18, 1450]", "[42, 18, 1450.5]",
         "fields[0].vertices[3]: T = 1450.5 is not a whole number of degrees"},
        {"[0, 0, 1800]", "[0, 0, 0]",
         "fields[1].vertices[2]: T = 0 is not allowed (0 marks an unused vertex)"},
        {"[100, 0, 2000]", "[100, 0, 6000]",
         "fields[0].vertices[0]: T = 6000 lies outside -273..5000 °C"},
        {"\"molarMass\": 70", "\"molarMass\": 0", "substances[2].molarMass: 0 is not positive"},
        {"\"Beta\"", "\"\"", "fields[1].name: empty"},
        {"\"Beta\"", "\"A name of twenty-six chars\"",
         "fields[1].name: \"A name of twenty-six chars\" is longer than 25 characters (UTF-8 "
         "bytes)"},
        {"[[40, 30], [42, 18]]", "[[40, 30]]",
         "boundaries[1]: a boundary line needs at least 2 points, not 1"},
        {"\"fill\": [75, 10]", "\"fill\": [80, 30]",
         "fields[0].fill: the fill point (80, 30) lies outside the triangle"},
        {"\n}", QByteArray(kMaxDiagramFileBytes, ' ') + "\n}",
         "the file is larger than 4 MiB, more than a diagram file may hold"},
    };
    const auto diagram = Sample();
    const QImage before = Picture(*diagram);
    const TDiagramFile data = DiagramFromTernagram(*diagram);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        QByteArray bytes = example;
        const qsizetype at = bytes.indexOf(c.Find);
        ASSERT_GE(at, 0);
        bytes.replace(at, qsizetype(std::strlen(c.Find)), c.Replace);
        Write(File("bad.json"), bytes);
        EXPECT_EQ(Open(*diagram, File("bad.json")), c.Message);
        EXPECT_TRUE(DiagramFromTernagram(*diagram) == data);
        EXPECT_TRUE(Picture(*diagram) == before);
    }
}

TEST_F(DiagramFile, HandWrittenDiagramPaintsBothFields) {
    const auto diagram = Sample();
    ASSERT_EQ(Open(*diagram, QString::fromStdString((kCorpus / "example.json").string())), "");
    EXPECT_EQ(diagram->Areas(), 2);
    EXPECT_EQ(diagram->Title(), "Two-field example");
    EXPECT_EQ(diagram->SplinesHigh(), 3 + 2 + 3 + 3 - 1);  // three lines, each after (-1, -1)
    Picture(*diagram);
    struct TProbe {
        double A, B;
        int Field;  // from 1
    };
    // Off the grid lines (every 20 %), one point on each side of the boundary.
    for (const TProbe p :
         {TProbe{75, 10, 1}, TProbe{63, 7, 1}, TProbe{27, 35, 2}, TProbe{12, 73, 2}}) {
        int x = 0;
        int y = 0;
        diagram->CompositionToPixel(p.A, p.B, x, y);
        EXPECT_EQ(diagram->Screen().Canvas().Pixel(x, y), AreaColors[p.Field])
            << p.A << ", " << p.B;
    }
}

using TRun = test::TCliRun;
using test::RunArgs;

TEST_F(DiagramFile, CommandLineModesTakeTheFile) {
    const std::string example = (kCorpus / "example.json").string();
    const std::string sample = kSampleFile.string();
    const std::string out = File("out.json").toStdString();

    const TRun list = RunArgs({"--list-properties", "--diagram", example});
    EXPECT_EQ(list.Status, 0) << list.Err;
    EXPECT_NE(list.Out.find("\nTitle=Two-field example\n"), std::string::npos);
    EXPECT_NE(list.Out.find("\nAreas=2\n"), std::string::npos);

    const TRun query = RunArgs({"--query", "75,10", "--diagram", example});
    EXPECT_EQ(query.Status, 0) << query.Err;
    EXPECT_NE(query.Out.find("\tAlpha\t"), std::string::npos) << query.Out;

    // The file's data after the --sets, and nothing else changed.
    const TRun write =
        RunArgs({"--diagram", example, "--set", "Title=Renamed", "--write-diagram", out});
    EXPECT_EQ(write.Status, 0) << write.Err;
    TDiagramFile expected = ReadDiagramFile(QString::fromStdString(example));
    expected.Title = "Renamed";
    EXPECT_TRUE(ReadDiagramFile(QString::fromStdString(out)) == expected);

    // The shipped sample file is the built-in sample, to the pixel.
    ASSERT_EQ(RunArgs({"--export", File("a.png").toStdString()}).Status, 0);
    ASSERT_EQ(RunArgs({"--export", File("b.png").toStdString(), "--diagram", sample}).Status, 0);
    EXPECT_TRUE(QImage(File("a.png")) == QImage(File("b.png")));
    const TRun written = RunArgs({"--write-diagram", "-"});
    EXPECT_EQ(QByteArray::fromStdString(written.Out), ReadAll(kSampleFile));

    struct TFailure {
        std::vector<std::string> Args;
        int Status;
        std::string Err;
    };
    const std::string bad = (kCorpus / "outside-triangle.json").string();
    const std::string missing = File("missing.json").toStdString();
    for (const TFailure& f : std::vector<TFailure>{
             {{"--export", File("x.png").toStdString(), "--diagram", bad},
              2,
              "liquidus: --diagram \"" + bad +
                  "\": fields[0].vertices[2]: A + B = 104.5 exceeds 100\n"},
             {{"--list-properties", "--diagram", missing},
              1,
              "liquidus: --diagram \"" + missing + "\": no such file\n"},
             {{"--write-diagram", out, "--set", "Title=" + std::string(201, 't')},
              2,
              "liquidus: --write-diagram \"" + out + "\": title: \"" + std::string(201, 't') +
                  "\" is longer than 200 characters (UTF-8 bytes)\n"},
             {{"--write-diagram", File("no/such/dir.json").toStdString()}, 1, ""},
             {{"--version", "--diagram", example}, 2, ""},
         }) {
        SCOPED_TRACE(f.Args.front());
        const TRun run = RunArgs(f.Args);
        EXPECT_EQ(run.Status, f.Status) << run.Err;
        if (!f.Err.empty()) {
            EXPECT_EQ(run.Err, f.Err);
        }
        EXPECT_TRUE(run.Out.empty());
    }
    EXPECT_FALSE(QFile::exists(File("x.png")));
    EXPECT_TRUE(ReadDiagramFile(QString::fromStdString(out)) == expected);  // left as it was

    // Exactly "--diagram FILE" opens the window on the file.
    EXPECT_FALSE(IsCommandLineMode({"--diagram", example}));
    EXPECT_FALSE(IsCommandLineMode({"--diagram=" + example}));
    EXPECT_TRUE(IsCommandLineMode({"--diagram", example, "--list-properties"}));
    EXPECT_TRUE(IsCommandLineMode({"--diagram"}));
}

TEST(DiagramCorpus, EverySeedLoadsOrFailsWithAMessageAndGoodSeedsRoundTrip) {
    int good = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        const QByteArray bytes = ReadAll(entry.path());
        TDiagramFile file;
        try {
            file = ParseDiagram(bytes);
        } catch (const TDiagramFormatError& error) {
            EXPECT_GT(std::strlen(error.what()), 0u);
            continue;
        }
        ++good;
        TTernagram diagram;
        ApplyDiagram(file, diagram);
        EXPECT_TRUE(DiagramFromTernagram(diagram) == file);
        EXPECT_TRUE(ParseDiagram(SerializeDiagram(file)) == file);
    }
    EXPECT_GE(good, 2);
}

}  // namespace
}  // namespace liquidus
