#include "sections/section.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <memory>

#include "binary/binagram.h"
#include "isotherms/altitude.h"
#include "ternary/ternagram.h"

namespace liquidus {

namespace {

constexpr int kMaxKnots = 10;
constexpr int kDegreeStep = 100;
/// A vertex this close to the line (percent) lies on it.
constexpr double kOnLine = 0.01;
/// A stretch end found within this many pixels of a vertex or a section end
/// is taken to be there: the field map places a boundary only to the pixel.
constexpr double kSnapPixels = 3.0;
/// Where a boundary line meets the section at a shallow angle, the lines of
/// the picture hide the thin end of a field over a longer way; a vertex of
/// both fields on the section this close to the boundary found is where the
/// two meet.
constexpr double kSharedSnapPixels = 20.0;

/// The picture the pixel tolerances above are counted in.
constexpr int kReferenceWidth = 1024;
constexpr int kReferenceHeight = 768;

constexpr double kTiny = 1e-9;
// The range a binary diagram accepts, in Celsius.
constexpr double kLowestCelsius = -273.15;  // absolute zero
constexpr double kHighestCelsius = 3000.0;

struct TVec {
    double A = 0.0;
    double B = 0.0;
};

/// One run of consecutive samples in one field.
struct TRun {
    int Field = -1;
    int First = 0;
    int Last = 0;
    double From = 0.0;
    double To = 0.0;
};

std::string FormatShare(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

const std::string& CaptionOf(const TSubstance& substance) {
    // While the diagram is zoomed its names are window captions; BaseName
    // keeps the component's own.
    return substance.BaseName.empty() ? substance.Name() : substance.BaseName;
}

/// A component's name for a corner, else the shares that make the mixture.
std::string EndName(const TTernagram& diagram, TSectionPoint p) {
    const double total = diagram.UnitsTotal();
    const double shares[3] = {p.A, p.B, total - p.A - p.B};
    const TSubstance* substances[3] = {&diagram.SubstanceA(), &diagram.SubstanceB(),
                                       &diagram.SubstanceC()};
    const double slack = kTiny * total;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(shares[i] - total) <= slack) return CaptionOf(*substances[i]);
    }
    const int decimals = total == 100 ? 2 : 4;
    std::string name;
    for (int i = 0; i < 3; ++i) {
        if (shares[i] <= slack) continue;
        if (!name.empty()) name += ' ';
        name += FormatShare(shares[i], decimals) + ' ' + CaptionOf(*substances[i]);
    }
    return name;
}

/// Mean molar mass of a mixture on the diagram's basis.
double MixtureMolMass(const TTernagram& diagram, TSectionPoint p) {
    const double total = diagram.UnitsTotal();
    const double shares[3] = {p.A / total, p.B / total, (total - p.A - p.B) / total};
    const double masses[3] = {diagram.SubstanceA().MolMass, diagram.SubstanceB().MolMass,
                              diagram.SubstanceC().MolMass};
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) {
        if (shares[i] <= kTiny) continue;
        sum += IsMassBasis(diagram.CUnits()) ? shares[i] / masses[i] : shares[i] * masses[i];
    }
    if (!(sum > 0) || !std::isfinite(sum)) return 1.0;
    return IsMassBasis(diagram.CUnits()) ? 1.0 / sum : sum;
}

bool InsideTriangle(TSectionPoint p, double total) {
    const double slack = kTiny * total;
    return std::isfinite(p.A) && std::isfinite(p.B) && p.A >= -slack && p.B >= -slack &&
           p.A + p.B <= total + slack;
}

std::string Describe(TSectionPoint p) {
    return FormatShare(p.A, 6) + "," + FormatShare(p.B, 6);
}

/// Geometry of the section in stored percent, where the fields' vertices live.
class TLine {
public:
    TLine(TVec p, TVec q) : m_p(p), m_d{q.A - p.A, q.B - p.B} {}

    TVec At(double position) const {
        return {m_p.A + m_d.A * position / 100, m_p.B + m_d.B * position / 100};
    }

