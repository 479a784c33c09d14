#pragma once

#include <string>

namespace brelvik {

enum class Packer { None, WinRar, WinZip };
enum class ArchiveType { Zip, Rar, Sfx };

struct PackRequest {
    Packer packer = Packer::None;
    ArchiveType type = ArchiveType::Sfx;  // WinRAR only; WinZip always makes zip
    bool useList = false;                 // Check1 ticked
    std::wstring packerEntry;             // the chosen packer's registry entry, as read
    std::wstring folder;                  // File1's folder
    std::wstring selectedFile;            // File1's selected name, empty when none
    std::wstring listPath;                // addonListPath
    std::wstring settingsPath;            // the settings file, "" where the registry is used
    // Brelvik's own packer, which takes WinZip's command line where WinZip's entry is unusable;
    // "" where it is not installed with the program.
    std::wstring ownPacker;
};

struct PackCommand {
    std::wstring commandLine;
    std::wstring message;
};  // exactly one is non-empty

PackCommand Compose_packcommand(const PackRequest& request);

}  // namespace brelvik
