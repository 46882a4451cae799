// Stored compositions across changes of basis (mole/mass) and of order.
// Converting the stored data in place from the previous values drifts: area
// points are Singles, and every step rounds again. So each group of data is
// kept as the host last gave it, with the frame it was given in, and every
// change computes the new data from that copy in one step; coming back to
// the frame of the copy gives back the copy itself. What the component wrote
// is remembered too, so that data a host wrote since (a new diagram, a moved
// vertex, a new mark, recalculated isotherms) become the copy instead.

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "ternary/ternagram.h"

namespace liquidus {

namespace {

using TShares = std::array<double, 3>;

/// Equal bit for bit: a value equal by == but written as -0 instead of 0
/// still counts as the host's.
template <class Real>
bool SameBits(const std::vector<Real>& x, const std::vector<Real>& y) {
    return x.size() == y.size() &&
           (x.empty() || std::memcmp(x.data(), y.data(), x.size() * sizeof(Real)) == 0);
}

/// The data a group holds in frame `to`. Data that are not what the last
/// change wrote are the host's and replace the copy, in the frame `now` they
/// are in; so do the current data when the masses forbid converting the copy
/// to another basis (the change itself then needs no masses).
template <class Given, class Frame, class Real, class Reframe>
const std::vector<Real>& Follow(Given& given, std::vector<Real> current, const Frame& now,
                                const Frame& to, bool massesValid, Reframe&& reframe) {
    if (!given.Valid || !SameBits(current, given.Derived) ||
        (given.Frame.Mass != to.Mass && !massesValid)) {
        given.Valid = true;
        given.Frame = now;
        given.Given = std::move(current);
    }
    given.Derived = to == given.Frame ? given.Given : reframe(given.Given, given.Frame);
    return given.Derived;
}

}  // namespace

TTernagram::TDataFrame TTernagram::CurrentFrame() const {
    return {IsMassBasis(m_cUnits), m_dataOrientation};
}

TMolarMasses TTernagram::LoadedMolarMasses() const {
    const std::string_view letters = OrientationLetters(m_dataOrientation);
    const TSubstance* positions[3] = {&m_substanceA, &m_substanceB, &m_substanceC};
    double loaded[3] = {1.0, 1.0, 1.0};
    for (int j = 0; j < 3; ++j) loaded[letters[j] - 'A'] = positions[j]->MolMass;
    return {loaded[0], loaded[1], loaded[2]};
}

void TTernagram::ReframeStoredCompositions(const TDataFrame& to) {
    const TDataFrame now = CurrentFrame();
    const TMolarMasses masses = LoadedMolarMasses();
    const bool massesValid = ValidMolarMasses(masses);
    // The basis is converted in the loaded order, whose masses these are.
    const auto reframe = [&](TShares shares, const TDataFrame& from, bool convertBasis) {
        TShares loaded = ReorderShares(shares, from.Orientation, TDataOrientation::doDirect);
        if (convertBasis && from.Mass != to.Mass) {
            ConvertShares(from.Mass ? TConversion::MassToMole : TConversion::MoleToMass, masses,
                          loaded);
        }
        return ReorderShares(loaded, TDataOrientation::doDirect, to.Orientation);
    };
    // Pairs (a, b) with c = 100 - a - b, as areas and isotherm lists hold them.
    const auto reframePairs = [&](const std::vector<float>& given, const TDataFrame& from) {
        std::vector<float> result(given.size());
        for (std::size_t i = 0; i + 1 < given.size(); i += 2) {
            const double a = given[i];
            const double b = given[i + 1];
            const TShares shares = reframe({a, b, 100 - a - b}, from, true);
            result[i] = static_cast<float>(shares[0]);
            result[i + 1] = static_cast<float>(shares[1]);
        }
        return result;
    };

    // The marked point, while it shows; C follows A and B.
    if (MarkMode() && m_markedPoint.Visible) {
        const std::vector<double>& mark = Follow(
            m_givenMark, std::vector<double>{m_markedPoint.A, m_markedPoint.B, m_markedPoint.C},
            now, to, massesValid, [&](const std::vector<double>& given, const TDataFrame& from) {
                const TShares shares = reframe({given[0], given[1], given[2]}, from, true);
                return std::vector<double>{shares[0], shares[1], 100 - shares[0] - shares[1]};
            });
        m_markedPoint.A = mark[0];
        m_markedPoint.B = mark[1];
        m_markedPoint.C = mark[2];
    } else {
        // A mark shown again later is taken as it then stands.
        m_givenMark.Valid = false;
    }

    // Boundary lines: the (-1, -1) separators keep their values and only
    // pairs within 0..100 change basis; a list of one pair, which draws
    // nothing, keeps its order.
    const int splineCount = std::min<int>(m_splinesHigh + 1, static_cast<int>(m_splinesA.size()));
    if (now.Orientation == to.Orientation || m_splinesHigh > 0) {
        std::vector<double> splines;
        splines.reserve(2 * std::max(splineCount, 0));
        for (int i = 0; i < splineCount; ++i) {
            splines.push_back(m_splinesA[i]);
            splines.push_back(m_splinesB[i]);
        }
        const std::vector<double>& lines =
            Follow(m_givenSplines, std::move(splines), now, to, massesValid,
                   [&](const std::vector<double>& given, const TDataFrame& from) {
                       std::vector<double> result = given;
                       for (std::size_t i = 0; i + 1 < given.size(); i += 2) {
                           const double a = given[i];
                           const double b = given[i + 1];
                           if (a == -1) continue;
                           const bool composition = a >= 0 && a <= 100 && b >= 0 && b <= 100;
                           const TShares shares = reframe({a, b, 100 - a - b}, from, composition);
                           result[i] = shares[0];
                           result[i + 1] = shares[1];
                       }
                       return result;
                   });
        for (int i = 0; i < splineCount; ++i) {
            m_splinesA[i] = lines[2 * i];
            m_splinesB[i] = lines[2 * i + 1];
        }
    } else {
        m_givenSplines.Valid = false;
    }

    // The fill point and the vertices of every field in use.
    for (int i = 0; i < kAreaCount; ++i) {
        if (i >= Areas()) {
            // Brought into use later, a record counts as stored then.
            m_givenAreas[i].Valid = false;
            continue;
        }
        TAreaData& area = AreaList()[i];
        const int points = std::min<int>(area.PointCount, kMaxAreaPoints);
        std::vector<float> values{area.FillA, area.FillB};
        for (int p = 1; p <= points; ++p) {
            values.push_back(area.Points[p].A);
            values.push_back(area.Points[p].B);
        }
        const std::vector<float>& shares =
            Follow(m_givenAreas[i], std::move(values), now, to, massesValid, reframePairs);
        area.FillA = shares[0];
        area.FillB = shares[1];
        for (int p = 1; p <= points; ++p) {
            area.Points[p].A = shares[2 * p];
            area.Points[p].B = shares[2 * p + 1];
        }
    }

    // Finished isotherm lists, every stored point of them.
    if (IsothermListsFollowChange()) {
        std::vector<float> values;
        m_isoLists.ForEachStoredPoint([&](const TIsoPoint& p) {
            values.push_back(p.A);
            values.push_back(p.B);
        });
        const std::vector<float>& shares =
            Follow(m_givenIsotherms, std::move(values), now, to, massesValid, reframePairs);
        std::size_t k = 0;
        m_isoLists.ForEachStoredPoint([&](TIsoPoint& p) {
            p.A = shares[k++];
            p.B = shares[k++];
        });
    } else {
        m_givenIsotherms.Valid = false;
    }
}

}  // namespace liquidus