    /// Positions (percent of the way) of the field's vertices on the line.
    std::vector<double> VerticesOn(const TAreaData& area) const {
        std::vector<double> positions;
        const double length2 = m_d.A * m_d.A + m_d.B * m_d.B;
        for (int k = 1; k <= area.PointCount && k <= kMaxAreaPoints; ++k) {
            const double va = area.Points[k].A - m_p.A;
            const double vb = area.Points[k].B - m_p.B;
            const double t = (va * m_d.A + vb * m_d.B) / length2;
            const double off = std::hypot(va - t * m_d.A, vb - t * m_d.B);
            if (off <= kOnLine && t >= -kTiny && t <= 1 + kTiny) {
                positions.push_back(std::clamp(t * 100, 0.0, 100.0));
            }
        }
        std::sort(positions.begin(), positions.end());
        return positions;
    }

private:
    TVec m_p;
    TVec m_d;
};

/// The temperature at the point of the field's polygon outline nearest to
/// `at`, interpolated between the ends of that edge, with the distance to it.
std::pair<double, double> NearestEdge(const TAreaData& area, TVec at) {
    const int n = std::min<int>(area.PointCount, kMaxAreaPoints);
    double best = HUGE_VAL;
    double celsius = 0.0;
    for (int k = 1; k <= n; ++k) {
        const TAreaPoint& from = area.Points[k];
        const TAreaPoint& to = area.Points[k == n ? 1 : k + 1];
        const double da = to.A - from.A;
        const double db = to.B - from.B;
        const double length2 = da * da + db * db;
        const double u =
            length2 <= kTiny
                ? 0.0
                : std::clamp(((at.A - from.A) * da + (at.B - from.B) * db) / length2, 0.0, 1.0);
        const double distance = std::hypot(at.A - from.A - u * da, at.B - from.B - u * db);
        if (distance < best) {
            best = distance;
            celsius = from.T + (to.T - from.T) * u;
        }
    }
    return {celsius, best};
}

/// Even-odd test against the field's polygon.
bool InsidePolygon(const TAreaData& area, TVec at) {
    const int n = std::min<int>(area.PointCount, kMaxAreaPoints);
    bool inside = false;
    for (int k = 1; k <= n; ++k) {
        const TAreaPoint& from = area.Points[k];
        const TAreaPoint& to = area.Points[k == n ? 1 : k + 1];
        if ((from.B > at.B) != (to.B > at.B) &&
            at.A < from.A + (to.A - from.A) * (at.B - from.B) / (to.B - from.B)) {
            inside = !inside;
        }
    }
    return inside;
}

/// The liquidus of `field` at stored shares `at`, in Celsius. The altitude
/// method is made for points inside a field: on (or within its tolerance
/// of) an edge of the field's polygon it answers from whichever edge or
/// edge extension it meets first, and outside the polygon (where a drawn
/// boundary curve strays from the polygon's straight edge) from far-off
/// edges. There the polygon's outline is asked instead: the temperature
/// interpolated along its nearest edge, which is the value the method
/// approaches from inside (and the one the mean-value method gives on an
/// edge). The polynomial surface is smooth across the edges and is asked
/// directly.
std::optional<double> KnotCelsius(TTernagram& diagram, int field, TVec at) {
    if (diagram.TCalcMethod() != TTCalcMethod::tcPolynomial) {
        const TAreaData& area = diagram.AreaList()[field];
        const auto [celsius, distance] = NearestEdge(area, at);
        if (distance <= kAltitudeTolerance || !InsidePolygon(area, at)) return celsius;
    }
    return diagram.AreaTemperature(field, at.A, at.B);
}

/// Positions common to two sorted lists of vertex positions.
std::vector<double> Common(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> both;
    for (const double x : a) {
        if (std::any_of(b.begin(), b.end(), [x](double y) { return std::fabs(x - y) <= kTiny; })) {
            both.push_back(x);
        }
    }
    return both;
}

