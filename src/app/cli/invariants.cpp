// --invariants FILE: the diagram's invariant points as CSV, as the picture
// marks them.

#include <cstdio>
#include <string>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"
#include "model/units.h"

namespace liquidus::cli {

namespace {

std::string Number(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

/// kind,A,B,C,T,fields: hottest first, shares in the display units, the
/// temperature in the current unit, the fields' names joined by +.
std::string InvariantTable(TTernagram& diagram) {
    std::string csv = "kind,A,B,C,T,fields\n";
    const double total = diagram.UnitsTotal();
    const int decimals = total == 100 ? 4 : 6;
    for (const TInvariantPoint& p : diagram.InvariantPointList()) {
        std::string names;
        for (const int f : p.Fields) {
            if (!names.empty()) names += '+';
            names += diagram.AreaList()[static_cast<std::size_t>(f)].Name.str();
        }
        csv += std::string(p.Ternary ? "ternary," : "binary,") +
               Number(p.A * total / 100, decimals) + ',' + Number(p.B * total / 100, decimals) +
               ',' + Number((100 - p.A - p.B) * total / 100, decimals) + ',' +
               Number(TemperatureInUnits(p.T, diagram.TUnits()), 2) + ',' + names + '\n';
    }
    return csv;
}

void RunInvariants(const TRequest& request, TStreams& streams) {
    const std::string& file = request.ModeValues.front();
    if (file.empty()) throw TUsageError("--invariants needs a file name or - for standard output");
    TCommandLineDiagram diagram(request, request.Size.value_or(TPictureSize{1024, 768}));
    WriteText(InvariantTable(diagram.Diagram()), file, streams.Out);
}

}  // namespace

const TModeSpec kInvariantsMode{
    .Name = "--invariants",
    .Argument = "FILE",
    .Help =
        "write the diagram's invariant points as CSV to FILE, or to standard output for -: "
        "kind,A,B,C,T,fields (kind ternary or binary, shares in the current units, hottest "
        "first)",
    .UsesDiagram = true,
    .Run = RunInvariants,
};

}  // namespace liquidus::cli
