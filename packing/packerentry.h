#pragma once

#include <optional>
#include <string>

namespace brelvik {

// The program path a packer's registry entry names: the entry less a trailing ",index" and
// surrounding double quotes. Nothing when no program name is left.
std::optional<std::wstring> Packer_program(const std::wstring& entry);

// The folder of that program, up to and including its last separator. Nothing when the entry
// names no program or no folder.
std::optional<std::wstring> Packer_folder(const std::wstring& entry);

// Brelvik's own packer by the name its label shows.
inline constexpr wchar_t kOwnPackerName[] = L"brelvik-pack";

// Whether the entry names Brelvik's own packer, as the entries of a settings store do where it
// serves both packers' command lines.
bool Names_own_packer(const std::wstring& entry);

}  // namespace brelvik