/// The candidate nearest to `position` within `tolerance`, else `position`.
double Snap(double position, const std::vector<double>& candidates, double tolerance) {
    double best = position;
    double bestDistance = tolerance;
    for (const double c : candidates) {
        const double distance = std::fabs(c - position);
        if (distance <= bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

/// Knot positions over [from, to]: evenly spread, with the field's vertices
/// inside the stretch taking the place of the nearest spread positions.
std::vector<double> KnotPositions(double from, double to, int samples,
                                  const std::vector<double>& vertices) {
    std::vector<double> inner;
    for (const double v : vertices) {
        if (v > from + kTiny && v < to - kTiny) inner.push_back(v);
    }
    const int wanted = std::clamp(samples + 1, 2, kMaxKnots);
    const int count = std::max(wanted, std::min(kMaxKnots, 2 + static_cast<int>(inner.size())));
    std::vector<double> knots(count);
    for (int j = 0; j < count; ++j) knots[j] = from + (to - from) * j / (count - 1);
    knots.back() = to;
    std::vector<bool> taken(count, false);
    taken.front() = taken.back() = true;
    for (const double v : inner) {
        int nearest = -1;
        for (int j = 1; j + 1 < count; ++j) {
            if (!taken[j] &&
                (nearest < 0 || std::fabs(knots[j] - v) < std::fabs(knots[nearest] - v))) {
                nearest = j;
            }
        }
        if (nearest < 0) break;
        knots[nearest] = v;
        taken[nearest] = true;
    }
    std::sort(knots.begin(), knots.end());
    knots.erase(std::unique(knots.begin(), knots.end(),
                            [](double a, double b) { return std::fabs(a - b) <= kTiny; }),
                knots.end());
    return knots;
}

double Interpolate(const std::vector<std::pair<double, double>>& knots, double position) {
    for (std::size_t k = 1; k < knots.size(); ++k) {
        if (position <= knots[k].first) {
            const auto& [x0, y0] = knots[k - 1];
            const auto& [x1, y1] = knots[k];
            return x1 > x0 ? y0 + (y1 - y0) * (position - x0) / (x1 - x0) : y1;
        }
    }
    return knots.back().second;
}

/// Runs of consecutive samples in one field. Where the line grazes a
/// boundary, the picture's lines make the field flicker from sample to
/// sample: a run of fewer than `fewest` samples between two others is given
/// to its neighbours, and neighbours in one field become one run.
std::vector<TRun> FindRuns(const std::vector<int>& fields, int fewest) {
    std::vector<TRun> runs;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        if (fields[i] < 0) continue;
        if (!runs.empty() && runs.back().Field == fields[i] && runs.back().Last == i - 1) {
            runs.back().Last = i;
        } else {
            runs.push_back({fields[i], i, i});
        }
    }
    for (std::size_t k = 1; k + 1 < runs.size();) {
        TRun& before = runs[k - 1];
        TRun& after = runs[k + 1];
        const TRun run = runs[k];
        if (run.Last - run.First + 1 >= fewest || before.Last + 1 != run.First ||
            run.Last + 1 != after.First) {
            ++k;
            continue;
        }
        before.Last = (run.First + run.Last) / 2;
        after.First = before.Last + 1;
        if (before.Field == after.Field) {
            before.Last = after.Last;
            runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(k),
                       runs.begin() + static_cast<std::ptrdiff_t>(k) + 2);
        } else {
            runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(k));
        }
        k = std::max<std::size_t>(k, 2) - 1;  // the merged run may now be short
    }
    return runs;
}

}  // namespace

