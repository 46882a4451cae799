// --section P:Q: the liquidus along a straight line through the triangle as
// a binary temperature-composition picture (--export FILE), or its curves
// as CSV on standard output (--query-section).

#include "sections/section.h"

#include <array>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"
#include "binary/binagram.h"

namespace liquidus::cli {

namespace {

constexpr TPictureSize kSectionPictureSize{640, 480};
/// The triangle whose field map the section reads, as --query reads it.
constexpr TPictureSize kFieldMapSize{1024, 768};

/// A side "i-j" of positions 1..3, or "A,B:A,B".
struct TSectionLine {
    bool Side = false;
    int From = 0;
    int To = 0;
    TSectionPoint P;
    TSectionPoint Q;
};

TSectionLine ParseSectionLine(const std::string& text) {
    const auto fail = [&text](const std::string& why) {
        return TUsageError("--section " + Quoted(text) + ": " + why);
    };
    std::string_view line = text;
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    const auto isPosition = [](char c) { return c >= '1' && c <= '3'; };
    if (line.size() == 3 && line[1] == '-' && isPosition(line[0]) && isPosition(line[2])) {
        if (line[0] == line[2]) throw fail("a side joins two different positions");
        return {true, line[0] - '0', line[2] - '0', {}, {}};
    }
    const std::size_t colon = line.find(':');
    const auto p =
        colon == std::string_view::npos ? std::nullopt : ParsePair(line.substr(0, colon));
    const auto q =
        colon == std::string_view::npos ? std::nullopt : ParsePair(line.substr(colon + 1));
    if (!p || !q) {
        throw fail(
            "expected P:Q with P and Q as A,B (shares of positions 1 and 2), "
            "or a side 1-2, 2-3 or 1-3");
    }
    return {false, 0, 0, {p->first, p->second}, {q->first, q->second}};
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void RunSection(const TRequest& request, TStreams& streams) {
    const std::string& text = request.ModeValues.front();
    const TSectionLine line = ParseSectionLine(text);
    const std::optional<std::string> file = request.Value("--export");
    const bool query = request.Has("--query-section");
    if (file && query) {
        throw TUsageError(
            "--query-section prints the curves instead of writing --export FILE: "
            "give one of them");
    }
    if (!file && !query) throw TUsageError("--section needs --export FILE or --query-section");
    std::optional<TPictureRequest> picture;
    if (file) picture = CheckPicture(request, *file, kSectionPictureSize);
    std::optional<std::pair<double, double>> mark;
    if (const std::optional<std::string> markText = request.Value("--mark-section")) {
        mark = ParsePair(*markText);
        if (!mark) {
            throw TUsageError("--mark-section " + Quoted(*markText) +
                              ": expected C,T (two numbers, display units)");
        }
        if (!file) throw TUsageError("--mark-section marks the picture of --export FILE");
    }

    TCommandLineDiagram sample(request, kFieldMapSize);
    TTernagram& diagram = sample.Diagram();
    TSection section;
    try {
        section = line.Side ? MakeSideSection(diagram, line.From, line.To)
                            : MakeSection(diagram, line.P, line.Q);
    } catch (const TSectionError& error) {
        throw TUsageError("--section " + Quoted(text) + ": " + error.what());
    }
    if (section.Curves.empty()) {
        throw TUsageError("--section " + Quoted(text) + ": the section meets no phase field");
    }

    if (query) {
        std::string csv = "field,knot,position,T\n";
        for (const TSectionCurve& curve : section.Curves) {
            int knot = 0;
            for (const auto& [position, t] : curve.Knots) {
                csv += CsvField(curve.Name) + ',' + std::to_string(++knot) + ',' +
                       Fixed(position, 4) + ',' + Fixed(t, 2) + '\n';
            }
        }
        streams.Out << csv;
        return;
    }

    TCommandLineHost host;
    TBinagram binagram(&host);
    PresentSection(diagram, section, binagram);
    if (const std::vector<std::string> refusals = host.TakeMessages(); !refusals.empty()) {
        throw TUsageError("--section " + Quoted(text) + ": " + refusals.front());
    }
    // A mark is placed on the screen picture; a figure keeps to its shape.
    const TPictureSize size = request.Size.value_or(kSectionPictureSize);
    if (mark) {
        // As a right click there would, on the picture as the window shows it.
        binagram.SetMarkMode(true);  // a mark is shown only in mark mode
        binagram.SetBounds(size.Width, size.Height);
        binagram.Paint();
        const int x = binagram.CompositionToX(mark->first);
        const int y = binagram.TemperatureToY(mark->second);
        if (binagram.IsTooSmall() || x <= binagram.PlotLeft() || x >= binagram.PlotRight() ||
            y <= binagram.PlotTop() || y >= binagram.PlotBottom()) {
            throw TUsageError("--mark-section " + Quoted(*request.Value("--mark-section")) +
                              ": outside the plot");
        }
        binagram.MouseMove(0, x, y);  // the pointer reaches the point first
        binagram.MouseDown(TMouseButton::mbRight, 0, x, y);
        binagram.MouseUp(TMouseButton::mbRight, 0, x, y);
        if (!binagram.MarkedPoint().Visible) {
            throw TUsageError("--mark-section " + Quoted(*request.Value("--mark-section")) +
                              ": no field there to mark");
        }
    }
    if (picture->Figure()) {
        // As the window shows it: on a page a reading must stay in its box.
        binagram.SetFitValuesTable(true);
        WriteFigureFile(binagram, *picture, *file);
        return;
    }
    const std::unique_ptr<TBitmap> bitmap = binagram.RenderPicture(size.Width, size.Height);
    if (bitmap->Width() != size.Width || bitmap->Height() != size.Height) {
        throw TWriteError("not enough memory for a " + std::to_string(size.Width) + " × " +
                          std::to_string(size.Height) + " picture");
    }
    WritePicture(*bitmap, *file, picture->Monochrome);
}

constexpr std::array<std::string_view, 4> kSectionOptions = {"--query-section", "--monochrome",
                                                             "--mark-section", "--text-scale"};
constexpr std::array<std::string_view, 1> kSectionCompanions = {"--export"};

}  // namespace

const TModeSpec kSectionMode{
    .Name = "--section",
    .Argument = "P:Q",
    .Help =
        "the liquidus from P to Q (A,B shares of positions 1 and 2, display units) or "
        "along a side 1-2, 2-3 or 1-3 as a binary diagram: with --export FILE its picture "
        "(--size, default 640x480), with --query-section its curves as CSV "
        "(field,knot,position,T) on standard output",
    .UsesDiagram = true,
    .Options = kSectionOptions,
    .Combines = kSectionCompanions,
    .Run = RunSection,
};

}  // namespace liquidus::cli
