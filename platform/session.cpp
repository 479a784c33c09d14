#include "platform/session.h"

#include <cstdio>

namespace brelvik {

bool Is_set(const char* value) {
    return value != nullptr && *value != '\0';
}

bool Has_display(const Environment& environment) {
    return Is_set(environment("DISPLAY")) || Is_set(environment("WAYLAND_DISPLAY"));
}

bool Report_missing_display(const char* program, const Environment& environment) {
    if (Is_set(environment("QT_QPA_PLATFORM")) || Has_display(environment)) {
        return false;
    }
    std::fprintf(stderr,
                 "%s: needs a graphical session (X11 or Wayland), and neither DISPLAY nor "
                 "WAYLAND_DISPLAY is set\n",
                 program);
    return true;
}

}  // namespace brelvik
