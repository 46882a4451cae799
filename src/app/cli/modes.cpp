#include "app/cli/modes.h"

#include <array>

namespace liquidus::cli {

namespace {

constexpr std::array<const TModeSpec*, 9> kModes = {
    &kExportMode,         &kQueryMode,        &kIsothermsMode, &kInvariantsMode, &kSectionMode,
    &kListPropertiesMode, &kWriteDiagramMode, &kHelpMode,      &kVersionMode,
};

constexpr std::array kOptions = {
    TOptionSpec{"--diagram", "FILE", "use the diagram file FILE (JSON) instead of the sample"},
    TOptionSpec{"--set", "NAME=VALUE", "set a property; repeatable, applied in order", true},
    TOptionSpec{"--size", "WxH",
                "the screen picture of a WxH control (export: instead of the saved one; "
                "query and isotherms: default 1024x768); for a .png, .svg or .pdf figure its "
                "size, WxHmm in millimetres for .svg and .pdf"},
    TOptionSpec{"--monochrome", "", "write a two-colour picture"},
    TOptionSpec{"--text-scale", "F",
                "texts of a .png, .svg or .pdf figure F times their size (0.25..8; default 1: "
                "the texts of the 600-pixel picture, grown with the figure)"},
    TOptionSpec{"--mark", "A,B",
                "mark shares A, B of positions 1 and 2 (display units) as a right click "
                "there would"},
    TOptionSpec{"--zoom", "AMin,BMin,CMin",
                "show the zoom window with these lower bounds (whole tens of percent, "
                "at most 90 together)"},
    TOptionSpec{"--query-section", "",
                "print the section's curves as CSV (field,knot,position,T) instead of a picture"},
    TOptionSpec{"--mark-section", "C,T",
                "mark the section's picture at position C and temperature T (display units) as "
                "a right click there would"},
};

}  // namespace

std::span<const TModeSpec* const> Modes() { return kModes; }

std::span<const TOptionSpec> Options() { return kOptions; }

}  // namespace liquidus::cli
