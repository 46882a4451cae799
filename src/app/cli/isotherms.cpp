// --isotherms FILE: the isotherm points the on-screen picture of a control
// of the given size would draw, as CSV.

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <ostream>
#include <string>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"

namespace liquidus::cli {

namespace {

constexpr TPictureSize kIsothermPictureSize{1024, 768};

std::string Share(double value, bool percent) {
    char text[32];
    std::snprintf(text, sizeof text, percent ? "%.4f" : "%.6f", value);
    return text;
}

/// level,hot,index,A,B,C: every list in order, regular levels from the
/// lowest up, the hot isotherm last (contours: every polyline in drawing
/// order); shares in the current display units.
std::string IsothermTable(TTernagram& diagram) {
    std::string csv = "level,hot,index,A,B,C\n";
    const TIsotherm& iso = diagram.Isotherms();
    const double total = diagram.UnitsTotal();
    const bool percent = total == 100;
    const auto row = [&](const std::string& prefix, int index, double a, double b) {
        csv += prefix + std::to_string(index) + ',' + Share(a * total / 100, percent) + ',' +
               Share(b * total / 100, percent) + ',' +
               Share((100 - a - b) * total / 100, percent) + '\n';
    };
    if (iso.GraphType() == TIsothermType::itSpline) {
        // The contours of the picture just painted, one polyline after another.
        if (!diagram.DrawIsotherms()) return csv;
        for (const TContour& contour : diagram.Contours(diagram.Width(), diagram.Height())) {
            const std::string prefix =
                std::to_string(contour.Level) + (contour.Hot ? ",1," : ",0,");
            int index = 0;
            for (const auto& [a, b] : contour.Shares) row(prefix, ++index, a, b);
        }
        return csv;
    }
    if (!iso.Calculated) return csv;
    const TIsothermLists& lists = diagram.IsothermLists();
    for (int k = 1; k <= iso.LevelCount + 1 && k <= lists.ListCount(); ++k) {
        const bool hot = k == iso.LevelCount + 1;
        const int level =
            hot ? diagram.HotIsotherm() : iso.MinLevel + kIsothermLevelSpacing * (k - 1);
        const std::string prefix = std::to_string(level) + (hot ? ",1," : ",0,");
        int index = 0;
        for (const TIsoPoint& p : lists.Points(k)) row(prefix, ++index, p.A, p.B);
    }
    return csv;
}

void RunIsotherms(const TRequest& request, TStreams& streams) {
    const std::string& file = request.ModeValues.front();
    if (file.empty()) throw TUsageError("--isotherms needs a file name or - for standard output");
    // Switched on ahead of the --set options, so that they can still turn it off.
    TRequest calculation = request;
    calculation.Sets.insert(calculation.Sets.begin(),
                            {"DrawIsotherms=True", "DrawIsotherms", "True"});
    TCommandLineDiagram sample(calculation, request.Size.value_or(kIsothermPictureSize));
    TTernagram& diagram = sample.Diagram();
    diagram.Paint();
    WriteText(IsothermTable(diagram), file, streams.Out);
}

}  // namespace

const TModeSpec kIsothermsMode{
    .Name = "--isotherms",
    .Argument = "FILE",
    .Help =
        "write the isotherm points of the picture (default 1024x768) as CSV to FILE, or "
        "to standard output for -: level,hot,index,A,B,C in the current units",
    .UsesDiagram = true,
    .Run = RunIsotherms,
};

}  // namespace liquidus::cli
