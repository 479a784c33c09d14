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

}  // namespace brelvik
