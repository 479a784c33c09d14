#pragma once

#include <filesystem>

namespace brelvik {

// Where there is no registry, nothing registers the packers. When the settings store holds no
// packer entry at all and the stand-in archiver brelvik-pack lies in programFolder, both
// packers' entries are added so that their command lines start it (the WinZip folder rule
// finds the wzzip.exe link beside it). Entries a user wrote are kept; failures go to standard
// error only. Does nothing where the real registry is used.
void Offer_standin_packer(const std::filesystem::path& storePath,
                          const std::filesystem::path& programFolder);

}  // namespace brelvik
