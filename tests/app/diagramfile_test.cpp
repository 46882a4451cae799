// Diagram files: written and read back to the same picture, every kind of
// bad file refused with its place named and the diagram left alone, data
// that cannot give sound fields refused or their near-miss line ends moved,
// a small hand-written diagram, and the command line on a file.

#include "files/diagramfile.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commandline.h"
#include "files/diagramcheck.h"
#include "sample/sample.h"
#include "support/clirun.h"
#include "support/fakehost.h"
#include "ternary/ternagram.h"

namespace liquidus {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = fs::path(__FILE__).parent_path();
const fs::path kCorpus = kSourceDir / ".." / "files" / "diagram-corpus";
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
        {"[100, 0, 2000], [50, 50, 1500], [40, 30, 1400], [42, 18, 1450], [50, 0, 1550]",
         "[100, 0, 2000], [50, 50, 1500]",
         "fields[0].vertices: 2 vertices, a field needs at least 3"},
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

/// The example with the first occurrence of `find` replaced.
QByteArray EditedExample(const char* find, const QByteArray& replace) {
    QByteArray bytes = ReadAll(kCorpus / "example.json");
    const qsizetype at = bytes.indexOf(find);
    EXPECT_GE(at, 0) << find;
    return at < 0 ? bytes : bytes.replace(at, qsizetype(std::strlen(find)), replace);
}

std::string ParseError(const QByteArray& bytes) {
    try {
        ParseDiagram(bytes);
    } catch (const TDiagramFormatError& error) {
        return error.what();
    }
    return "loads";
}

TEST(DiagramGeometry, UnsoundEditsOfTheExampleAreRefusedWithThePlace) {
    const char* alpha =
        "[100, 0, 2000], [50, 50, 1500], [40, 30, 1400], [42, 18, 1450], [50, 0, 1550]";
    // Beta loses the C corner to a new field that no line divides from it.
    const char* betaEnd =
        "[0, 0, 1800], [50, 0, 1550], [42, 18, 1450],\n                [40, 30, 1400]\n"
        "            ]\n        }";
    const QByteArray gamma =
        "[0, 10, 1800], [10, 0, 1800], [50, 0, 1550], [42, 18, 1450], [40, 30, 1400]]},\n"
        R"({"name": "Gamma", "fill": [3, 3], "vertices": [[0, 0, 1900], [10, 0, 1800], [0, 10, 1800]]})";
    const char* lastLine = "[[42, 18], [46, 8], [50, 0]]";
    struct TCase {
        const char* Find;
        QByteArray Replace;
        const char* Message;
    };
    const std::vector<TCase> cases = {
        {alpha, "[10, 10, 2000], [10, 10, 2000], [10, 10, 2000]",
         "fields[0].vertices: only 1 distinct vertex, a field needs at least 3"},
        {alpha, "[100, 0, 2000], [50, 0, 1500], [60, 0, 1400]",
         "fields[0].vertices: the outline encloses no area"},
        {"[40, 30, 1400], [42, 18, 1450]", "[42, 18, 1450], [40, 30, 1400]",
         "fields[0].vertices: the outline crosses itself"},
        {alpha, "[100, 0, 2000], [50, 50, 1500], [70, 30, 1400], [50, 0, 1550]",
         "fields[0].vertices: the outline crosses itself"},  // back along its first edge
        {"\"fill\": [75, 10]", "\"fill\": [100, 0]",
         "fields[0].fill: the fill point (100, 0) lies on vertices[0] of the field's outline"},
        {"\"fill\": [75, 10]", "\"fill\": [75, 0]",
         "fields[0].fill: the fill point (75, 0) lies on the field's outline, not inside it"},
        {"\"fill\": [75, 10]", "\"fill\": [25, 25]",
         "fields[0].fill: the fill point (25, 25) lies outside the field's outline"},
        {"[40, 30, 1400]", "[10, 30, 1400]",
         "fields[1].fill: the fill point (20, 30) lies inside the outline of fields[0] "
         "(\"Alpha\")"},
        // B = 1 lies 1 * sqrt(3)/2 from the side B = 0.
        {"[46, 8], [50, 0]]", "[46, 8], [50, 1]]",
         "boundaries[2][2]: ends 0.866 from every side and boundary line (at most 0.05)"},
        {lastLine, QByteArray(lastLine) + ", [[0, 30], [40, 30]]",
         "fields[1].fill: the fill point (20, 30) lies on boundaries[3]"},
        {betaEnd, gamma, "fields[2].fill: in the same closed region as fields[1].fill (\"Beta\")"},
        {"\"boundaries\": [", "\"boundaries\": [], \"unused\": [",
         "fields[1].fill: in the same closed region as fields[0].fill (\"Alpha\")"},
        // Along a side, a line divides nothing.
        {"\"boundaries\": [", "\"boundaries\": [[[0, 68.7110138], [0, 40.5312653]]], \"unused\": [",
         "fields[1].fill: in the same closed region as fields[0].fill (\"Alpha\")"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        EXPECT_EQ(ParseError(EditedExample(c.Find, c.Replace)), c.Message);
    }
    // The same new field, with a line that closes it off, is sound.
    QByteArray closed = EditedExample(betaEnd, gamma);
    closed.replace(lastLine, QByteArray(lastLine) + ", [[10, 0], [0, 10]]");
    EXPECT_EQ(ParseError(closed), "loads");
}

TEST_F(DiagramFile, DataFromCodeAreCheckedAsAFileIsAndLeaveTheDiagramAloneWhenBad) {
    const QString exampleFile = QString::fromStdString((kCorpus / "example.json").string());
    const TDiagramFile example = ReadDiagramFile(exampleFile);
    struct TCase {
        std::function<void(TDiagramFile&)> Edit;
        const char* Message;
    };
    const std::vector<TCase> cases = {
        {[](TDiagramFile& d) { d.Fields[1].Name = "Bet\xff"; },
         "fields[1].name: is not valid UTF-8"},
        {[](TDiagramFile& d) { d.Fields[0].Vertices[2].T = 0; },
         "fields[0].vertices[2]: T = 0 is not allowed (0 marks an unused vertex)"},
        {[](TDiagramFile& d) { d.Substances[2].MolarMass = 0; },
         "substances[2].molarMass: 0 is not positive"},
        {[](TDiagramFile& d) { d.Fields[0].FillA = d.Fields[0].FillB = 25; },
         "fields[0].fill: the fill point (25, 25) lies outside the field's outline"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        const auto diagram = Sample();
        const TDiagramFile before = DiagramFromTernagram(*diagram);
        TDiagramFile edited = example;
        c.Edit(edited);
        std::string message = "loads";
        try {
            LoadDiagram(edited, *diagram);
        } catch (const TDiagramFormatError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.Message);
        EXPECT_EQ(DiagramFromTernagram(*diagram), before);
    }
    // Sound data show what their file shows.
    const auto fromCode = Sample();
    const auto fromFile = Sample();
    LoadDiagram(example, *fromCode);
    LoadDiagramFile(exampleFile, *fromFile);
    EXPECT_EQ(DiagramFromTernagram(*fromCode), example);
    EXPECT_EQ(Picture(*fromCode), Picture(*fromFile));
    EXPECT_THROW(LoadDiagramFile(File("missing.json"), *fromFile), TDiagramReadError);
}

double DistanceToCurve(const std::vector<TSplinePoint>& line, TSplinePoint p) {
    const std::vector<TComposition> curve = BoundaryCurve(line);
    double nearest = 100;
    for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
        nearest =
            std::min(nearest, DistanceToSegment(PlanePoint(curve[k]), PlanePoint(curve[k + 1]),
                                                PlanePoint(p.A, p.B)));
    }
    return nearest;
}

TEST(DiagramGeometry, EndsNearlyOnASideOrALineAreMovedOntoIt) {
    const TDiagramFile example = ParseDiagram(ReadAll(kCorpus / "example.json"));
    struct TCase {
        const char* Find;
        const char* Replace;
        std::size_t Line, Point;
        TSplinePoint Moved;
    };
    for (const TCase& c : {
             TCase{"[46, 8], [50, 0]]", "[46, 8], [50, 0.03]]", 2, 2, {50, 0}},
             TCase{"[[50, 50]", "[[49.99, 49.99]", 0, 0, {50, 50}},  // A + B = 100
             // Nearer to a point of the next line just past its first knot.
             TCase{"[[40, 30], [42, 18]]", "[[40, 30], [42.01, 17.98]]", 1, 1, {42, 18}},
         }) {
        SCOPED_TRACE(c.Replace);
        TDiagramFile expected = example;
        expected.Boundaries[c.Line][c.Point] = c.Moved;
        EXPECT_TRUE(ParseDiagram(EditedExample(c.Find, c.Replace)) == expected);
    }

    // A line that ends 0.03 beside the middle of a curve, far from its knots.
    const std::vector<TSplinePoint> bent = {{20, 0}, {8, 6}, {0, 20}};
    const TComposition middle = BoundaryCurve(bent)[13];
    const TSplinePoint end{static_cast<float>(middle.A + 0.03), static_cast<float>(middle.B)};
    ASSERT_GT(DistanceToCurve(bent, end), 0.01);
    const QByteArray lines = "[[42, 18], [46, 8], [50, 0]], [[20, 0], [8, 6], [0, 20]], [[" +
                             QByteArray::number(end.A, 'g', 9) + ", " +
                             QByteArray::number(end.B, 'g', 9) + "], [0, 0]]";
    const TDiagramFile file = ParseDiagram(EditedExample("[[42, 18], [46, 8], [50, 0]]", lines));
    const TSplinePoint moved = file.Boundaries[4][0];
    EXPECT_TRUE(moved.A != end.A || moved.B != end.B);
    EXPECT_LT(DistanceToCurve(bent, moved), 1e-5);
    EXPECT_TRUE(ParseDiagram(SerializeDiagram(file)) == file);  // nothing left to move

    // A line ending 0.03 short of the middle of another lands on it only to
    // single precision, a millionth short; still it closes the two regions
    // on either side of it.
    const QByteArray tee =
        R"({"format": "liquidus-diagram", "version": 1, "title": "", "basis": "mass",
        "substances": [{"name": "A", "molarMass": 1}, {"name": "B", "molarMass": 1},
                       {"name": "C", "molarMass": 1}],
        "fields": [
            {"name": "C", "fill": [10, 10], "vertices": [[0, 0, 1], [50, 0, 1], [0, 50, 1]]},
            {"name": "B", "fill": [10, 70],
             "vertices": [[0, 100, 1], [0, 50, 1], [15, 35, 1], [50, 50, 1]]},
            {"name": "A", "fill": [70, 10],
             "vertices": [[100, 0, 1], [50, 50, 1], [15, 35, 1], [50, 0, 1]]}],
        "boundaries": [[[0, 50], [50, 0]], [[50, 50], [15.04, 34.99]]]})";
    ASSERT_EQ(ParseError(tee), "loads");
    const TSplinePoint landed = ParseDiagram(tee).Boundaries[1][1];
    EXPECT_GT(double(landed.A) + double(landed.B), 50.0);  // short of A + B = 50
}