TSection MakeSection(TTernagram& diagram, TSectionPoint p, TSectionPoint q) {
    const double total = diagram.UnitsTotal();
    for (const TSectionPoint end : {p, q}) {
        if (!InsideTriangle(end, total)) {
            throw TSectionError("the composition " + Describe(end) + " lies outside the triangle");
        }
    }
    if (std::fabs(p.A - q.A) <= kTiny * total && std::fabs(p.B - q.B) <= kTiny * total) {
        throw TSectionError("the section starts and ends at the same composition");
    }
    if (diagram.TCalcMethod() == TTCalcMethod::tcThermodynamic) {
        throw TSectionError("the temperature method computes no liquidus temperatures");
    }

    TSection section;
    section.P = p;
    section.Q = q;
    section.NameP = EndName(diagram, p);
    section.NameQ = EndName(diagram, q);
    section.MolMassP = MixtureMolMass(diagram, p);
    section.MolMassQ = MixtureMolMass(diagram, q);
    section.CUnits = diagram.CUnits();
    section.TUnits = diagram.TUnits();
    for (int i = 0; i < diagram.Areas(); ++i)
        section.FieldNames.push_back(diagram.AreaList()[i].Name);

    std::vector<int> fields(kSectionSamples);
    for (int i = 0; i < kSectionSamples; ++i) {
        const double t = static_cast<double>(i) / (kSectionSamples - 1);
        fields[i] = diagram.LiquidusAt(p.A + (q.A - p.A) * t, p.B + (q.B - p.B) * t).Area;
    }

    const double scale = 100 / total;
    const TVec ps{p.A * scale, p.B * scale};
    const TVec qs{q.A * scale, q.B * scale};
    const TLine line(ps, qs);
    // Tolerances are pixels of one fixed picture, so that a section does
    // not change with the size of the window it is taken from.
    const TTriangleLayout reference = CalcScreenLayout(kReferenceWidth, kReferenceHeight, true);
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    CompositionToPixel(reference, nullptr, ps.A, ps.B, x1, y1);
    CompositionToPixel(reference, nullptr, qs.A, qs.B, x2, y2);
    const double pixels = std::max(1.0, std::hypot(x2 - x1, y2 - y1));
    const double step = 100.0 / (kSectionSamples - 1);
    const double tolerance = 100.0 * kSnapPixels / pixels + step;
    const double sharedTolerance = 100.0 * kSharedSnapPixels / pixels + step;
    std::vector<TRun> runs =
        FindRuns(fields, static_cast<int>(std::ceil(kSnapPixels / pixels * (kSectionSamples - 1))));

    const auto vertices = [&](int field) { return line.VerticesOn(diagram.AreaList()[field]); };
    for (std::size_t k = 0; k < runs.size(); ++k) {
        TRun& run = runs[k];
        std::vector<double> candidates = vertices(run.Field);
        candidates.push_back(0.0);
        candidates.push_back(100.0);
        if (k == 0 || runs[k - 1].Last != run.First - 1) {
            run.From = run.First == 0 ? 0.0 : Snap((run.First - 0.5) * step, candidates, tolerance);
        }
        if (k + 1 < runs.size() && runs[k + 1].First == run.Last + 1) {
            // A boundary between two fields: one place for both of them.
            const std::vector<double> next = vertices(runs[k + 1].Field);
            const double found = (run.Last + 0.5) * step;
            const double shared = Snap(found, Common(candidates, next), sharedTolerance);
            candidates.insert(candidates.end(), next.begin(), next.end());
            run.To = shared != found ? shared : Snap(found, candidates, tolerance);
            runs[k + 1].From = run.To;
        } else {
            run.To = run.Last == kSectionSamples - 1
                         ? 100.0
                         : Snap((run.Last + 0.5) * step, candidates, tolerance);
        }
    }
    // Snapping may have moved an end past its neighbour's: keep them in order.
    double reach = 0.0;
    for (TRun& run : runs) {
        run.From = std::max(run.From, reach);
        run.To = std::max(run.To, run.From);
        reach = run.To;
    }

    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    for (const TRun& run : runs) {
        if (run.To - run.From <= kTiny) continue;  // a field touched at a point
        TSectionCurve curve;
        curve.Field = run.Field;
        curve.Name = section.FieldNames[run.Field];
        curve.From = run.From;
        curve.To = run.To;
        const std::vector<double> positions =
            KnotPositions(run.From, run.To, run.Last - run.First + 1, vertices(run.Field));
        for (const double position : positions) {
            const std::optional<double> celsius =
                KnotCelsius(diagram, run.Field, line.At(position));
            if (!celsius) {
                throw TSectionError("the temperature method computes no liquidus temperatures");
            }
            const double t = TemperatureInUnits(*celsius, section.TUnits);
            curve.Knots.emplace_back(position, t);
            lowest = std::min(lowest, t);
            highest = std::max(highest, t);
        }
        section.Curves.push_back(std::move(curve));
    }
    if (!section.Curves.empty()) {
        const double floorT = TemperatureInUnits(kLowestCelsius, section.TUnits);
        const double ceilingT = TemperatureInUnits(kHighestCelsius, section.TUnits);
        section.LowT = std::max(floorT, (std::floor(lowest / kDegreeStep) - 1) * kDegreeStep);
        section.HighT = std::min(ceilingT, (std::floor(highest / kDegreeStep) + 2) * kDegreeStep);
        if (section.HighT - section.LowT < kDegreeStep) section.LowT = section.HighT - kDegreeStep;
    }
    return section;
}

TSection MakeSideSection(TTernagram& diagram, int from, int to) {
    if (from < 1 || from > 3 || to < 1 || to > 3 || from == to) {
        throw TSectionError("a side runs between two different positions 1, 2 or 3");
    }
    const double total = diagram.UnitsTotal();
    const auto corner = [total](int position) {
        return TSectionPoint{position == 1 ? total : 0.0, position == 2 ? total : 0.0};
    };
    return MakeSection(diagram, corner(from), corner(to));
}

