#pragma once

#include <windows.h>

namespace brelvik {

// The system's interface font: the one its message boxes use. The caller deletes it.
HFONT Message_font();
// Dots per inch of the screen, never below the 96 that sizes are given in.
int System_dpi();

}  // namespace brelvik