TEST_F(DiagramFile, BoundaryCurveRunsWhereTheLineIsDrawn) {
    const std::vector<TSplinePoint> bent = {{62, 0}, {32, 28}, {14, 32}, {0, 42}};
    TDiagramFile file = ParseDiagram(ReadAll(kCorpus / "example.json"));
    file.Fields.clear();
    file.Boundaries = {bent};
    const auto diagram = Sample();
    ApplyDiagram(file, *diagram);
    Picture(*diagram);
    const auto drawnNear = [&diagram](double a, double b) {
        int x = 0;
        int y = 0;
        diagram->CompositionToPixel(a, b, x, y);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (diagram->Screen().Canvas().Pixel(x + dx, y + dy) == clBlack) return true;
            }
        }
        return false;
    };
    // Halfway between its points as well: the chords between the knots
    // are not the line drawn, which leaves the first one by some pixels.
    const std::vector<TComposition> curve = BoundaryCurve(bent);
    for (std::size_t k = 0; k + 1 < curve.size(); ++k) {
        const double a = (curve[k].A + curve[k + 1].A) / 2;
        const double b = (curve[k].B + curve[k + 1].B) / 2;
        EXPECT_TRUE(drawnNear(a, b)) << a << ", " << b;
    }
    EXPECT_FALSE(drawnNear(47, 14));
}

