#pragma once
// A diagram whose isotherm results tests can lay down directly, and a host
// that runs a test's code where the scan yields to the event loop.

#include <functional>
#include <vector>

#include "support/fakehost.h"
#include "ternary/ternagram.h"

namespace liquidus::test {

class TIsoProbe : public TTernagram {
public:
    using TTernagram::TTernagram;

    /// Lists of levels minLevel, minLevel + 50, ... and the hot one last,
    /// taken as the valid result of a calculation.
    void SetResults(int minLevel, const std::vector<std::vector<TIsoPoint>>& lists) {
        const int levels = static_cast<int>(lists.size()) - 1;
        m_isoLists.Reset(levels);
        for (int k = 0; k <= levels; ++k) {
            for (const TIsoPoint& p : lists[k]) m_isoLists.Append(k + 1, p);
        }
        Isotherms().MinLevel = minLevel;
        Isotherms().MaxLevel = minLevel + kIsothermLevelSpacing * (levels - 1);
        Isotherms().LevelCount = levels;
        Isotherms().Calculated = true;
    }
    void ForceZoom(bool zoom) { SetZoomState(zoom, {{{60, 20, 20}, {40, 40, 20}, {40, 20, 40}}}); }
};

class TYieldHost : public TFakeHost {
public:
    std::function<void()> OnYield;
    void ProcessMessages() override {
        TFakeHost::ProcessMessages();
        if (OnYield) OnYield();
    }
};

}  // namespace liquidus::test
