#pragma once
// Types shared by the ternary and the binary diagram: a component at a
// diagram position and a fully described data point.

#include <cstddef>
#include <string>

namespace liquidus {

/// What a substance or a settings object needs from the diagram that owns it.
class TPlotOwner {
public:
    virtual ~TPlotOwner() = default;
    /// While zoomed, the short name (BaseName) keeps the unzoomed caption.
    virtual bool PlotZoomed() const = 0;
    virtual void Invalidate() = 0;
};

/// What a diagram file holds of a substance and of a title: the file
/// refuses more, and so does the command line before any file is written.
inline constexpr std::size_t kMaxSubstanceNameBytes = 40;
inline constexpr std::size_t kMaxTitleBytes = 200;
inline constexpr double kMinMolarMass = 1e-6;
inline constexpr double kMaxMolarMass = 1e6;

/// One component at a diagram position (not a chemical identity: after an
/// orientation change it describes whatever sits at that position).
class TSubstance {
public:
    TSubstance() = default;
    virtual ~TSubstance() = default;

    void SetOwner(TPlotOwner* owner) { m_owner = owner; }
    TPlotOwner* Owner() const { return m_owner; }

    const std::string& Name() const { return m_name; }
    /// Stores a new caption; BaseName follows unless the owner is zoomed.
    virtual void SetName(const std::string& value);

    std::string BaseName;  // values-table caption, equal to Name unless zoomed
    std::string Element;   // free text for the host
    float MolMass = 1.0f;  // used by mole/mass conversion

private:
    TPlotOwner* m_owner = nullptr;
    std::string m_name;
};

/// A composition with its temperature and phase information.
struct TFullDataPoint {
    bool Visible = false;
    double A = 0.0;
    double B = 0.0;
    double C = 0.0;
    double T = 0.0;  // degrees Celsius
    int CoPhases = 0;
    std::string PhaseName;
    std::string Phase1Name;
    std::string Phase2Name;
    double Phase1Value = 0.0;
    double Phase2Value = 0.0;
    double Phase1Ratio = 0.0;
    double Phase2Ratio = 0.0;
};

}  // namespace liquidus
