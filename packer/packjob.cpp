#include "packer/packjob.h"

#include <array>
#include <map>

#include "packer/folding.h"

namespace brelvik {

namespace {

constexpr wchar_t kUsage[] =
    L"Usage:\n"
    L"  brelvik-pack a [-afzip] [-m0..-m5] [-o+] [-ed] [-ep] [-ibck] ARCHIVE FILE...\n"
    L"  wzzip.exe [-a] [-ex|-en|-ef|-es|-e0] ARCHIVE.zip FILE...\n"
    L"A FILE written as @LISTFILE stands for every file named in that list file.";
constexpr wchar_t kNoRarWriter[] =
    L"no RAR writer exists on this platform. Choose Zip as the archive type instead; "
    L"nothing was written.";

// The rar switches -m0 (store) to -m5 (best) as deflate levels; -m3 is the default.
constexpr std::array<int, 6> kRarLevels = {0, 1, 3, 6, 8, 9};
constexpr int kDefaultRarLevel = kRarLevels[3];

enum class Format { Unset, Zip, Rar };

std::wstring Usage_error(const std::wstring& problem) {
    return problem + L"\n" + kUsage;
}

std::wstring Rar_refusal() {
    return std::wstring(L"Cannot make a RAR archive: ") + kNoRarWriter;
}

std::wstring Sfx_refusal() {
    return std::wstring(L"Cannot make a self-extracting archive: ") + kNoRarWriter;
}

bool Ends_with_zip(const std::wstring& path) {
    return Ascii_folded(path).ends_with(L".zip");
}

// A zip archive always gets a ".zip" name, so that no archive pretends to be of another type.
std::wstring Zip_name(const std::wstring& path) {
    return Ends_with_zip(path) ? path : path + L".zip";
}

bool Is_switch(const std::wstring& argument) {
    return argument.size() > 1 && argument[0] == L'-';
}

MemberArgument Member_argument(const std::wstring& argument) {
    if (argument.size() > 1 && argument[0] == L'@') {
        return {argument.substr(1), true};
    }
    return {argument, false};
}

// The archive at arguments[at], the members behind it.
ParsedArguments Job_from(const std::vector<std::wstring>& arguments, std::size_t at, int level) {
    if (at >= arguments.size() || arguments[at].empty()) {
        return Usage_error(L"No archive is named.");
    }
    if (at + 1 >= arguments.size()) {
        return Usage_error(L"No files to pack are named.");
    }
    PackJob job{Zip_name(arguments[at]), level, {}};
    for (std::size_t i = at + 1; i < arguments.size(); ++i) {
        job.members.push_back(Member_argument(arguments[i]));
    }
    return job;
}

ParsedArguments Parse_rar_add(const std::vector<std::wstring>& arguments) {
    Format format = Format::Unset;
    int level = kDefaultRarLevel;
    std::size_t at = 1;
    for (; at < arguments.size() && Is_switch(arguments[at]); ++at) {
        const std::wstring option = Ascii_folded(arguments[at]);
        if (option == L"-afzip" || option == L"-afrar") {
            format = option == L"-afzip" ? Format::Zip : Format::Rar;
        } else if (option.size() == 3 && option.starts_with(L"-m") && option[2] >= L'0' &&
                   option[2] <= L'5') {
            level = kRarLevels[option[2] - L'0'];
        } else if (option != L"-o+" && option != L"-ed" && option != L"-ep" && option != L"-ibck") {
            return Usage_error(L"Unknown switch " + arguments[at] + L".");
        }
    }
    // Without -af the archive name decides, and a name that is not .zip means rar.
    if (format == Format::Unset && at < arguments.size() && !Ends_with_zip(arguments[at])) {
        format = Format::Rar;
    }
    if (format == Format::Rar) {
        return Rar_refusal();
    }
    return Job_from(arguments, at, level);
}

ParsedArguments Parse_wzzip(const std::vector<std::wstring>& arguments) {
    static const std::map<std::wstring, int> kLevels = {
        {L"-ex", 9}, {L"-en", 6}, {L"-ef", 3}, {L"-es", 1}, {L"-e0", 0}};
    int level = 6;
    std::size_t at = 0;
    for (; at < arguments.size() && Is_switch(arguments[at]); ++at) {
        const std::wstring option = Ascii_folded(arguments[at]);
        if (const auto found = kLevels.find(option); found != kLevels.end()) {
            level = found->second;
        } else if (option != L"-a") {
            return Usage_error(L"Unknown switch " + arguments[at] + L".");
        }
    }
    return Job_from(arguments, at, level);
}

}  // namespace

ParsedArguments Parse_pack_arguments(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) {
        return Usage_error(L"Nothing to do.");
    }
    const std::wstring command = Ascii_folded(arguments[0]);
    if (command == L"a") {
        return Parse_rar_add(arguments);
    }
    if (command == L"s") {
        return Sfx_refusal();
    }
    if (Is_switch(arguments[0])) {
        return Parse_wzzip(arguments);
    }
    return Usage_error(L"Unknown command " + arguments[0] + L".");
}

}  // namespace brelvik