namespace {

int ColorDistance(TColor a, TColor b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

double SeedTemperature(const TSection& section, const TSectionCurve& curve, double middle) {
    return (section.LowT + Interpolate(curve.Knots, middle)) / 2;
}

void FeedMetFields(const TSection& section, TBinagram& binagram) {
    TBinaryAreaList& records = binagram.AreaList();
    const int fieldCount = std::min(static_cast<int>(section.FieldNames.size()), kAreaCount);
    for (int i = 0; i < kAreaCount; ++i) {
        records[i].Name = i < fieldCount ? section.FieldNames[i] : std::string();
        records[i].CoPhased = 0;
        records[i].FillC = -1.0f;
        records[i].FillT = 0.0f;
    }
    std::vector<int> listed;                   // records in the legend, as met
    std::map<std::string, int> recordOfName;  // a name keeps its first record
    std::vector<TBinagram::TExtraFill> extra;
    double highest = section.LowT;
    const TSectionCurve* widest = nullptr;
    for (const TSectionCurve& curve : section.Curves) {
        for (const auto& knot : curve.Knots) highest = std::max(highest, knot.second);
        if (widest == nullptr || curve.To - curve.From > widest->To - widest->From) widest = &curve;
        if (curve.Field < 0 || curve.Field >= fieldCount) continue;
        const double middle = (curve.From + curve.To) / 2;
        const auto seedC = static_cast<float>(middle);
        const auto seedT = static_cast<float>(SeedTemperature(section, curve, middle));
        const auto [it, first] = recordOfName.emplace(curve.Name, curve.Field);
        if (first) {
            listed.push_back(curve.Field);
            records[curve.Field].FillC = seedC;
            records[curve.Field].FillT = seedT;
        } else {
            extra.push_back({it->second, seedC, seedT});
        }
    }
    int used = fieldCount;
    if (fieldCount < kAreaCount) {
        int liquid = fieldCount;
        int best = -1;
        for (int candidate = fieldCount; candidate < kAreaCount; ++candidate) {
            int nearest = std::numeric_limits<int>::max();
            for (int r : listed) {
                nearest = std::min(nearest, ColorDistance(AreaColors[candidate + 1], AreaColors[r + 1]));
            }
            if (nearest > best) {
                best = nearest;
                liquid = candidate;
            }
        }
        records[liquid].Name = kLiquidName;
        listed.push_back(liquid);
        used = liquid + 1;
        if (widest != nullptr) {
            records[liquid].FillC = static_cast<float>((widest->From + widest->To) / 2);
            records[liquid].FillT = static_cast<float>((highest + section.HighT) / 2);
        }
    }
    binagram.SetAreas(used);
    binagram.SetLegendAreas(std::move(listed));
    binagram.SetExtraFills(std::move(extra));
    binagram.SetDrawSplines(true);
    binagram.SetDrawAreas(true);
}

}  // namespace

void FeedBinagram(const TSection& section, TBinagram& binagram, TSectionLegend legend) {
    binagram.SetDataOrientation(TBinagram::TDataOrientation::doDirect);
    binagram.SetTUnits(section.TUnits);
    binagram.SetCUnits(section.CUnits);
    binagram.SubstanceA().SetName(section.NameP);
    binagram.SubstanceA().MolMass = static_cast<float>(section.MolMassP);
    binagram.SubstanceB().SetName(section.NameQ);
    binagram.SubstanceB().MolMass = static_cast<float>(section.MolMassQ);
    binagram.SetTitle(section.NameP + " - " + section.NameQ + " Liquidus");
    binagram.SetLowCLimit(0.0);
    binagram.SetHighCLimit(100.0);
    // Each limit is refused unless 100 degrees clear of the other one: move
    // first the one that keeps the gap.
    if (section.LowT < binagram.HighTLimit() - kDegreeStep) {
        binagram.SetLowTLimit(section.LowT);
        binagram.SetHighTLimit(section.HighT);
    } else {
        binagram.SetHighTLimit(section.HighT);
        binagram.SetLowTLimit(section.LowT);
    }

    // Curves, then a vertical line down from every stretch end inside the
    // plot, reaching as high as the higher of the curves meeting there, so
    // that each field closes against its neighbours and the bottom.
    std::vector<TBinaryPoint> points;
    std::map<double, double> drops;
    const auto dropAt = [&drops](double position, double t) {
        if (position <= 0.0 || position >= 100.0) return;  // the frame is there
        auto [it, inserted] = drops.emplace(position, t);
        if (!inserted) it->second = std::max(it->second, t);
    };
    for (const TSectionCurve& curve : section.Curves) {
        for (const auto& [position, t] : curve.Knots) points.push_back({position, t});
        points.push_back({kCurveSeparator, 0.0});
        dropAt(curve.Knots.front().first, curve.Knots.front().second);
        dropAt(curve.Knots.back().first, curve.Knots.back().second);
    }
    for (const auto& [position, t] : drops) {
        points.push_back({position, t});
        points.push_back({position, section.LowT});
        points.push_back({kCurveSeparator, 0.0});
    }
    binagram.SetBoundaryPoints(std::move(points));

    if (legend == TSectionLegend::MetFields) {
        FeedMetFields(section, binagram);
        return;
    }
    binagram.SetLegendAreas({});
    binagram.SetExtraFills({});
    // Records: the ternary indices first, so that the colours agree.
    TBinaryAreaList& records = binagram.AreaList();
    const int fieldCount = std::min(static_cast<int>(section.FieldNames.size()), kAreaCount);
    for (int i = 0; i < kAreaCount; ++i) {
        if (i < fieldCount) records[i].Name = section.FieldNames[i];
        records[i].CoPhased = 0;
        records[i].FillC = -1.0f;  // left of the axis: no fill unless met
        records[i].FillT = 0.0f;
    }
    int used = fieldCount;
    const int liquid = fieldCount < kAreaCount ? fieldCount : -1;
    if (liquid >= 0) {
        records[liquid].Name = kLiquidName;
        used = liquid + 1;
    }
    std::vector<bool> seeded(kAreaCount, false);
    double highest = section.LowT;
    const TSectionCurve* widest = nullptr;
    for (const TSectionCurve& curve : section.Curves) {
        for (const auto& knot : curve.Knots) highest = std::max(highest, knot.second);
        if (widest == nullptr || curve.To - curve.From > widest->To - widest->From) widest = &curve;
        int index = curve.Field;
        if (index < 0 || index >= fieldCount) continue;
        if (seeded[index]) {
            if (used >= kAreaCount) continue;  // no colour left: unfilled
            index = used++;
            records[index].Name = curve.Name;
        }
        seeded[index] = true;
        const double middle = (curve.From + curve.To) / 2;
        records[index].FillC = static_cast<float>(middle);
        records[index].FillT =
            static_cast<float>((section.LowT + Interpolate(curve.Knots, middle)) / 2);
    }
    if (liquid >= 0 && widest != nullptr) {
        records[liquid].FillC = static_cast<float>((widest->From + widest->To) / 2);
        records[liquid].FillT = static_cast<float>((highest + section.HighT) / 2);
    }
    binagram.SetAreas(used);
    binagram.SetDrawSplines(true);
    binagram.SetDrawAreas(true);
}

std::vector<double> InvariantTemperaturesOn(TTernagram& diagram, const TSection& section) {
    // Percent shares, where the points are kept; a point this close to the
    // line (percent) lies on it.
    constexpr double kOnLine = 0.05;
    const double toPercent = 100 / diagram.UnitsTotal();
    const double pa = section.P.A * toPercent, pb = section.P.B * toPercent;
    const double qa = section.Q.A * toPercent, qb = section.Q.B * toPercent;
    const double da = qa - pa, db = qb - pb;
    const double length2 = da * da + db * db;
    std::vector<double> temperatures;
    if (length2 <= 0) return temperatures;
    for (const TInvariantPoint& p : diagram.InvariantPointList()) {
        const double t = std::clamp(((p.A - pa) * da + (p.B - pb) * db) / length2, 0.0, 1.0);
        if (std::hypot(pa + t * da - p.A, pb + t * db - p.B) <= kOnLine) {
            temperatures.push_back(TemperatureInUnits(p.T, diagram.TUnits()));
        }
    }
    std::sort(temperatures.begin(), temperatures.end());
    temperatures.erase(std::unique(temperatures.begin(), temperatures.end()), temperatures.end());
    return temperatures;
}

std::string TemperatureAxisTitle(TTUnits units) {
    switch (units) {
        case TTUnits::tuC: return "T, \u00B0C";
        case TTUnits::tuF: return "T, \u00B0F";
        case TTUnits::tuK: return "T, K";
    }
    return "T";
}

void PresentSection(TTernagram& diagram, const TSection& section, TBinagram& binagram) {
    FeedBinagram(section, binagram, TSectionLegend::MetFields);
    binagram.SetTemperatureMarks(InvariantTemperaturesOn(diagram, section));
    binagram.SetTAxisTitle(TemperatureAxisTitle(diagram.TUnits()));
}

}  // namespace liquidus
