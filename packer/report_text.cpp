#include "packer/packjob.h"
#include "packer/reporter.h"
#include "platform/pathsep.h"

namespace brelvik {

const char kPackUsage[] =
    "Usage: brelvik-pack a [-afzip] [-m0..-m5] [-o+] [-ed] [-ep] [-ibck] ARCHIVE MEMBER...\n"
    "       brelvik-pack [-a] [-ex|-en|-ef|-es|-e0] ARCHIVE.zip MEMBER...\n"
    "       brelvik-pack [--help | --version]\n"
    "Packs the members into a zip archive, as Brelvik's packer command lines ask; a MEMBER\n"
    "written @LISTFILE names the files to pack. Reports in a window where there is a display.\n"
    "Exit code 0 all packed, 1 packed with warnings, 2 nothing packed.\n";

std::wstring Report_title(const std::wstring& archive) {
    const std::wstring_view name = Bare_name(archive);
    return name.empty() ? L"Brelvik packer" : std::wstring(name) + L" - Brelvik packer";
}

std::wstring Packing_text(const std::wstring& archive) {
    return L"Packing " + archive + L"...";
}

std::wstring Outcome_text(int exitCode) {
    switch (exitCode) {
        case 0:
            return L"Packed.";
        case 1:
            return L"Packed, with warnings.";
        default:
            return L"Nothing was packed.";
    }
}

PackStart Pack_start(const std::vector<std::wstring>& arguments) {
    const ParsedArguments parsed = Parse_pack_arguments(arguments);
    const auto* job = std::get_if<PackJob>(&parsed);
    return {[parsed](PackProgress& progress) { return Pack_command(parsed, progress); },
            job != nullptr ? job->archivePath : std::wstring()};
}

}  // namespace brelvik
