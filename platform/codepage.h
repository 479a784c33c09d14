#pragma once

#include <string>
#include <string_view>

namespace brelvik {

// Text and file bytes convert by the ANSI code page: the system's on Windows, Windows-1252
// elsewhere. A character the code page cannot hold is written as "?".
std::string To_ansi(std::wstring_view text);
std::wstring From_ansi(std::string_view bytes);

}  // namespace brelvik
