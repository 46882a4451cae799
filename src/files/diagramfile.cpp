#include "files/diagramfile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "files/diagramcheck.h"
#include "canvas/savefile.h"
#include "model/format.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

constexpr const char* kFormatName = "liquidus-diagram";
constexpr std::size_t kMaxFields = kAreaCount;
constexpr std::size_t kMaxVertices = kMaxAreaPoints;
// Fewer vertices than a triangle enclose no field.
constexpr std::size_t kMinVertices = 3;
constexpr std::size_t kMinPolylinePoints = 2;
// The boundary lines go over as one array with a 16-bit last index.
constexpr std::size_t kMaxBoundaryPairs = std::numeric_limits<std::uint16_t>::max() + 1;
constexpr int kMinTemperature = -273;
constexpr int kMaxTemperature = 5000;
// Shares the program itself computed (a basis or orientation change in
// single precision) may stray past 0 or 100 by a few units in the last
// place; far less than a pixel at any picture size.
constexpr double kShareSlack = 1e-4;

[[noreturn]] void Fail(const std::string& path, const std::string& problem) {
    throw TDiagramFormatError(path.empty() ? problem : path + ": " + problem);
}

std::string Member(const std::string& path, const char* name) {
    return path.empty() ? std::string(name) : path + "." + name;
}

std::string Element(const std::string& path, qsizetype index) {
    return path + "[" + std::to_string(index) + "]";
}

/// The shortest text that reads back as the same double.
std::string Number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

/// A computed value, without the noise of binary fractions.
std::string Rounded(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string Quote(const std::string& text) {
    return QuotedInput(text);
}

const char* Kind(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Null:
            return "null";
        case QJsonValue::Bool:
            return "true or false";
        case QJsonValue::Double:
            return "a number";
        case QJsonValue::String:
            return "a string";
        case QJsonValue::Array:
            return "an array";
        case QJsonValue::Object:
            return "an object";
        case QJsonValue::Undefined:
            break;
    }
    return "nothing";
}

[[noreturn]] void WrongKind(const std::string& path, const char* expected,
                            const QJsonValue& value) {
    Fail(path, std::string("expected ") + expected + ", found " + Kind(value));
}

QJsonValue Required(const QJsonObject& object, const std::string& path, const char* name) {
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isUndefined()) Fail(Member(path, name), "missing");
    return value;
}

double NumberAt(const QJsonValue& value, const std::string& path) {
    if (!value.isDouble()) WrongKind(path, "a number", value);
    const double number = value.toDouble();
    if (!std::isfinite(number)) Fail(path, "not a finite number");
    return number;
}

QJsonArray ArrayAt(const QJsonValue& value, const std::string& path) {
    if (!value.isArray()) WrongKind(path, "an array", value);
    return value.toArray();
}

QJsonObject ObjectAt(const QJsonValue& value, const std::string& path) {
    if (!value.isObject()) WrongKind(path, "an object", value);
    return value.toObject();
}

std::string StringAt(const QJsonValue& value, const std::string& path) {
    if (!value.isString()) WrongKind(path, "a string", value);
    const QString text = value.toString();
    // JSON lets a \u escape name half a surrogate pair; UTF-8 cannot hold
    // it, and the file written back would hold "?" in its place.
    if (!text.isValidUtf16()) Fail(path, "contains an unpaired surrogate (\\ud800..\\udfff)");
    return text.toStdString();
}

/// A name as the diagram stores it: UTF-8, no control characters, within
/// `maxBytes` (the field records hold bytes, not characters).
std::string NameAt(const QJsonValue& value, const std::string& path, std::size_t maxBytes,
                   bool mayBeEmpty) {
    const std::string name = StringAt(value, path);
    if (name.empty() && !mayBeEmpty) Fail(path, "empty");
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        Fail(path, "contains a control character");
    }
    if (name.size() > maxBytes) {
        Fail(path, Quote(name) + " is longer than " + std::to_string(maxBytes) +
                       " characters (UTF-8 bytes)");
    }
    return name;
}

bool ShareInRange(double share) {
    return share >= -kShareSlack && share <= 100 + kShareSlack;
}

