#include "packing/packcommand.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "info/infofile.h"
#include "packing/cmdline.h"
#include "packing/packerentry.h"

namespace brelvik {

namespace {

constexpr std::wstring_view kNoPacker = L"Packing not possible, check the settings";
constexpr std::wstring_view kNoAddon = L"No addon selected";
constexpr std::wstring_view kNoList = L"No list selected, please save current list and try again";

PackCommand Message(std::wstring_view text) {
    return {{}, std::wstring(text)};
}

// The program, its switches as they stand, and each path quoted where it has to be.
PackCommand Command(const std::wstring& program, std::wstring_view switches,
                    std::initializer_list<std::wstring> paths) {
    std::wstring line = Quote_argument(program);
    line.append(L" ").append(switches);
    for (const std::wstring& path : paths) {
        line.append(L" ").append(Quote_argument(path));
    }
    return {line, {}};
}

// Archive base of the selected add-on: its path less the extension.
std::wstring Addon_archive_base(const PackRequest& request) {
    return Addon_base(request.folder, request.selectedFile);
}

// List base: the list file's path less its last four characters, so "release.txta" leaves
// "release." and the archive extension follows without a dot of its own.
std::wstring List_base(const PackRequest& request) {
    const std::wstring& path = request.listPath;
    return path.substr(0, path.size() - std::min<std::size_t>(4, path.size()));
}

PackCommand Rar_command(const std::wstring& program, const PackRequest& request) {
    if (request.type == ArchiveType::Sfx) {
        const std::wstring archive =
            request.useList ? List_base(request) + L"rar" : Addon_archive_base(request) + L".rar";
        return Command(program, L"s", {archive});
    }
    const std::wstring format = request.type == ArchiveType::Zip ? L"zip" : L"rar";
    const std::wstring switches = L"a -o+ -ed -ep -ibck -af" + format + L" -m5";
    if (request.useList) {
        return Command(program, switches, {List_base(request) + format, L"@" + request.listPath});
    }
    const std::wstring base = Addon_archive_base(request);
    return Command(program, switches, {base, base + L".txt", base + L".pbo"});
}

PackCommand Zip_command(const std::wstring& program, const PackRequest& request) {
    if (request.useList) {
        return Command(program, L"-ex", {List_base(request) + L"zip", L"@" + request.listPath});
    }
    const std::wstring base = Addon_archive_base(request);
    return Command(program, L"-ex", {base + L".zip", base + L".pbo", base + L".txt"});
}

// WinZip's command-line packer in the folder its entry names, or Brelvik's own packer in its place.
std::optional<std::wstring> Zip_program(const PackRequest& request) {
    if (const std::optional<std::wstring> folder = Packer_folder(request.packerEntry)) {
        return *folder + L"wzzip.exe";
    }
    if (request.ownPacker.empty()) {
        return std::nullopt;
    }
    return request.ownPacker;
}

}  // namespace

PackCommand Compose_packcommand(const PackRequest& request) {
    // The entry is read before the add-on or list is looked at, so its message comes first.
    std::optional<std::wstring> packer;
    if (request.packer == Packer::WinRar) {
        packer = Packer_program(request.packerEntry);
    } else if (request.packer == Packer::WinZip) {
        packer = Zip_program(request);
    }
    if (!packer) {
        // Where no installer writes the entries, the user has to mend a chosen packer's: say
        // where they are. With no packer chosen the mend is to choose one.
        if (request.packer == Packer::None || request.settingsPath.empty()) {
            return Message(kNoPacker);
        }
        return {{}, std::wstring(kNoPacker) + L"\n" + request.settingsPath};
    }
    if (!request.useList && request.selectedFile.empty()) {
        return Message(kNoAddon);
    }
    if (request.useList && request.listPath.empty()) {
        return Message(kNoList);
    }
    return request.packer == Packer::WinRar ? Rar_command(*packer, request)
                                            : Zip_command(*packer, request);
}

}  // namespace brelvik
