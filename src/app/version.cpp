#include "app/version.h"

namespace liquidus {

namespace {
constexpr int kMajor = LIQUIDUS_VERSION_MAJOR;
constexpr int kMinor = LIQUIDUS_VERSION_MINOR;
constexpr int kPatch = LIQUIDUS_VERSION_PATCH;
constexpr int kBuild = 0;

std::string FixedVersion() {
    return std::to_string(kMajor) + "." + std::to_string(kMinor) + "." + std::to_string(kPatch) +
           "." + std::to_string(kBuild);
}
}  // namespace

const TVersionInfo& ProgramVersion() {
    static const TVersionInfo info{
        "Ternary Diagram Components",
        LIQUIDUS_VERSION,
        "Liquidus",
        FixedVersion(),
        "(c) 2026 The Liquidus developers",
        "Contact: the Liquidus developers",
        // No home page to name yet: the About window shows no link.
        "",
    };
    return info;
}

std::string VersionCaption(const std::string& version) {
    return "version " + (version.empty() ? FixedVersion() : version);
}

}  // namespace liquidus
