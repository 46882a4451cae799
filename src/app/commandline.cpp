#include "app/commandline.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <exception>
#include <iomanip>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "sample/sample.h"
#include "canvas/canvas.h"
#include "canvas/control.h"
#include "model/format.h"
#include "model/units.h"
#include "ternary/properties.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

constexpr std::string_view kProgram = "liquidus";
constexpr int kExitOk = 0;
constexpr int kExitWriteFailed = 1;
constexpr int kExitBadInput = 2;
constexpr int kMaxPictureSide = 10000;

/// Bad input: one line on stderr, exit status 2, nothing written.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The output file could not be written: exit status 1.
class TWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

enum class TMode { mdNone, mdHelp, mdVersion, mdListProperties, mdExport, mdQuery };

using TModeSet = unsigned;
constexpr TModeSet ModeBit(TMode mode) {
    return 1u << static_cast<unsigned>(mode);
}

enum class TImageFormat { ifBmp, ifPng };

struct TPictureSize {
    int Width = 0;
    int Height = 0;
};

/// One look-up: shares of positions 1 and 2 in display units, or "-" for
/// the lines of standard input.
struct TQuery {
    std::string Argument;
    double A = 0.0;
    double B = 0.0;
    bool FromInput = false;
};

struct TPropertyAssignment {
    std::string Argument;  // as typed, for messages
    std::string Name;
    std::string Value;
};

/// Everything the arguments ask for, checked before anything is rendered.
struct TRequest {
    TMode Mode = TMode::mdNone;
    std::string ModeOption;
    std::string File;
    TImageFormat Format = TImageFormat::ifBmp;
    std::vector<TPropertyAssignment> Sets;
    std::optional<TPictureSize> Size;
    bool Monochrome = false;
    std::vector<TQuery> Queries;
};

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    });
}

// Option handlers. Each checks its own argument and throws TUsageError.

void ApplyExport(TRequest& request, const std::string& file) {
    if (EndsWithNoCase(file, ".bmp")) {
        request.Format = TImageFormat::ifBmp;
    } else if (EndsWithNoCase(file, ".png")) {
        request.Format = TImageFormat::ifPng;
    } else {
        throw TUsageError("--export " + Quoted(file) + ": unsupported file type, use .bmp or .png");
    }
    request.File = file;
}

void ApplySet(TRequest& request, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw TUsageError("--set " + Quoted(assignment) + ": expected NAME=VALUE");
    }
    TPropertyAssignment set{assignment, assignment.substr(0, equals),
                            assignment.substr(equals + 1)};
    // Names are checked now, so that a misspelt one is reported before any
    // other work; values are checked when they are applied, still before
    // anything is rendered.
    const TPropertyInfo* property = FindProperty(set.Name);
    if (property == nullptr) {
        throw TUsageError("--set " + Quoted(assignment) + ": unknown property " + Quoted(set.Name));
    }
    if (property->ReadOnly()) {
        throw TUsageError("--set " + Quoted(assignment) + ": property " + property->Name +
                          " is read-only");
    }
    request.Sets.push_back(std::move(set));
}

std::optional<int> ParseSide(std::string_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kMaxPictureSide) {
        return std::nullopt;
    }
    return value;
}

void ApplySize(TRequest& request, const std::string& size) {
    const std::size_t x = size.find_first_of("xX");
    std::optional<int> width;
    std::optional<int> height;
    if (x != std::string::npos) {
        width = ParseSide(std::string_view(size).substr(0, x));
        height = ParseSide(std::string_view(size).substr(x + 1));
    }
    if (!width || !height) {
        throw TUsageError("--size " + Quoted(size) + ": expected WxH, two whole numbers 1.." +
                          std::to_string(kMaxPictureSide));
    }
    request.Size = TPictureSize{*width, *height};
}

std::optional<double> ParseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

/// "A,B": two numbers.
std::optional<TQuery> ParseComposition(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto a = ParseNumber(text.substr(0, comma));
    const auto b = ParseNumber(text.substr(comma + 1));
    if (!a || !b) return std::nullopt;
    return TQuery{std::string(text), *a, *b, false};
}

void ApplyQuery(TRequest& request, const std::string& composition) {
    if (composition == "-") {
        request.Queries.push_back({composition, 0.0, 0.0, true});
        return;
    }
    const auto query = ParseComposition(composition);
    if (!query) {
        throw TUsageError("--query " + Quoted(composition) +
                          ": expected A,B (two numbers) or - for standard input");
    }
    request.Queries.push_back(*query);
}

void ApplyMonochrome(TRequest& request, const std::string&) {
    request.Monochrome = true;
}
void ApplyNothing(TRequest&, const std::string&) {}

