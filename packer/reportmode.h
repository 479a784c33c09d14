#pragma once

#include "platform/session.h"

namespace brelvik {

// Whether the packer reports in a window: only where there is a display to show it on.
// BRELVIK_PACK_NO_WINDOW=1, and Qt's offscreen or minimal platform, ask for standard error
// instead, so that tests and scripts never wait on a window.
bool Report_in_window(const Environment& environment);
// Whether BRELVIK_PACK_NO_WINDOW asks for standard error instead of a window, on any system.
bool Window_declined(const Environment& environment);

}  // namespace brelvik
