// --query A,B: composition, field and liquidus temperature, one line each.

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/diagram.h"
#include "app/cli/modes.h"
#include "model/format.h"

namespace liquidus::cli {

namespace {

constexpr TPictureSize kQueryPictureSize{1024, 768};

struct TQuery {
    double A = 0.0;
    double B = 0.0;
};

TQuery ParseQueryArgument(const std::string& text) {
    const auto pair = ParsePair(text);
    if (!pair) {
        throw TUsageError("--query " + Quoted(text) +
                          ": expected A,B (two numbers) or - for standard input");
    }
    return {pair->first, pair->second};
}

/// The queries in order, "-" replaced by the lines of standard input. All
/// input is checked before anything is printed, the arguments before
/// standard input is read.
std::vector<TQuery> CollectQueries(const std::vector<std::string>& given, std::istream& in) {
    for (const std::string& text : given) {
        if (text != "-") ParseQueryArgument(text);
    }
    std::vector<TQuery> all;
    bool inputRead = false;
    for (const std::string& text : given) {
        if (text != "-") {
            all.push_back(ParseQueryArgument(text));
            continue;
        }
        if (inputRead) continue;  // standard input can be read only once
        inputRead = true;
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
            const auto pair = ParsePair(line);
            if (!pair) {
                throw TUsageError("standard input line " + std::to_string(number) + " " +
                                  Quoted(line) + ": expected A,B (two numbers)");
            }
            all.push_back({pair->first, pair->second});
        }
        // A read error ends std::cin's lines like the end of the input does;
        // only the C stream behind it remembers it.
        if (in.bad() || (&in == &std::cin && std::ferror(stdin) != 0)) {
            throw TUsageError(std::string("standard input cannot be read: ") +
                              (errno != 0 ? std::strerror(errno) : "read error"));
        }
    }
    return all;
}

void RunQuery(const TRequest& request, TStreams& streams) {
    const std::vector<TQuery> queries = CollectQueries(request.ModeValues, streams.In);
    TCommandLineDiagram sample(request, request.Size.value_or(kQueryPictureSize));
    TTernagram& diagram = sample.Diagram();
    ApplyViewOptions(request, diagram);
    diagram.CalcLayout();
    if (diagram.IsTooSmall()) {
        // The picture would only say "Enlarge Me..": no field to read.
        throw TUsageError("--size " + std::to_string(diagram.Width()) + "x" +
                          std::to_string(diagram.Height()) + ": too small to draw the diagram");
    }
    const double total = diagram.UnitsTotal();
    const int decimals = total == 100 ? 3 : 5;
    std::ostream& out = streams.Out;
    for (const TQuery& query : queries) {
        out << FormatFixed(query.A, decimals) << '\t' << FormatFixed(query.B, decimals) << '\t'
            << FormatFixed(total - query.A - query.B, decimals) << '\t';
        const TLiquidusReading reading = diagram.LiquidusAt(query.A, query.B);
        if (reading.Area < 0) {
            out << "-\t-\n";
            continue;
        }
        out << diagram.AreaList()[reading.Area].Name.str() << '\t';
        out << (reading.Temperature ? FormatFixed(*reading.Temperature, 2) : std::string("-"))
            << '\n';
    }
}

constexpr std::array<std::string_view, 2> kQueryOptions = {"--mark", "--zoom"};

}  // namespace

const TModeSpec kQueryMode{
    .Name = "--query",
    .Argument = "A,B",
    .Help =
        "print composition, field and liquidus temperature at shares A, B of positions 1 "
        "and 2 (display units); repeatable; - reads A,B lines from standard input",
    .Repeatable = true,
    .UsesDiagram = true,
    .Options = kQueryOptions,
    .Run = RunQuery,
};

}  // namespace liquidus::cli
