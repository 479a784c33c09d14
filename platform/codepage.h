#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace brelvik {

// Text and file bytes convert by the ANSI code page: the system's on Windows, Windows-1252
// elsewhere. A character the code page cannot hold is written as "?".
std::string To_ansi(std::wstring_view text);
std::wstring From_ansi(std::string_view bytes);

// UTF-8, for the settings store and the system's texts elsewhere. To_utf8 writes U+FFFD for a
// lone surrogate; From_utf8 gives nothing for bytes that are not well-formed UTF-8.
std::string To_utf8(std::wstring_view text);
std::optional<std::wstring> From_utf8(std::string_view bytes);

// A path of the system as the program's text: UTF-8 names decoded, other bytes taken in the
// ANSI code page so that no name is lost.
std::wstring Path_text(const std::filesystem::path& path);

}  // namespace brelvik
