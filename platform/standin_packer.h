#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace brelvik {

// Where there is no registry, nothing registers the packers. The stand-in archiver
// brelvik-pack is looked for in programFolder, then in the install's private folder beside it.
// When it is found, a settings store with no packer entry at all gets both packers' entries
// leading to it (the WinZip folder rule finds the wzzip.exe link beside it), and an entry that
// names a brelvik-pack or wzzip.exe that no longer exists (a removed build folder) is pointed
// at it. Anything else a user wrote is kept; failures go to standard error only. Does nothing
// where the real registry is used. programOf tells the program an entry names, as the packers'
// command lines take it.
using ProgramOfEntry = std::function<std::optional<std::wstring>(const std::wstring& entry)>;
void Offer_standin_packer(const std::filesystem::path& storePath,
                          const std::filesystem::path& programFolder,
                          const ProgramOfEntry& programOf);

// Brelvik's own packer where it is installed with the program in programFolder: beside it, or
// (where the settings store stands in for the registry) in the install's private folder. ""
// when it is not there.
std::wstring Find_own_packer(const std::filesystem::path& programFolder);

// The folder the running program lies in.
std::filesystem::path Program_folder();

}  // namespace brelvik
