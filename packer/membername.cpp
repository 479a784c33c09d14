#include "packer/membername.h"

#include <algorithm>
#include <set>

#include "addonlist/namekey.h"

namespace brelvik {

namespace {

constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";

// Windows takes these as devices whatever extension follows them; the digits include 0 and the
// superscripts that Windows reads as digits.
bool Device_name(std::wstring_view name) {
    static const std::set<std::wstring> kDevices = [] {
        std::set<std::wstring> devices = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
        for (const wchar_t* port : {L"COM", L"LPT"}) {
            for (const wchar_t digit : std::wstring_view(L"0123456789\u00B9\u00B2\u00B3")) {
                devices.insert(port + std::wstring(1, digit));
            }
        }
        return devices;
    }();
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') {
        stem.remove_suffix(1);
    }
    return kDevices.contains(Same_name_key(stem));
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