/// One command-line option. A mode option selects what the program does;
/// the others are accepted only by the modes named in ValidIn.
struct TOption {
    std::string_view Name;
    std::string_view Alias;
    std::string_view Argument;  // empty: the option takes no value
    std::string_view Help;
    TMode Selects;  // mdNone: not a mode option
    TModeSet ValidIn;
    bool Repeatable;
    void (*Apply)(TRequest&, const std::string&);
};

constexpr TModeSet kRendering = ModeBit(TMode::mdExport);
constexpr TModeSet kPainting = ModeBit(TMode::mdExport) | ModeBit(TMode::mdQuery);
constexpr TModeSet kWithProperties =
    ModeBit(TMode::mdExport) | ModeBit(TMode::mdListProperties) | ModeBit(TMode::mdQuery);

constexpr std::array kOptions = {
    TOption{"--export", "", "FILE", "write the sample diagram to FILE (.bmp or .png)",
            TMode::mdExport, 0, false, ApplyExport},
    TOption{"--query", "", "A,B",
            "print composition, field and liquidus temperature at shares A, B of positions 1 "
            "and 2 (display units); repeatable; - reads A,B lines from standard input",
            TMode::mdQuery, 0, true, ApplyQuery},
    TOption{"--list-properties", "", "", "print every property as NAME=VALUE",
            TMode::mdListProperties, 0, false, ApplyNothing},
    TOption{"--help", "-h", "", "show this help", TMode::mdHelp, 0, false, ApplyNothing},
    TOption{"--version", "", "", "show the version", TMode::mdVersion, 0, false, ApplyNothing},
    TOption{"--set", "", "NAME=VALUE", "set a property; repeatable, applied in order",
            TMode::mdNone, kWithProperties, true, ApplySet},
    TOption{"--size", "", "WxH",
            "the screen picture of a WxH control (export: instead of the saved one; query: "
            "default 1024x768)",
            TMode::mdNone, kPainting, false, ApplySize},
    TOption{"--monochrome", "", "", "write a two-colour picture", TMode::mdNone, kRendering, false,
            ApplyMonochrome},
};

const TOption* FindOption(std::string_view name) {
    for (const TOption& option : kOptions) {
        if (name == option.Name || (!option.Alias.empty() && name == option.Alias)) {
            return &option;
        }
    }
    return nullptr;
}

std::string ModesAccepting(TModeSet modes) {
    std::string names;
    for (const TOption& option : kOptions) {
        if (option.Selects != TMode::mdNone && (modes & ModeBit(option.Selects)) != 0) {
            if (!names.empty()) names += " or ";
            names += option.Name;
        }
    }
    return names;
}

TRequest ParseArguments(const std::vector<std::string>& args) {
    TRequest request;
    std::vector<const TOption*> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg.front() != '-') {
            throw TUsageError("unexpected argument " + Quoted(arg));
        }
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t equals = arg.find('=');
            arg.starts_with("--") && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const TOption* option = FindOption(name);
        if (option == nullptr) {
            throw TUsageError("unknown option " + Quoted(name));
        }
        if (option->Argument.empty()) {
            if (value) {
                throw TUsageError(std::string(option->Name) + " takes no value");
            }
            value = std::string();
        } else if (!value) {
            // An option in the value's place means the value was left out.
            if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                value = args[++i];
            }
        }
        if (!value || (!option->Argument.empty() && value->empty())) {
            throw TUsageError(std::string(option->Name) + " needs " +
                              std::string(option->Argument));
        }
        if (!option->Repeatable && std::find(given.begin(), given.end(), option) != given.end()) {
            throw TUsageError(std::string(option->Name) + " given more than once");
        }
        given.push_back(option);
        if (option->Selects != TMode::mdNone && request.Mode != option->Selects) {
            if (request.Mode != TMode::mdNone) {
                throw TUsageError(std::string(option->Name) + " cannot be combined with " +
                                  request.ModeOption);
            }
            request.Mode = option->Selects;
            request.ModeOption = std::string(option->Name);
        }
        option->Apply(request, *value);
    }
    for (const TOption* option : given) {
        if (option->Selects == TMode::mdNone && (option->ValidIn & ModeBit(request.Mode)) == 0) {
            throw TUsageError(std::string(option->Name) + " is only valid with " +
                              ModesAccepting(option->ValidIn));
        }
    }
    if (request.Mode == TMode::mdNone) {
        throw TUsageError("nothing to do: use --export FILE, --query A,B, --help or --version");
    }
    return request;
}

