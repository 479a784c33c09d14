#pragma once

#include <optional>
#include <string_view>

namespace brelvik {

// The two requests both programs answer before they start anything, so that they work without
// a display: "--help" writes the usage, "--version" the program's name and version, both to
// standard output. When the only argument was one of them, the exit code to end with: 0, or 1
// when standard output could not take the text.
std::optional<int> Answer_about_request(int argc, const char* const* argv, std::string_view program,
                                        std::string_view usage);

}  // namespace brelvik
