#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// This program is built as brelvik.exe is: a GUI program with the same resources. What the
// window code may rely on before it runs: no console, the common controls of the manifest,
// the version information, and a display that windows open and take messages on.

namespace brelvik {
namespace {

TEST(Win32Program, RunsWithoutAConsole) {
    EXPECT_EQ(GetConsoleWindow(), nullptr);
}

// The major and minor numbers of a program file's version resource, as "major.minor".
std::string File_version(const wchar_t* path) {
    std::string block(GetFileVersionInfoSizeW(path, nullptr), '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() ||
        !GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size)) {
        return "none";
    }
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS));
}

std::wstring Module_path(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

TEST(Win32Program, CarriesTheProjectVersion) {
    EXPECT_EQ(File_version(Module_path(nullptr).c_str()), BRELVIK_VERSION);
}

// The DLL comes from the side-by-side assembly the manifest names, not the system's version 5.
// (Wine's copy there reports version 5 all the same, so its folder tells.)
TEST(Win32Program, TheManifestBringsCommonControlsSix) {
    const HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    std::wstring path = Module_path(comctl);
    CharLowerW(path.data());
    EXPECT_NE(path.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::wstring::npos);
}

int presses = 0;

LRESULT CALLBACK Count_presses(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
        ++presses;
    }
    return DefWindowProcW(window, message, w, l);
}

// A button press reaches the window procedure of its parent, as the window's events will.
TEST(Win32Program, AWindowOpensOnTheDisplayAndTakesMessages) {
    WNDCLASSW windowClass{};
    windowClass.lpszClassName = L"BrelvikProgramTest";
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpfnWndProc = Count_presses;
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Brelvik", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                        300, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr) << "no display: " << GetLastError();
    const HWND button = CreateWindowExW(0, L"BUTTON", L"Exit", WS_CHILD | WS_VISIBLE, 10, 10, 80,
                                        25, window, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(presses, 1);
    DestroyWindow(window);
}

}  // namespace
}  // namespace brelvik