/// A window-less host that keeps what the diagram would have shown in a
/// message box: a setting the diagram refuses is bad input here.
class TCommandLineHost : public TNullHost {
public:
    void ShowMessage(const std::string& text) override { m_messages.push_back(text); }
    std::vector<std::string> TakeMessages() { return std::exchange(m_messages, {}); }

private:
    std::vector<std::string> m_messages;
};

/// The sample diagram as the program window starts with it.
class TSampleDiagram {
public:
    TSampleDiagram() : m_diagram(&m_host) {
        LoadSampleDiagram(m_diagram);
        m_host.TakeMessages();
    }

    TTernagram& Diagram() { return m_diagram; }

    /// Applies the --set options in order, each through the registry.
    void Apply(const std::vector<TPropertyAssignment>& sets) {
        for (const TPropertyAssignment& set : sets) {
            const TPropertyResult result = SetPropertyByName(m_diagram, set.Name, set.Value);
            if (!result.Ok()) {
                throw TUsageError("--set " + Quoted(set.Argument) + ": " + result.Message);
            }
            const std::vector<std::string> refusals = m_host.TakeMessages();
            if (!refusals.empty()) {
                throw TUsageError("--set " + Quoted(set.Argument) + ": " + refusals.front());
            }
        }
    }

private:
    TCommandLineHost m_host;
    TTernagram m_diagram;
};

/// Luminance 0.299 R + 0.587 G + 0.114 B of at least 128, as the 1-bit
/// bitmap writer decides.
bool IsLightPixel(QRgb pixel) {
    return 299u * qRed(pixel) + 587u * qGreen(pixel) + 114u * qBlue(pixel) >= 128000u;
}

QImage ToMonochrome(const QImage& image) {
    QImage mono(image.size(), QImage::Format_Mono);
    mono.setColorCount(2);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            mono.setPixel(x, y, IsLightPixel(image.pixel(x, y)) ? 1 : 0);
        }
    }
    return mono;
}

/// Failures read as the bitmap writer's do: the file, then the system's reason.
[[noreturn]] void SaveError(const std::string& fileName, const QString& reason) {
    throw TWriteError("Cannot save " + Quoted(fileName) + ": " + reason.toStdString());
}

void WritePng(const TBitmap& picture, const std::string& fileName, bool monochrome) {
    // QSaveFile writes next to the target and renames on commit, so a failure
    // leaves no partial file.
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(fileName)));
    if (!file.open(QIODevice::WriteOnly)) {
        SaveError(fileName, file.errorString());
    }
    const QImage image = monochrome ? ToMonochrome(picture.Image()) : picture.Image();
    if (!image.save(&file, "PNG")) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("PNG encoding failed");
        file.cancelWriting();
        SaveError(fileName, reason);
    }
    if (!file.commit()) {
        SaveError(fileName, file.errorString());
    }
}

void WritePicture(TBitmap& picture, const TRequest& request) {
    if (request.Format == TImageFormat::ifPng) {
        WritePng(picture, request.File, request.Monochrome);
        return;
    }
    picture.Monochrome = request.Monochrome;
    try {
        picture.SaveToFile(request.File);
    } catch (const std::runtime_error& error) {
        throw TWriteError(error.what());
    }
}

void RunExport(const TRequest& request) {
    TSampleDiagram sample;
    TTernagram& diagram = sample.Diagram();
    if (request.Size) {
        diagram.SetBounds(request.Size->Width, request.Size->Height);
        if (diagram.Width() != request.Size->Width || diagram.Height() != request.Size->Height) {
            throw TWriteError("cannot render " + std::to_string(request.Size->Width) + "x" +
                              std::to_string(request.Size->Height) + ": out of memory");
        }
    }
    sample.Apply(request.Sets);
    if (request.Size) {
        diagram.Paint();
        WritePicture(diagram.Screen(), request);
    } else {
        const std::unique_ptr<TBitmap> picture = diagram.RenderPicture();
        WritePicture(*picture, request);
    }
}

constexpr TPictureSize kQueryPictureSize{1024, 768};

/// The queries in order, "-" replaced by the lines of standard input. All
/// input is checked before anything is printed.
std::vector<TQuery> CollectQueries(const std::vector<TQuery>& given, std::istream& in) {
    std::vector<TQuery> all;
    bool inputRead = false;
    for (const TQuery& query : given) {
        if (!query.FromInput) {
            all.push_back(query);
            continue;
        }
        if (inputRead) continue;  // standard input can be read only once
        inputRead = true;
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
            const auto parsed = ParseComposition(line);
            if (!parsed) {
                throw TUsageError("standard input line " + std::to_string(number) + " " +
                                  Quoted(line) + ": expected A,B (two numbers)");
            }
            all.push_back(*parsed);
        }
    }
    return all;
}

