#pragma once
// The modes, one file each; modes.cpp lists them and their options.

#include "app/cli/parser.h"

namespace liquidus::cli {

extern const TModeSpec kExportMode;
extern const TModeSpec kQueryMode;
extern const TModeSpec kIsothermsMode;
extern const TModeSpec kInvariantsMode;
extern const TModeSpec kSectionMode;
extern const TModeSpec kListPropertiesMode;
extern const TModeSpec kWriteDiagramMode;
extern const TModeSpec kHelpMode;
extern const TModeSpec kVersionMode;

}  // namespace liquidus::cli
