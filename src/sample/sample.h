#pragma once

#include "ternary/ternagram.h"

namespace liquidus {

/// Puts a freshly constructed diagram into the state the program starts in:
/// the stored settings of the main window's diagram, then the sample data.
/// The program window and the command line both start from this.
void LoadSampleDiagram(TTernagram& diagram);

}  // namespace liquidus