/// Shares are checked as the diagram will hold them, in single precision,
/// so that a file written from a diagram passes the same checks.
bool InTriangle(float a, float b) {
    return ShareInRange(a) && ShareInRange(b) && double(a) + double(b) <= 100 + kShareSlack;
}

/// Reads [A, B] or [A, B, T]: `count` numbers, the shares checked.
std::array<double, 3> CompositionAt(const QJsonValue& value, const std::string& path,
                                    qsizetype count) {
    const QJsonArray items = ArrayAt(value, path);
    if (items.size() != count) {
        Fail(path,
             count == 2 ? "expected [A, B], two numbers" : "expected [A, B, T], three numbers");
    }
    std::array<double, 3> numbers{};
    for (qsizetype i = 0; i < count; ++i) {
        numbers[static_cast<std::size_t>(i)] = NumberAt(items[i], Element(path, i));
    }
    const char* names[2] = {"A", "B"};
    for (std::size_t i = 0; i < 2; ++i) {
        if (!ShareInRange(static_cast<float>(numbers[i]))) {
            Fail(path, std::string(names[i]) + " = " + Number(numbers[i]) + " lies outside 0..100");
        }
    }
    if (!InTriangle(static_cast<float>(numbers[0]), static_cast<float>(numbers[1]))) {
        Fail(path, "A + B = " + Rounded(numbers[0] + numbers[1]) + " exceeds 100");
    }
    return numbers;
}

std::int32_t TemperatureOf(double t, const std::string& path) {
    if (std::floor(t) != t) Fail(path, "T = " + Number(t) + " is not a whole number of degrees");
    if (t == 0) Fail(path, "T = 0 is not allowed (0 marks an unused vertex)");
    if (t < kMinTemperature || t > kMaxTemperature) {
        Fail(path, "T = " + Number(t) + " lies outside " + std::to_string(kMinTemperature) + ".." +
                       std::to_string(kMaxTemperature) + " °C");
    }
    return static_cast<std::int32_t>(t);
}

TDiagramSubstance SubstanceAt(const QJsonValue& value, const std::string& path) {
    const QJsonObject object = ObjectAt(value, path);
    TDiagramSubstance substance;
    substance.Name =
        NameAt(Required(object, path, "name"), Member(path, "name"), kMaxSubstanceNameBytes, false);
    const std::string massPath = Member(path, "molarMass");
    const double mass = NumberAt(Required(object, path, "molarMass"), massPath);
    if (mass <= 0) Fail(massPath, Number(mass) + " is not positive");
    const float single = static_cast<float>(mass);
    if (single < static_cast<float>(kMinMolarMass) || single > static_cast<float>(kMaxMolarMass)) {
        Fail(massPath, Number(mass) + " lies outside " + Number(kMinMolarMass) + ".." +
                           Number(kMaxMolarMass));
    }
    substance.MolarMass = single;
    return substance;
}

TDiagramField FieldAt(const QJsonValue& value, const std::string& path) {
    const QJsonObject object = ObjectAt(value, path);
    TDiagramField field;
    field.Name =
        NameAt(Required(object, path, "name"), Member(path, "name"), kAreaNameLength, false);
    const QJsonValue coPhased = object.value(QLatin1String("coPhased"));
    if (!coPhased.isUndefined()) {
        if (!coPhased.isBool()) WrongKind(Member(path, "coPhased"), "true or false", coPhased);
        field.CoPhased = coPhased.toBool();
    }
    const std::string fillPath = Member(path, "fill");
    const QJsonValue fillValue = Required(object, path, "fill");
    const QJsonArray fill = ArrayAt(fillValue, fillPath);
    if (fill.size() != 2) Fail(fillPath, "expected [A, B], two numbers");
    const double a = NumberAt(fill[0], Element(fillPath, 0));
    const double b = NumberAt(fill[1], Element(fillPath, 1));
    if (!InTriangle(static_cast<float>(a), static_cast<float>(b))) {
        Fail(fillPath,
             "the fill point (" + Number(a) + ", " + Number(b) + ") lies outside the triangle");
    }
    field.FillA = static_cast<float>(a);
    field.FillB = static_cast<float>(b);

    const std::string verticesPath = Member(path, "vertices");
    const QJsonArray vertices = ArrayAt(Required(object, path, "vertices"), verticesPath);
    if (static_cast<std::size_t>(vertices.size()) > kMaxVertices) {
        Fail(verticesPath, std::to_string(vertices.size()) + " vertices, at most " +
                               std::to_string(kMaxVertices));
    }
    if (static_cast<std::size_t>(vertices.size()) < kMinVertices) {
        Fail(verticesPath, std::to_string(vertices.size()) + " vertices, a field needs at least " +
                               std::to_string(kMinVertices));
    }
    for (qsizetype i = 0; i < vertices.size(); ++i) {
        const std::string vertexPath = Element(verticesPath, i);
        const std::array<double, 3> v = CompositionAt(vertices[i], vertexPath, 3);
        field.Vertices.push_back(
            {static_cast<float>(v[0]), static_cast<float>(v[1]), TemperatureOf(v[2], vertexPath)});
    }
    return field;
}

