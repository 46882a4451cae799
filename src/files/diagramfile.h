#pragma once
/// \file
/// Diagram files: a ternary diagram's data as a JSON document, so that the
/// program shows any system, not only the built-in sample. Reading is split
/// into a pure parse that checks everything and an apply that cannot fail,
/// so that a bad file never leaves a diagram half replaced.
///
/// A program that has the data in memory builds a TDiagramFile and hands
/// it over with LoadDiagram(); a file goes in with LoadDiagramFile(). Both
/// check first and leave the diagram untouched when they throw. The format
/// is described in docs/diagram-format.md.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/areadata.h"

namespace liquidus {

class TTernagram;

/// Larger files are refused unread.
constexpr std::int64_t kMaxDiagramFileBytes = 4 * 1024 * 1024;
/// The format version this library writes and the newest it reads.
constexpr int kDiagramFileVersion = 1;

/// The file's content is not a diagram this program reads; what() names
/// the place as a JSON path ("fields[3].vertices[2]: ...") or, for a syntax
/// error, the line and column.
class TDiagramFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The file could not be read at all (missing, unreadable, a folder).
class TDiagramReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// What the compositions are percent of.
enum class TDiagramBasis { Mass, Mole };

/// A component of the system: a name (UTF-8, 1..40 bytes, no control
/// characters) and its molar mass (1e-6..1e6), used to convert between
/// mass and mole percent.
struct TDiagramSubstance {
    std::string Name;
    float MolarMass = 1.0f;
    friend bool operator==(const TDiagramSubstance&, const TDiagramSubstance&) = default;
};

/// A primary-phase field: name (UTF-8, 1..25 bytes), whether it holds two
/// co-existing phases, a fill point strictly inside it, and its outline of
/// 3..12 vertices, each a composition with its liquidus temperature in
/// whole degrees Celsius (-273..5000, not 0).
struct TDiagramField {
    std::string Name;
    bool CoPhased = false;
    float FillA = 0.0f;
    float FillB = 0.0f;
    std::vector<TAreaPoint> Vertices;
    friend bool operator==(const TDiagramField& a, const TDiagramField& b);
};

/// A diagram as a file holds it. Compositions are percent of `Basis`, as
/// shares of the substances at positions 1 and 2. Up to 16 fields; each
/// boundary line is a polyline of at least two points, drawn as a smooth
/// curve, and the lines must close the fields' regions.
struct TDiagramFile {
    std::string Title;
    TDiagramBasis Basis = TDiagramBasis::Mass;
    std::array<TDiagramSubstance, 3> Substances{};
    std::vector<TDiagramField> Fields;
    std::vector<std::vector<TSplinePoint>> Boundaries;
    friend bool operator==(const TDiagramFile& a, const TDiagramFile& b);
};

/// Checks a whole file's bytes, its geometry included; throws
/// TDiagramFormatError at the first problem. Boundary ends that nearly meet
/// a side or a line come back moved onto it. Touches no diagram.
TDiagramFile ParseDiagram(const QByteArray& bytes);

/// Reads and checks a file: TDiagramReadError when it cannot be read,
/// TDiagramFormatError when it is not a valid diagram.
TDiagramFile ReadDiagramFile(const QString& fileName);

/// Puts a checked diagram into `diagram` as a host hands data over: zoom
/// off, orientation direct, the file's basis in percent, then substances,
/// title, fields and boundary lines. Unused field records go back to their
/// placeholders; the marked point is dropped and the isotherms are
/// recalculated on the next paint. Other settings stay as they are.
void ApplyDiagram(const TDiagramFile& file, TTernagram& diagram);

/// Checks a diagram built in code exactly as ParseDiagram() checks a file
/// (names, ranges, counts and the geometry); throws TDiagramFormatError
/// naming the place as the file would ("fields[2].vertices[0]: ...").
/// Returns the data with boundary ends that nearly meet their side or line
/// moved onto it.
TDiagramFile CheckDiagram(const TDiagramFile& data);

/// Shows data built in code: CheckDiagram(), then ApplyDiagram(). Throws
/// TDiagramFormatError with `diagram` untouched.
void LoadDiagram(const TDiagramFile& data, TTernagram& diagram);

/// Shows a diagram file: ReadDiagramFile(), then ApplyDiagram(). Throws
/// TDiagramReadError or TDiagramFormatError with `diagram` untouched.
void LoadDiagramFile(const QString& fileName, TTernagram& diagram);

/// The data `diagram` shows now, in its current basis and orientation.
TDiagramFile DiagramFromTernagram(const TTernagram& diagram);

/// The file's text: indented JSON, with each vertex and point on one line.
QByteArray SerializeDiagram(const TDiagramFile& file);

/// Writes the diagram's data atomically; the old file survives a failure.
/// Throws TDiagramFormatError when the data would not read back (a title
/// set longer than a file may hold, say) and TSaveError when writing fails.
void WriteDiagramFile(const TTernagram& diagram, const QString& fileName);

}  // namespace liquidus
