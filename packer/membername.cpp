#include "packer/membername.h"

#include <algorithm>
#include <array>

#include "platform/folders.h"

namespace brelvik {

namespace {

constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";

// Windows takes these as devices whatever extension follows them.
bool Device_name(std::wstring_view name) {
    static const std::array<std::wstring, 22> kDevices = {
        L"con",  L"prn",  L"aux",  L"nul",  L"com1", L"com2", L"com3", L"com4",
        L"com5", L"com6", L"com7", L"com8", L"com9", L"lpt1", L"lpt2", L"lpt3",
        L"lpt4", L"lpt5", L"lpt6", L"lpt7", L"lpt8", L"lpt9"};
    std::wstring stem(name.substr(0, name.find(L'.')));
    while (!stem.empty() && stem.back() == L' ') {
        stem.pop_back();
    }
    return std::ranges::find(kDevices, Folded(stem)) != kDevices.end();
}

}  // namespace

std::wstring Unstorable_reason(std::wstring_view name) {
    if (name.empty()) {
        return L"no file name";
    }
    if (std::ranges::any_of(name, [](wchar_t c) { return c < 32; })) {
        return L"its name holds a control character, which Windows does not allow";
    }
    if (name.find_first_of(kForbidden) != std::wstring_view::npos) {
        return L"its name holds one of \\ / : * ? \" < > |, which Windows does not allow";
    }
    if (name.back() == L'.' || name.back() == L' ') {
        return L"its name ends in a dot or a space, which Windows does not allow";
    }
    if (Device_name(name)) {
        return L"its name is a device name on Windows";
    }
    return {};
}

}  // namespace brelvik
