#pragma once

#include <functional>

namespace brelvik {

// Looks up an environment variable; nullptr when it is not set.
using Environment = std::function<const char*(const char*)>;

// Whether a variable is set to anything but the empty text.
bool Is_set(const char* value);

// Whether an X11 or Wayland display is named for windows to show on.
bool Has_display(const Environment& environment);

// Qt, finding no display, aborts with a hint to reinstall the program. Unless QT_QPA_PLATFORM
// picks a platform, this says on standard error what is missing instead; true when it did, and
// the program cannot show its window.
bool Report_missing_display(const char* program, const Environment& environment);

}  // namespace brelvik