std::vector<std::vector<TSplinePoint>> BoundariesAt(const QJsonValue& value) {
    const std::string path = "boundaries";
    const QJsonArray lines = ArrayAt(value, path);
    std::vector<std::vector<TSplinePoint>> boundaries;
    std::size_t pairs = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::string linePath = Element(path, i);
        const QJsonArray points = ArrayAt(lines[i], linePath);
        if (static_cast<std::size_t>(points.size()) < kMinPolylinePoints) {
            Fail(linePath,
                 "a boundary line needs at least 2 points, not " + std::to_string(points.size()));
        }
        pairs += static_cast<std::size_t>(points.size()) + 1;  // with its separator
        if (pairs > kMaxBoundaryPairs) {
            Fail(path, "more than " + std::to_string(kMaxBoundaryPairs) +
                           " points and separators in all");
        }
        std::vector<TSplinePoint>& line = boundaries.emplace_back();
        for (qsizetype k = 0; k < points.size(); ++k) {
            const std::array<double, 3> p = CompositionAt(points[k], Element(linePath, k), 2);
            line.push_back({static_cast<float>(p[0]), static_cast<float>(p[1])});
        }
    }
    return boundaries;
}

/// Line and column (from 1, in characters) of a byte offset into UTF-8 text.
std::string LineAndColumn(const QByteArray& bytes, qsizetype offset) {
    offset = std::clamp<qsizetype>(offset, 0, bytes.size());
    int line = 1;
    int column = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

/// JSON numbers are doubles: the shortest decimal of the single-precision
/// value, so that the file reads "16.2" and reads back as the same Single.
double FileNumber(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double number = 0.0;
    std::from_chars(text, written.ptr, number);
    return number;
}

QJsonArray Pair(float a, float b) {
    return QJsonArray{FileNumber(a), FileNumber(b)};
}

/// Puts arrays that hold only numbers on one line: a vertex or a point per
/// line rather than a number per line. Strings never hold a raw newline or
/// bracket that could be taken for structure, and are copied untouched.
QByteArray CollapseNumberArrays(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    const auto numeric = [](char c) {
        return c != '\0' && std::strchr("0123456789+-.eE, \n", c) != nullptr;
    };
    bool inString = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < text.size()) {
                out += text[++i];
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') inString = true;
        if (c == '[') {
            qsizetype end = i + 1;
            while (end < text.size() && numeric(text[end])) ++end;
            if (end < text.size() && text[end] == ']') {
                QByteArray inner = text.mid(i + 1, end - i - 1);
                inner.replace(' ', "").replace('\n', "").replace(",", ", ");
                out += '[' + inner + ']';
                i = end;
                continue;
            }
        }
        out += c;
    }
    return out;
}

