#include "app/win32/win32_desktop.h"

#include <commdlg.h>

#include "platform/platform_error.h"
#include "platform/process.h"

namespace brelvik {
namespace {

const wchar_t kTitle[] = L"Brelvik";
constexpr DWORD kLongestPath = 32768;

using FileDialog = BOOL(WINAPI*)(OPENFILENAMEW*);

// The chosen path, or empty when the user cancelled; a dialog that failed is no cancel.
std::wstring Ask(HWND owner, FileDialog show, const std::wstring& folder,
                 const std::wstring& filter, DWORD flags) {
    const std::wstring filters = Dialog_filter(filter);
    const std::wstring extension = Default_extension(filter);
    std::wstring chosen(kLongestPath, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = kLongestPath;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!show(&dialog)) {
        if (const DWORD error = CommDlgExtendedError(); error != 0) {
            throw PlatformError(L"The file dialog failed (error " + std::to_wstring(error) + L").",
                                folder);
        }
        return {};
    }
    chosen.resize(chosen.find(L'\0'));
    return chosen;
}

}  // namespace

std::wstring Dialog_filter(const std::wstring& filter) {
    std::wstring parts = filter;
    for (wchar_t& c : parts) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    return parts + L'\0' + L'\0';
}

std::wstring Default_extension(const std::wstring& filter) {
    const std::size_t start = filter.find(L'|');
    if (start == std::wstring::npos) {
        return {};
    }
    const std::wstring pattern =
        filter.substr(start + 1, filter.find_first_of(L"|;", start + 1) - start - 1);
    if (!pattern.starts_with(L"*.") || pattern.find_first_of(L"*?", 2) != std::wstring::npos) {
        return {};
    }
    return pattern.substr(2);
}

void Win32Desktop::Show_message(const std::wstring& text) {
    MessageBoxW(owner_, text.c_str(), kTitle, MB_OK);
}

std::wstring Win32Desktop::Open_file_dialog(const std::wstring& folder,
                                            const std::wstring& filter) {
    return Ask(owner_, &GetOpenFileNameW, folder, filter, OFN_FILEMUSTEXIST);
}

std::wstring Win32Desktop::Save_file_dialog(const std::wstring& folder,
                                            const std::wstring& filter) {
    return Ask(owner_, &GetSaveFileNameW, folder, filter, OFN_OVERWRITEPROMPT);
}

void Win32Desktop::Start_process(const std::wstring& commandLine) {
    brelvik::Start_process(commandLine);
}

}  // namespace brelvik
