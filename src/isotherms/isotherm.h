#pragma once
// Settings of the isotherm calculation and drawing, published by the ternary
// diagram as one object. Each setter clamps its value, drops the calculated
// level lists when they depend on it, and repaints the owner.

#include <vector>

#include "canvas/tcolor.h"
#include "model/plotcore.h"
#include "model/units.h"

namespace liquidus {

enum class TIsothermType { itPoints, itPolyline, itSpline };
enum class TIsothermMethod { imCornerConsecutive, imCenterRadial };

/// One point of a level list: shares of positions 1 and 2 in percent of the
/// stored basis (C = 100 - A - B).
struct TIsoPoint {
    float A = 0.0f;
    float B = 0.0f;
    friend bool operator==(const TIsoPoint&, const TIsoPoint&) = default;
};

/// Levels are this many degrees of the current temperature unit apart.
constexpr int kIsothermLevelSpacing = 50;
/// Path order: a nearest neighbour closer than this (a duplicate) or farther
/// than kIsoPathFarthest breaks the path; the search starts from
/// kIsoPathStart.
constexpr double kIsoPathNearest = 0.25;
constexpr double kIsoPathFarthest = 20.0;
constexpr double kIsoPathStart = 100.0;
/// Lists shorter than this are neither smoothed nor thinned.
constexpr int kIsoShapeMinPoints = 10;

/// The level lists of one calculation. List k (1..LevelCount + 1) holds
/// IsoPoints[k][1..IsoCounts[k]]; entry 0 of every array is unused, entries
/// past the count are stale. List LevelCount + 1 is the hot isotherm.
struct TIsothermLists {
    std::vector<int> IsoCounts;
    std::vector<int> IsoRemoved;
    std::vector<std::vector<TIsoPoint>> IsoPoints;

    /// LevelCount + 2 empty lists.
    void Reset(int levelCount);
    int ListCount() const { return static_cast<int>(IsoCounts.size()) - 1; }
    void Append(int list, TIsoPoint point);
    /// The counted points of list k, in order.
    std::vector<TIsoPoint> Points(int list) const;
    /// Every stored point of every list, also those past the counts, so
    /// that a change of basis leaves no entry behind in the old one.
    template <class Change>
    void ForEachStoredPoint(Change&& change) {
        for (int k = 1; k <= ListCount(); ++k) {
            for (std::size_t j = 1; j < IsoPoints[k].size(); ++j) change(IsoPoints[k][j]);
        }
    }
};

/// Regular levels of a calculation, in the current temperature unit.
struct TIsothermLevels {
    int MinLevel = 0;
    int MaxLevel = 0;
    int LevelCount = 0;
};

/// Every multiple of the level spacing strictly above `tmin` and not above
/// `tmax`.
TIsothermLevels IsothermLevels(int tmin, int tmax);
/// A whole Celsius temperature in the unit levels are counted in: Kelvin by
/// the whole offset 273, Fahrenheit rounded.
int IsothermUnitTemperature(int celsius, TTUnits units);
/// Distance of two points in the composition plane (percent).
double IsoDistance(const TIsoPoint& p, const TIsoPoint& q);

/// Puts points[1..count] into path order: each point is followed by the
/// nearest of the points after it (the last of equally near ones); where
/// that one is nearer than kIsoPathNearest or farther than kIsoPathFarthest
/// nothing moves and the break is counted. Returns the number of breaks;
/// the caller drops that many points from the end. Runs on a spatial grid.
int OrderIsothermPath(std::vector<TIsoPoint>& points, int count);
/// The same order by the plain quadratic search, kept as the reference the
/// grid search must reproduce.
int OrderIsothermPathByScan(std::vector<TIsoPoint>& points, int count);
/// One smoothing pass over points[1..count]: each inner point becomes a
/// quarter of each neighbour plus half of itself; the ends stay.
void SmoothIsotherm(std::vector<TIsoPoint>& points, int count);
/// One thinning pass: the first point, every second inner point smoothed,
/// and the last one or two points. Returns the new count.
int ThinIsotherm(std::vector<TIsoPoint>& points, int count);

/// The isotherm settings the ternary diagram publishes as
/// TTernagram::Isotherms(): step, colour, type and method.
class TIsotherm {
public:
    TIsotherm() = default;
    TIsotherm(const TIsotherm&) = delete;
    TIsotherm& operator=(const TIsotherm&) = delete;
    virtual ~TIsotherm() = default;

    void SetOwner(TPlotOwner* owner) { m_owner = owner; }

    TColor Color() const { return m_color; }
    virtual void SetColor(TColor value);
    int Error() const { return m_error; }
    virtual void SetError(int value);
    TIsothermType GraphType() const { return m_graphType; }
    virtual void SetGraphType(TIsothermType value);
    TIsothermMethod Method() const { return m_method; }
    virtual void SetMethod(TIsothermMethod value);
    float MethodStep() const { return m_methodStep; }
    virtual void SetMethodStep(float value);
    bool Signed() const { return m_signed; }
    virtual void SetSigned(bool value);
    int SignStep() const { return m_signStep; }
    virtual void SetSignStep(int value);
    bool Simplified() const { return m_simplified; }
    virtual void SetSimplified(bool value);
    int SimplifiedTimes() const { return m_simplifiedTimes; }
    virtual void SetSimplifiedTimes(int value);
    bool Smoothed() const { return m_smoothed; }
    virtual void SetSmoothed(bool value);
    int SmoothedTimes() const { return m_smoothedTimes; }
    virtual void SetSmoothedTimes(int value);
    int Step() const { return m_step; }
    virtual void SetStep(int value);
    int Width() const { return m_width; }
    virtual void SetWidth(int value);

    /// The owner's level lists are valid.
    bool Calculated = false;
    int MinLevel = 0;
    int MaxLevel = 0;
    int LevelCount = 0;

private:
    void Changed(bool clearsCalculated);

    TPlotOwner* m_owner = nullptr;
    TColor m_color = 0x008080;  // olive
    int m_error = 2;
    TIsothermType m_graphType = TIsothermType::itPoints;
    TIsothermMethod m_method = TIsothermMethod::imCornerConsecutive;
    float m_methodStep = 1.0f;
    bool m_signed = true;
    int m_signStep = 10;
    bool m_simplified = false;
    int m_simplifiedTimes = 1;
    bool m_smoothed = true;
    int m_smoothedTimes = 3;
    int m_step = 100;
    int m_width = 2;
};

}  // namespace liquidus