void RunQuery(const TRequest& request, std::istream& in, std::ostream& out) {
    const std::vector<TQuery> queries = CollectQueries(request.Queries, in);
    TSampleDiagram sample;
    TTernagram& diagram = sample.Diagram();
    const TPictureSize size = request.Size.value_or(kQueryPictureSize);
    diagram.SetBounds(size.Width, size.Height);
    sample.Apply(request.Sets);
    const std::unique_ptr<TBitmap> fields = diagram.RenderFieldMap();
    const double total = diagram.UnitsTotal();
    const int decimals = total == 100 ? 3 : 5;
    for (const TQuery& query : queries) {
        const double c = total - query.A - query.B;
        out << FormatFixed(query.A, decimals) << '\t' << FormatFixed(query.B, decimals) << '\t'
            << FormatFixed(c, decimals) << '\t';
        // Stored compositions are percent of the current basis.
        const double a = query.A * 100 / total;
        const double b = query.B * 100 / total;
        constexpr double kSlack = 1e-9;
        const bool inTriangle = a >= -kSlack && b >= -kSlack && 100 - a - b >= -kSlack;
        const int field = inTriangle ? diagram.AreaNearComposition(*fields, a, b) : -1;
        if (field < 0) {
            out << "-\t-\n";
            continue;
        }
        out << diagram.AreaList()[field].Name.str() << '\t';
        const std::optional<double> celsius = diagram.AreaTemperature(field, a, b);
        if (celsius) {
            out << FormatFixed(TemperatureInUnits(*celsius, diagram.TUnits()), 2) << '\n';
        } else {
            out << "-\n";
        }
    }
}

void ListProperties(const TRequest& request, std::ostream& out) {
    TSampleDiagram sample;
    sample.Apply(request.Sets);
    for (const TPropertyInfo& property : TernagramProperties()) {
        out << property.Name << '=' << property.Get(sample.Diagram()) << '\n';
    }
}

void PrintHelp(std::ostream& out) {
    out << "Usage: " << kProgram << " [OPTION]...\n"
        << "Without options the program opens its window. With a mode option it works\n"
           "on the built-in sample diagram without a window.\n\n";
    const auto printOptions = [&out](bool modes) {
        for (const TOption& option : kOptions) {
            if ((option.Selects != TMode::mdNone) != modes) continue;
            std::string synopsis(option.Name);
            if (!option.Alias.empty()) synopsis = std::string(option.Alias) + ", " + synopsis;
            if (!option.Argument.empty()) synopsis += " " + std::string(option.Argument);
            out << "  " << std::left << std::setw(22) << synopsis << ' ' << option.Help;
            if (!modes) out << " (with " << ModesAccepting(option.ValidIn) << ")";
            out << '\n';
        }
    };
    out << "Modes:\n";
    printOptions(true);
    out << "\nOptions:\n";
    printOptions(false);
    out << "\nProperties for --set (names are case-insensitive; Boolean is True or False,\n"
           "TColor is $00BBGGRR, a decimal number or a name such as clBlue):\n";
    std::size_t width = 0;
    for (const TPropertyInfo& property : TernagramProperties()) {
        width = std::max(width, property.Name.size());
    }
    for (const TPropertyInfo& property : TernagramProperties()) {
        out << "  " << std::left << std::setw(static_cast<int>(width)) << property.Name << "  "
            << property.Type << (property.ReadOnly() ? ", read-only" : "") << '\n';
    }
    out << "\nExit status: 0 done, 1 the file could not be written, 2 bad arguments.\n";
}

}  // namespace

bool IsCommandLineMode(const std::vector<std::string>& args) {
    return !args.empty() && args.front().starts_with('-');
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::istringstream none;
    return RunCommandLine(args, none, out, err);
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    try {
        const TRequest request = ParseArguments(args);
        switch (request.Mode) {
            case TMode::mdHelp:
                PrintHelp(out);
                break;
            case TMode::mdVersion:
                out << kProgram << ' ' << LIQUIDUS_VERSION << '\n';
                break;
            case TMode::mdListProperties:
                ListProperties(request, out);
                break;
            case TMode::mdExport:
                RunExport(request);
                break;
            case TMode::mdQuery:
                RunQuery(request, in, out);
                break;
            case TMode::mdNone:
                break;
        }
        return kExitOk;
    } catch (const TUsageError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return kExitBadInput;
    } catch (const TWriteError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return kExitWriteFailed;
    } catch (const std::exception& error) {
        // Whatever stopped the rendering, no file was written.
        err << kProgram << ": " << error.what() << '\n';
        return kExitWriteFailed;
    }
}

}  // namespace liquidus