void ZoomOut(TTernagram& diagram) {
    // The component zooms out on a left click; a loaded diagram starts from
    // the whole triangle as that click would leave it.
    if (!diagram.Zoom()) return;
    // The click is read only on a painted picture.
    if (!diagram.Painted()) diagram.Paint();
    diagram.MouseDown(TMouseButton::mbLeft, 0, 0, 0);
    diagram.MouseUp(TMouseButton::mbLeft, 0, 0, 0);
}

}  // namespace

bool operator==(const TDiagramField& a, const TDiagramField& b) {
    const auto samePoint = [](const TAreaPoint& p, const TAreaPoint& q) {
        return p.A == q.A && p.B == q.B && p.T == q.T;
    };
    return a.Name == b.Name && a.CoPhased == b.CoPhased && a.FillA == b.FillA &&
           a.FillB == b.FillB &&
           std::equal(a.Vertices.begin(), a.Vertices.end(), b.Vertices.begin(), b.Vertices.end(),
                      samePoint);
}

bool operator==(const TDiagramFile& a, const TDiagramFile& b) {
    const auto sameLine = [](const std::vector<TSplinePoint>& p,
                             const std::vector<TSplinePoint>& q) {
        return std::equal(
            p.begin(), p.end(), q.begin(), q.end(),
            [](const TSplinePoint& s, const TSplinePoint& t) { return s.A == t.A && s.B == t.B; });
    };
    return a.Title == b.Title && a.Basis == b.Basis && a.Substances == b.Substances &&
           a.Fields == b.Fields &&
           std::equal(a.Boundaries.begin(), a.Boundaries.end(), b.Boundaries.begin(),
                      b.Boundaries.end(), sameLine);
}

TDiagramFile ParseDiagram(const QByteArray& bytes) {
    if (bytes.size() > kMaxDiagramFileBytes) {
        Fail({}, "the file is larger than 4 MiB, more than a diagram file may hold");
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        Fail(LineAndColumn(bytes, error.offset), error.errorString().toStdString());
    }
    if (!document.isObject()) Fail({}, "the file does not hold a JSON object");
    const QJsonObject root = document.object();

    const std::string format = StringAt(Required(root, {}, "format"), "format");
    if (format != kFormatName) {
        Fail("format", Quote(format) + " is not " + Quote(kFormatName));
    }
    const double version = NumberAt(Required(root, {}, "version"), "version");
    if (version < 1 || std::floor(version) != version) {
        Fail("version", Number(version) + " is not a version number (1, 2, ...)");
    }
    if (version > kDiagramFileVersion) {
        Fail("version", Number(version) + " is newer than this program reads (" +
                            std::to_string(kDiagramFileVersion) + ")");
    }

    TDiagramFile file;
    file.Title = NameAt(Required(root, {}, "title"), "title", kMaxTitleBytes, true);
    const std::string basis = StringAt(Required(root, {}, "basis"), "basis");
    if (basis == "mass") {
        file.Basis = TDiagramBasis::Mass;
    } else if (basis == "mole") {
        file.Basis = TDiagramBasis::Mole;
    } else {
        Fail("basis", Quote(basis) + " is neither \"mass\" nor \"mole\"");
    }

    const QJsonArray substances = ArrayAt(Required(root, {}, "substances"), "substances");
    if (substances.size() != 3) {
        Fail("substances", "expected 3 substances, found " + std::to_string(substances.size()));
    }
    for (qsizetype i = 0; i < 3; ++i) {
        file.Substances[static_cast<std::size_t>(i)] =
            SubstanceAt(substances[i], Element("substances", i));
    }

    const QJsonArray fields = ArrayAt(Required(root, {}, "fields"), "fields");
    if (static_cast<std::size_t>(fields.size()) > kMaxFields) {
        Fail("fields",
             std::to_string(fields.size()) + " fields, at most " + std::to_string(kMaxFields));
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        file.Fields.push_back(FieldAt(fields[i], Element("fields", i)));
    }
    file.Boundaries = BoundariesAt(Required(root, {}, "boundaries"));
    CheckDiagramGeometry(file);
    return file;
}

