#include "packer/reportmode.h"

#include <string_view>

namespace brelvik {

bool Window_declined(const Environment& environment) {
    const char* noWindow = environment("BRELVIK_PACK_NO_WINDOW");
    return Is_set(noWindow) && std::string_view(noWindow) != "0";
}

bool Report_in_window(const Environment& environment) {
    if (Window_declined(environment)) {
        return false;
    }
    const char* platform = environment("QT_QPA_PLATFORM");
    if (Is_set(platform)) {
        const std::string_view name(platform);
        return !name.starts_with("offscreen") && !name.starts_with("minimal");
    }
    return Has_display(environment);
}

}  // namespace brelvik
