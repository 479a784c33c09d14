#include "platform/about.h"

#include <cstdio>
#include <string>

#include "build_info.h"

namespace brelvik {

std::optional<int> Answer_about_request(int argc, const char* const* argv, std::string_view program,
                                        std::string_view usage) {
    if (argc != 2) {
        return std::nullopt;
    }
    const std::string_view request = argv[1];
    std::string text;
    if (request == "--help") {
        text = usage;
    } else if (request == "--version") {
        text.append(program).append(" " BRELVIK_VERSION "\n");
    } else {
        return std::nullopt;
    }
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    return written ? 0 : 1;
}

}  // namespace brelvik