TDiagramFile ReadDiagramFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists()) throw TDiagramReadError("no such file");
    if (info.isDir()) throw TDiagramReadError("a folder, not a file");
    // A pipe or a device would block the read or never end; only a file
    // holds a diagram.
    if (!info.isFile()) throw TDiagramReadError("not a regular file");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TDiagramReadError("cannot read: " + file.errorString().toStdString());
    }
    // One byte past the limit is enough to know it is too large, also for
    // a device whose size is not known in advance.
    const QByteArray bytes = file.read(kMaxDiagramFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        throw TDiagramReadError("cannot read: " + file.errorString().toStdString());
    }
    return ParseDiagram(bytes);
}

void ApplyDiagram(const TDiagramFile& file, TTernagram& diagram) {
    ZoomOut(diagram);
    diagram.SetDataOrientation(TDataOrientation::doDirect);
    diagram.SetCUnits(file.Basis == TDiagramBasis::Mass ? TCUnits::cuMassPercents
                                                        : TCUnits::cuMolPercents);
    // A mark on the old data means nothing on the new.
    diagram.MarkedPoint().Visible = false;
    TSubstance* substances[3] = {&diagram.SubstanceA(), &diagram.SubstanceB(),
                                 &diagram.SubstanceC()};
    for (std::size_t i = 0; i < 3; ++i) {
        substances[i]->SetName(file.Substances[i].Name);
        substances[i]->MolMass = file.Substances[i].MolarMass;
    }
    diagram.SetTitle(file.Title);

    // Unused records go back to their placeholders: the isotherm levels
    // span the vertex temperatures of all sixteen records.
    const std::vector<TAreaData> placeholders = MakeDefaultAreaList();
    std::vector<TAreaData>& records = diagram.AreaList();
    for (std::size_t i = 0; i < records.size(); ++i) {
        TAreaData& record = records[i];
        record = i < placeholders.size() ? placeholders[i] : TAreaData{};
        if (i >= file.Fields.size()) continue;
        const TDiagramField& field = file.Fields[i];
        record.Name = field.Name;
        record.CoPhased = field.CoPhased ? 1 : 0;
        record.FillA = field.FillA;
        record.FillB = field.FillB;
        record.PointCount = static_cast<std::uint8_t>(field.Vertices.size());
        for (std::size_t p = 0; p < field.Vertices.size(); ++p) {
            record.Points[p + 1] = field.Vertices[p];
        }
    }

    TSplinesData splines;
    for (const std::vector<TSplinePoint>& line : file.Boundaries) {
        splines.Points.push_back({-1.0f, -1.0f});
        splines.Points.insert(splines.Points.end(), line.begin(), line.end());
    }
    if (splines.Points.empty()) splines.Points.push_back({-1.0f, -1.0f});
    splines.High = static_cast<std::uint16_t>(splines.Points.size() - 1);
    diagram.SetSplines(splines);
    diagram.SetDrawSplines(true);
    diagram.SetAreas(static_cast<int>(file.Fields.size()));
    diagram.SetDrawAreas(true);
    diagram.Isotherms().Calculated = false;
    diagram.DataChanged();
}

TDiagramFile CheckDiagram(const TDiagramFile& data) {
    // JSON holds text as UTF-8; bytes that are not would come back
    // replaced, a different name than the caller gave.
    const auto requireUtf8 = [](const std::string& text, const std::string& path) {
        const QByteArray bytes = QByteArray::fromStdString(text);
        if (QString::fromUtf8(bytes).toUtf8() != bytes) Fail(path, "is not valid UTF-8");
    };
    requireUtf8(data.Title, "title");
    for (std::size_t i = 0; i < data.Substances.size(); ++i) {
        requireUtf8(data.Substances[i].Name,
                    Member(Element("substances", static_cast<qsizetype>(i)), "name"));
    }
    for (std::size_t i = 0; i < data.Fields.size(); ++i) {
        requireUtf8(data.Fields[i].Name,
                    Member(Element("fields", static_cast<qsizetype>(i)), "name"));
    }
    // Through the file's own text, so that data given in code pass exactly
    // when the file they make would load.
    return ParseDiagram(SerializeDiagram(data));
}

void LoadDiagram(const TDiagramFile& data, TTernagram& diagram) {
    ApplyDiagram(CheckDiagram(data), diagram);
}