TEST(PlaneGeometry, FacesAreCutWhereSegmentsCrossAndKeepIslandsAndDanglingPieces) {
    // A 20 x 10 box; crossing diagonals in its left half, whose upper and
    // lower ends meet the box's sides mid-edge; a square island and a loose
    // piece in its right half.
    const std::vector<std::pair<TPlanePoint, TPlanePoint>> pieces = {
        {{0, 0}, {20, 0}},  {{20, 0}, {20, 10}}, {{20, 10}, {0, 10}}, {{0, 10}, {0, 0}},
        {{0, 0}, {10, 10}}, {{0, 10}, {10, 0}},  {{14, 4}, {16, 4}},  {{16, 4}, {16, 6}},
        {{16, 6}, {14, 6}}, {{14, 6}, {14, 4}},  {{17, 8}, {19, 8}},
    };
    std::vector<TCutSegment> segments;
    for (const auto& [p, q] : pieces) segments.push_back({p, q, {}});
    std::size_t cuts = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            CutAtContacts(segments[i], segments[j], cuts);
        }
    }
    const std::vector<TPlaneFace> faces = BoundedFaces(segments);
    const int right = FaceOf(faces, {12, 5});
    const std::vector<int> distinct = {FaceOf(faces, {5, 1}), FaceOf(faces, {1, 5}),
                                       FaceOf(faces, {5, 9}), right, FaceOf(faces, {15, 5})};
    const std::set<int> seen(distinct.begin(), distinct.end());
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen.count(-1), 0u);
    EXPECT_EQ(FaceOf(faces, {18, 9}), right);
    EXPECT_EQ(FaceOf(faces, {18, 7}), right);
    EXPECT_EQ(FaceOf(faces, {25, 5}), -1);
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
              "liquidus: --set \"Title=" + std::string(194, 't') + "…\" (207 bytes): invalid value \"" +
                  std::string(200, 't') + "…\" (201 bytes) for Title: expected text of at most "
                  "200 bytes (UTF-8) without control characters\n"},
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
