#pragma once

#include <string>

namespace brelvik {

// The help text of the "Pack Addon" tab: CR LF after every line, the last one too.
std::wstring Help_text();

}  // namespace brelvik