void LoadDiagramFile(const QString& fileName, TTernagram& diagram) {
    ApplyDiagram(ReadDiagramFile(fileName), diagram);
}

TDiagramFile DiagramFromTernagram(const TTernagram& diagram) {
    TDiagramFile file;
    file.Title = diagram.Title();
    file.Basis = IsMassBasis(diagram.CUnits()) ? TDiagramBasis::Mass : TDiagramBasis::Mole;
    // BaseName: while zoomed, Name holds the window's corner caption.
    const TSubstance* substances[3] = {&diagram.SubstanceA(), &diagram.SubstanceB(),
                                       &diagram.SubstanceC()};
    for (std::size_t i = 0; i < 3; ++i) {
        file.Substances[i] = {substances[i]->BaseName, substances[i]->MolMass};
    }
    for (int i = 0; i < diagram.Areas(); ++i) {
        const TAreaData& record = diagram.AreaList()[static_cast<std::size_t>(i)];
        TDiagramField& field = file.Fields.emplace_back();
        field.Name = record.Name.str();
        field.CoPhased = record.CoPhased != 0;
        field.FillA = record.FillA;
        field.FillB = record.FillB;
        const int count = std::min<int>(record.PointCount, kMaxAreaPoints);
        field.Vertices.assign(record.Points.begin() + 1, record.Points.begin() + 1 + count);
    }
    // Lines of fewer than two points draw nothing and are left out.
    std::vector<TSplinePoint> line;
    const auto finishLine = [&file, &line] {
        if (line.size() >= kMinPolylinePoints) file.Boundaries.push_back(line);
        line.clear();
    };
    const std::vector<double>& a = diagram.SplinesA();
    const std::vector<double>& b = diagram.SplinesB();
    const int last = std::min<int>(diagram.SplinesHigh(), static_cast<int>(a.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        if (a[i] == -1) {
            finishLine();
        } else {
            line.push_back({static_cast<float>(a[i]), static_cast<float>(b[i])});
        }
    }
    finishLine();
    return file;
}

QByteArray SerializeDiagram(const TDiagramFile& file) {
    QJsonArray substances;
    for (const TDiagramSubstance& substance : file.Substances) {
        substances.append(QJsonObject{{"name", QString::fromStdString(substance.Name)},
                                      {"molarMass", FileNumber(substance.MolarMass)}});
    }
    QJsonArray fields;
    for (const TDiagramField& field : file.Fields) {
        QJsonArray vertices;
        for (const TAreaPoint& p : field.Vertices) {
            vertices.append(QJsonArray{FileNumber(p.A), FileNumber(p.B), p.T});
        }
        fields.append(QJsonObject{{"name", QString::fromStdString(field.Name)},
                                  {"coPhased", field.CoPhased},
                                  {"fill", Pair(field.FillA, field.FillB)},
                                  {"vertices", vertices}});
    }
    QJsonArray boundaries;
    for (const std::vector<TSplinePoint>& line : file.Boundaries) {
        QJsonArray points;
        for (const TSplinePoint& p : line) points.append(Pair(p.A, p.B));
        boundaries.append(points);
    }
    const QJsonObject root{
        {"format", QLatin1String(kFormatName)},
        {"version", kDiagramFileVersion},
        {"title", QString::fromStdString(file.Title)},
        {"basis", file.Basis == TDiagramBasis::Mass ? "mass" : "mole"},
        {"substances", substances},
        {"fields", fields},
        {"boundaries", boundaries},
    };
    return CollapseNumberArrays(QJsonDocument(root).toJson(QJsonDocument::Indented));
}

void WriteDiagramFile(const TTernagram& diagram, const QString& fileName) {
    const QByteArray bytes = SerializeDiagram(DiagramFromTernagram(diagram));
    // A file that would not load is not written: data set by other means
    // (a long title, a molar mass of 0) are reported instead.
    ParseDiagram(bytes);
    SaveFileAtomically(QFile::encodeName(fileName).toStdString(),
                       [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}

}  // namespace liquidus
