// The Win32 window driven as a user drives it, by window messages: the layout read back from
// the real controls, the focus order and the keys, and a release from start to end over the
// real registry, with a packer started for real.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/win32/win32_desktop.h"
#include "app/win32/win32_window.h"
#include "info/infofile.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "platform/standin_packer.h"
#include "tests/control_contract.h"
#include "tests/process_recorder.h"
#include "tests/starting_desktop.h"
#include "tests/support/temp_folder.h"
#include "tests/window_contract.h"

namespace brelvik::test {
namespace {

using Names = std::vector<std::wstring>;
const wchar_t kVeldrunKey[] = L"SOFTWARE\\Quorvane\\Veldrun";

// The settings as the program reads them: in the registry's 32-bit view, where the game keeps them.
void Put_value(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                              nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
}

std::wstring Value(HKEY root, const wchar_t* key, const wchar_t* name) {
    std::wstring text(MAX_PATH, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ | RRF_SUBKEY_WOW6432KEY, nullptr, text.data(),
                     &size) != 0) {
        return {};
    }
    text.resize(size / sizeof(wchar_t) - 1);
    return text;
}

std::string Read_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class Win32WindowTest : public ::testing::Test, public WindowUnderTest {
  protected:
    ~Win32WindowTest() override {
        window.reset();
        Forget_settings();
    }

    static void Forget_settings() {
        for (auto [root, key] : {std::pair{HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quorvane"},
                                 {HKEY_CLASSES_ROOT, L"WinZip"},
                                 {HKEY_CLASSES_ROOT, L"WinRAR"}}) {
            HKEY opened = nullptr;
            if (RegOpenKeyExW(root, key, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &opened) == 0) {
                RegDeleteTreeW(opened, nullptr);
                RegCloseKey(opened);
            }
            RegDeleteKeyExW(root, key, KEY_WOW64_32KEY, 0);
        }
    }

    // Both packers' entries point into packers\, where the recorder stands in for WinZip's.
    void Start(bool packers, const std::filesystem::path& lastFolder = {}) {
        Start(packers, lastFolder, desktop);
    }
    void Start(bool packers, const std::filesystem::path& lastFolder, Desktop& shown) {
        window.reset();
        Forget_settings();
        if (!lastFolder.empty()) {
            Put_value(HKEY_LOCAL_MACHINE, kVeldrunKey, L"VDRFC", lastFolder.wstring());
        }
        if (packers) {
            const std::filesystem::path folder = temp / "packers";
            std::filesystem::create_directories(folder);
            std::filesystem::copy_file(Recorder_path(), folder / "wzzip.exe",
                                       std::filesystem::copy_options::overwrite_existing);
            Put_value(HKEY_CLASSES_ROOT, L"WinZip\\DefaultIcon", L"",
                      (folder / "winzip32.exe").wstring() + L",0");
            Put_value(HKEY_CLASSES_ROOT, L"WinRAR\\DefaultIcon", L"",
                      (folder / "winrar.exe").wstring() + L",0");
        }
        window = std::make_unique<Win32Window>(registry, files, shown);
        window->Show(SW_SHOWNORMAL);
    }

    HWND Find(const char* name) const { return window->Find(name); }
    std::string Name_of(HWND control) const {
        for (const ControlLayout& layout : Control_layouts()) {
            if (Find(layout.name) == control) {
                return layout.name;
            }
        }
        return "?";
    }
    std::wstring Text(const char* name) const { return Window_text(Find(name)); }
    // The text colour a label is drawn in, as its parent answers for it.
    COLORREF Ink(const char* label) const {
        const HDC dc = CreateCompatibleDC(nullptr);
        SendMessageW(GetParent(Find(label)), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Find(label)));
        const COLORREF ink = GetTextColor(dc);
        DeleteDC(dc);
        return ink;
    }
    bool Checked(const char* name) const {
        return SendMessageW(Find(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    void Click(const char* name) { SendMessageW(Find(name), BM_CLICK, 0, 0); }
    void Click_at(HWND control, const RECT& area, UINT message = WM_LBUTTONDOWN) {
        const LPARAM at = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
        SendMessageW(control, message, MK_LBUTTON, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
    }
    void Bring_to_front(int tab) override {
        RECT area;
        SendMessageW(Find("SSTab1"), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&area));
        Click_at(Find("SSTab1"), area);
    }
    void Click_entry(const char* name, const std::wstring& text, bool twice = false) {
        const LRESULT row = SendMessageW(Find(name), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_GE(row, 0) << "no entry " << To_utf8(text);
        Click_row(name, row, twice);
    }
    void Click_row(const char* name, LRESULT row, bool twice = false) {
        RECT area;
        SendMessageW(Find(name), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&area));
        Click_at(Find(name), area);
        if (twice) {
            Click_at(Find(name), area, WM_LBUTTONDBLCLK);
        }
    }
    Names Entries(const char* name) const {
        Names entries;
        const HWND list = Find(name);
        for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)),
                              L' ');
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            entries.push_back(text);
        }
        return entries;
    }
    // Replaces the box's text as typed, Enter for a line break.
    void Type(const char* name, const std::wstring& text) {
        SetFocus(Find(name));
        SendMessageW(Find(name), EM_SETSEL, 0, -1);
        for (wchar_t c : text) {
            if (c == L'\n') {
                Press(VK_RETURN);
            } else {
                SendMessageW(Find(name), WM_CHAR, c, 1);
            }
        }
    }
    // A key pressed and let go, through the window's keyboard navigation as its message loop
    // passes it on, with the characters it makes.
    void Press(WPARAM key) {
        for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
            MSG press{GetFocus(), message, key, 1, 0, {}};
            Pass_on(press);
        }
        MSG queued;
        while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
            Pass_on(queued);
        }
    }
    void Pass_on(MSG& message) {
        if (!IsDialogMessageW(window->Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // The window as the cases both front ends share see it.
    void Show_options() override {
        const Controls controls = window->Procedure_controls();
        for (OptionButton* option : {controls.Option1, controls.Option2, controls.Option3,
                                     controls.Option4, controls.Option5}) {
            option->Set_visible(true);
        }
    }
    Area Client_area() override {
        RECT client;
        GetClientRect(window->Handle(), &client);
        return {0, 0, client.right * 15, client.bottom * 15};
    }
    Area Place_in_container(const ControlLayout& layout) override {
        RECT area;
        GetWindowRect(Find(layout.name), &area);
        MapWindowPoints(nullptr, Find(layout.container), reinterpret_cast<POINT*>(&area), 2);
        return {area.left * 15, area.top * 15, (area.right - area.left) * 15,
                (area.bottom - area.top) * 15};
    }
    bool Shown(const char* name) override { return IsWindowVisible(Find(name)) != 0; }
    std::wstring Caption() override { return Window_text(window->Handle()); }
    int Tab_strip_height() override {
        RECT strip;
        SendMessageW(Find("SSTab1"), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&strip));
        return strip.bottom * 15;
    }
    void Focus(const char* name) override { SetFocus(Find(name)); }
    std::string Press_tab() override {
        Press(VK_TAB);
        return Name_of(GetFocus());
    }

    TempFolder temp;
    StartingDesktop desktop;
    RegAccess registry;
    FileAccess files;
    std::unique_ptr<Win32Window> window;
};

// At 96 dpi, where a pixel makes fifteen twips.
TEST_F(Win32WindowTest, ControlsLieWhereTheTableSaysAt96Dpi) {
    Start(false);
    if (window->Px(1440) != 96) {
        GTEST_SKIP() << "the system is not at 96 dpi";
    }
    Expect_layout_of_the_table(*this);
}

// Each option button is a stop of its own.
TEST_F(Win32WindowTest, TabFollowsTheFocusOrderOfTheTabInFront) {
    Start(false);
    Expect_focus_order(*this, false);
}

// Enter and Escape press no button, Space presses the one with the focus, an arrow key moves
// through the option buttons of a frame and selects; the help text takes no typing.
TEST_F(Win32WindowTest, KeysReachOnlyTheControlWithTheFocus) {
    Start(true);
    Bring_to_front(3);
    SetFocus(Find("Command5"));
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_TRUE(desktop.messages.empty());
    Press(VK_SPACE);
    EXPECT_EQ(desktop.messages, Names{L"Packing not possible, check the settings"});
    Click("Option1");
    Press(VK_DOWN);
    EXPECT_TRUE(Checked("Option2"));
    EXPECT_FALSE(Checked("Option1"));
    EXPECT_FALSE(IsWindowVisible(Find("Option4")));  // WinZip's choice ran
    const std::wstring help = Text("Text8");
    Type("Text8", L"x");
    EXPECT_EQ(Text("Text8"), help);
    Press(VK_ESCAPE);  // a multi-line box asks its parent to close
    EXPECT_TRUE(IsWindow(Find("Text8")));
}

// The folder list's last entry is the subfolder; the one before the folder shown holds it.
TEST_F(Win32WindowTest, EnterOrADoubleClickOpensAFolder) {
    const std::filesystem::path addons = temp / "addons";
    std::filesystem::create_directories(addons / "maps");
    std::ofstream(addons / "maps" / "desert.pbo") << "x";
    Start(false, addons);
    const HWND folders = Find("Dir1");
    SendMessageW(folders, LB_SETCURSEL, SendMessageW(folders, LB_GETCOUNT, 0, 0) - 1, 0);
    SetFocus(folders);
    Press(VK_RETURN);
    EXPECT_EQ(window->Procedures().currentDir, (addons / "maps").wstring());
    EXPECT_EQ(Entries("File1"), Names{L"desert.pbo"});
    Click_row("Dir1", SendMessageW(folders, LB_GETCOUNT, 0, 0) - 2, true);
    EXPECT_EQ(window->Procedures().currentDir, addons.wstring());
    EXPECT_EQ(Entries("File1"), Names{});
}

// Files dropped from Explorer at the middle of a control (the window's corner for nullptr),
// handed over as Explorer hands them: a block of NUL-ended wide paths.
void Drop_files(HWND window, const Names& paths, HWND control) {
    std::wstring names;
    for (const std::wstring& path : paths) {
        names.append(path).push_back(L'\0');
    }
    names.push_back(L'\0');
    const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    if (control != nullptr) {
        RECT area;
        GetWindowRect(control, &area);
        header->pt = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        ScreenToClient(window, &header->pt);
    }
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(header + 1));
    GlobalUnlock(block);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

// The start path opens after the last folder; drops do what the controls' own commands do.
TEST_F(Win32WindowTest, AStartPathAndDroppedFilesOpenAsTheCommandsDo) {
    const std::filesystem::path last = temp / "last", other = temp / "other";
    std::filesystem::create_directories(last);
    std::filesystem::create_directories(other);
    for (const char* name : {"jeep.pbo", "readme.txt"}) {
        std::ofstream(other / name) << "x";
    }
    const std::wstring jeep = (other / "jeep.pbo").wstring();
    const std::wstring readme = (other / "readme.txt").wstring();
    const std::wstring list = (other / "release.txta").wstring();
    std::ofstream(other / "release.txta", std::ios::binary) << To_ansi(L"/others/\r\n" + readme);
    Start(false, last);
    window->Open_start_path(jeep);
    EXPECT_EQ(window->Procedures().currentDir, other.wstring());
    EXPECT_EQ(SendMessageW(Find("File1"), LB_GETCURSEL, 0, 0), 0);
    window->Open_start_path((other / "gone.txta").wstring());
    EXPECT_EQ(desktop.messages.size(), 1u);

    Bring_to_front(2);
    Drop_files(window->Handle(), {jeep, readme}, Find("AddonList"));
    EXPECT_EQ(Entries("AddonList"), (Names{jeep, (other / "jeep.txt").wstring()}));
    Drop_files(window->Handle(), {readme, other.wstring()}, Find("filelist"));
    EXPECT_EQ(Entries("filelist"), Names{readme});
    Drop_files(window->Handle(), {last.wstring()}, Find("Dir1"));
    EXPECT_EQ(window->Procedures().currentDir, last.wstring());
    Drop_files(window->Handle(), {list}, nullptr);
    EXPECT_EQ(window->Procedures().addonListPath, list);
    EXPECT_EQ(Entries("AddonList"), Names{});
    EXPECT_EQ(Entries("filelist"), Names{readme});
    EXPECT_EQ(desktop.messages.size(), 1u);
}

// A drive that cannot be read is reported and not kept chosen; the lists stay where they were.
TEST_F(Win32WindowTest, ADriveThatCannotBeReadIsNotKeptChosen) {
    ASSERT_TRUE(DefineDosDeviceW(0, L"Y:", (temp / "gone").c_str()));
    Start(false, temp.Path());
    const HWND drives = Find("Drive1");
    const std::wstring before = Text("Drive1");
    SendMessageW(drives, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(drives, CB_SETCURSEL,
                 SendMessageW(drives, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"y:")),
                 0);
    SendMessageW(drives, CB_SHOWDROPDOWN, FALSE, 0);
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"Y:", nullptr);
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(Text("Drive1"), before);
    EXPECT_EQ(window->Procedures().currentDir, temp.Path().wstring());
}

// The dialogs take the filter's parts NUL-separated; a saved name typed without an extension
// gets the first pattern's, where that names one.
TEST(Win32Desktop, FiltersAndTheExtensionASavedNameGets) {
    using namespace std::string_literals;
    EXPECT_EQ(Dialog_filter(L"Addonlist (*.txta)|*.txta"), L"Addonlist (*.txta)\0*.txta\0\0"s);
    struct Case {
        const wchar_t *filter, *extension;
    } cases[] = {
        {L"Addonlist (*.txta)|*.txta", L"txta"},
        {L"Lists|*.txta;*.txt|All|*.*", L"txta"},
        {L"All files (*.*)|*.*", L""},
        {L"Any list|list*.txt", L""},
        {L"no pattern", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(To_utf8(c.filter));
        EXPECT_EQ(Default_extension(c.filter), c.extension);
    }
}

// What the packer received: how its window was to show, and its arguments after the first.
std::pair<int, Names> Recorded(const std::filesystem::path& record) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(record) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string bytes = Read_file(record);
    Names arguments;
    const std::size_t header = bytes.find('\n', bytes.find('\n') + 1);
    for (std::size_t start = header + 1; header != std::string::npos && start < bytes.size();) {
        const std::size_t end = bytes.find('\0', start);
        arguments.push_back(From_utf8(bytes.substr(start, end - start)).value_or(L"?"));
        start = end + 1;
    }
    return {bytes.empty() ? -1 : std::stoi(bytes), arguments};
}

// The contract of the procedures' controls (tests/control_contract.h), on the system's controls.
TEST_F(Win32WindowTest, ControlsKeepTheContractOfTheProcedures) {
    Start(true);
    const Controls controls = window->Procedure_controls();
    {
        // Typed on its tab, set anew while that tab is behind.
        SCOPED_TRACE("Text7");
        Expect_text_box_contract(
            *controls.Text7,
            [this](const std::wstring& text) {
                Bring_to_front(1);
                Type("Text7", text);
                Bring_to_front(0);
            },
            true);
    }
    {
        SCOPED_TRACE("Text5");
        Expect_text_box_contract(
            *controls.Text5, [this](const std::wstring& text) { Type("Text5", text); }, false);
    }
    Expect_list_box_contract(*controls.AddonList);
    Expect_list_box_limit(*controls.filelist);
    Expect_option_frame_contract({controls.Option3, controls.Option4, controls.Option5});
    Bring_to_front(3);
    ASSERT_TRUE(IsWindowVisible(Find("Option4")));
    controls.Option4->Set_visible(false);  // its label stays in view, in grey when told
    controls.Label5->Set_grey(true);
    EXPECT_FALSE(IsWindowVisible(Find("Option4")));
    EXPECT_TRUE(IsWindowVisible(Find("Label5")));
    EXPECT_EQ(Ink("Label5"), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_TRUE(desktop.messages.empty());
}

// Edit controls know CR LF alone and turn a no-break space into a space on copy: until the user
// edits a box, it gives back what it was given.
TEST_F(Win32WindowTest, AnUntouchedAddonIsSavedByteForByte) {
    const std::filesystem::path folder = temp / "addons", info = folder / "tank.txt";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "tank.pbo") << "pbo";
    files.Replace_text(info.wstring(),
                       Compose_infotext({L"A\u00A0B\nC", L"lone\rbreak", L"c", L"Someone",
                                         std::wstring(40000, L'1'), L"1.0", L"Read\u00A0me\n"})
                           .text);
    const std::string before = Read_file(info);
    Start(false, folder);
    Click_entry("File1", L"tank.pbo");
    Click("Command1");
    EXPECT_EQ(Read_file(info), before);
    EXPECT_TRUE(desktop.messages.empty());
    Type("Text2", L"typed");
    Click("Command1");
    EXPECT_NE(Read_file(info).find("/x/infotyped"), std::string::npos);
}

// With no WinZip registered, the program's own packer beside it takes WinZip's place: named by
// the label, offering zip only, started with WinZip's command line.
TEST_F(Win32WindowTest, WithoutWinZipTheOwnPackerBesideTheProgramRuns) {
    // The desktop looks beside the running program, as the program's own does.
    struct BesideDesktop : StartingDesktop {
        std::wstring Own_packer() override { return Desktop::Own_packer(); }
    } beside;
    const std::filesystem::path own = Program_folder() / "brelvik-pack.exe";
    ASSERT_FALSE(std::filesystem::exists(own));
    ASSERT_EQ(beside.Own_packer(), L"");
    std::filesystem::copy_file(Recorder_path(), own);
    struct Removed {
        std::filesystem::path path;
        ~Removed() {
            // The recorder may still be ending, its program file in use for a moment.
            std::error_code error;
            for (int tries = 0; !std::filesystem::remove(path, error) && error && tries < 100;
                 ++tries) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
    } removed{own};
    const std::filesystem::path addons = temp / "addons";
    std::filesystem::create_directories(addons);
    std::ofstream(addons / "tank.pbo") << "x";
    Start(false, addons, beside);
    Bring_to_front(3);
    EXPECT_EQ(Text("Label2"), L"brelvik-pack");
    EXPECT_EQ(Text("Option2"), L"brelvik-pack");
    EXPECT_FALSE(IsWindowVisible(Find("Option1")));
    Click("Option2");
    EXPECT_TRUE(Checked("Option3"));
    EXPECT_FALSE(IsWindowVisible(Find("Option4")));
    Click_entry("File1", L"tank.pbo");
    const std::filesystem::path work = temp / "work", before = std::filesystem::current_path();
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    Click("Command5");
    std::filesystem::current_path(before);
    const std::wstring base = (addons / "tank").wstring();
    EXPECT_EQ(Recorded(work / "-ex").second,
              (Names{base + L".zip", base + L".pbo", base + L".txt"}));
    EXPECT_TRUE(beside.messages.empty());
    window.reset();
}

#ifdef BRELVIK_PACK_PROGRAM
// The central directory of a zip archive: each member's name with its CRC-32 and size, or nothing
// where the archive cannot be read.
struct Member {
    std::string name;
    std::uint32_t crc, size;
    bool operator==(const Member&) const = default;
};
std::uint32_t Le(const std::string& bytes, std::size_t at, int length) {
    std::uint32_t value = 0;
    for (int i = length - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    }
    return value;
}
std::vector<Member> Zip_members(const std::string& zip) {
    const std::size_t end = zip.rfind("PK\x05\x06");
    std::vector<Member> members;
    if (end == std::string::npos) {
        return members;
    }
    std::size_t at = Le(zip, end + 16, 4);
    for (std::uint32_t n = Le(zip, end + 10, 2); n > 0 && zip.compare(at, 4, "PK\x01\x02") == 0;
         --n) {
        const std::size_t name = Le(zip, at + 28, 2);
        members.push_back({zip.substr(at + 46, name), Le(zip, at + 16, 4), Le(zip, at + 24, 4)});
        at += 46 + name + Le(zip, at + 30, 2) + Le(zip, at + 32, 2);
    }
    return members;
}
Member Member_of(const std::string& name, const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return {name, ~crc, static_cast<std::uint32_t>(bytes.size())};
}

// No packer registered: the release is packed by the program's own packer, as shipped beside it.
TEST_F(Win32WindowTest, AReleaseIsPackedWithNoPackerRegistered) {
    SetEnvironmentVariableW(L"BRELVIK_PACK_NO_WINDOW", L"1");
    desktop.ownPacker = std::filesystem::absolute(BRELVIK_PACK_PROGRAM).make_preferred().wstring();
    const std::filesystem::path addons = temp / "my addons", list = temp / "release.txta";
    std::filesystem::create_directories(addons);
    const std::string pbo = std::string("PBO\0\xff tank", 10) + std::string(5000, 'T');
    const std::string info = "Tank\r\nDIZUV Information\r\n";
    std::ofstream(addons / "tank.pbo", std::ios::binary) << pbo;
    std::ofstream(addons / "tank.txt", std::ios::binary) << info;
    Start(false, addons);
    Bring_to_front(2);
    Click_entry("File1", L"tank.pbo", true);
    desktop.answers = {list.wstring()};
    Click("Command7");
    Bring_to_front(3);
    Click("Option2");
    Click("Check1");
    Click("Command5");
    EXPECT_TRUE(desktop.messages.empty());
    const std::filesystem::path archive = temp / "release.zip";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(archive) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::vector<Member> members = Zip_members(Read_file(archive));
    std::ranges::sort(members, {}, &Member::name);
    EXPECT_EQ(members,
              (std::vector<Member>{Member_of("tank.pbo", pbo), Member_of("tank.txt", info)}));
}
#else
TEST_F(Win32WindowTest, AReleaseIsPackedWithNoPackerRegistered) {
    GTEST_SKIP() << "brelvik-pack.exe is not part of this build";
}
#endif

TEST_F(Win32WindowTest, ATypicalReleaseFromStartToEnd) {
    const std::filesystem::path addons = temp / "addons";
    std::filesystem::create_directories(addons / "maps");
    for (const char* name : {"tank.pbo", "Zulu.PBO", "hidden.pbo", "notes.txt", "readme.txt"}) {
        std::ofstream(addons / name) << "x";
    }
    SetFileAttributesW((addons / "hidden.pbo").c_str(), FILE_ATTRIBUTE_HIDDEN);
    InfoFields tank{L"2 tanks", L"fast", L"desert", L"Ann", L"1.2", L"1.0", L"Read me"};
    std::ofstream(addons / "tank.txt", std::ios::binary) << To_ansi(Compose_infotext(tank).text);
    const std::wstring folder = addons.wstring(), list = (temp / "release.txta").wstring();
    Start(true, addons);
    EXPECT_EQ(window->Procedures().currentDir, folder);
    EXPECT_EQ(Entries("File1"), (Names{L"tank.pbo", L"Zulu.PBO"}));  // letter case ignored

    Click_entry("File1", L"tank.pbo");
    EXPECT_EQ(Text("Text4"), L"Ann");
    EXPECT_EQ(Text("Text7"), L"Read me");
    Type("Text4", L"Bo");
    Bring_to_front(1);
    Type("Text7", L"line one\nline two");
    Click("Command1");
    tank.author = L"Bo";
    tank.readme = L"line one\r\nline two";
    const InfoFields saved = Parse_infotext(From_ansi(Read_file(addons / "tank.txt")));
    EXPECT_EQ(saved.author, tank.author);
    EXPECT_EQ(saved.readme, tank.readme);
    EXPECT_EQ(saved.units, tank.units);

    Bring_to_front(2);
    Click_entry("File1", L"tank.pbo", true);
    Click_entry("File1", L"Zulu.PBO", true);  // not selected: its fields come first
    EXPECT_EQ(Text("Text4"), L"No entry");
    const std::wstring base = folder + L"\\";
    EXPECT_EQ(Entries("AddonList"), (Names{base + L"tank.pbo", base + L"tank.txt",
                                           base + L"Zulu.PBO", base + L"Zulu.txt"}));
    Click_entry("AddonList", base + L"tank.txt");
    RECT below;  // the empty space under the entries: a double-click there removes nothing
    GetClientRect(Find("AddonList"), &below);
    below.top = below.bottom - 4;
    Click_at(Find("AddonList"), below, WM_LBUTTONDBLCLK);
    EXPECT_EQ(Entries("AddonList").size(), 4u);
    desktop.answers = {base + L"readme.txt", list};
    Click("Command4");
    EXPECT_EQ(Entries("filelist"), Names{base + L"readme.txt"});
    Click("Command7");
    EXPECT_TRUE(std::filesystem::exists(list));

    Bring_to_front(3);
    Click("Option2");
    EXPECT_TRUE(Checked("Option3"));
    EXPECT_FALSE(IsWindowVisible(Find("Option4")));
    Click("Check1");
    const std::filesystem::path work = temp / "work", before = std::filesystem::current_path();
    std::filesystem::create_directories(work);
    std::filesystem::current_path(work);
    Click("Command5");
    std::filesystem::current_path(before);
    const auto [show, arguments] = Recorded(work / "-ex");
    EXPECT_EQ(show, SW_SHOWMINIMIZED);
    EXPECT_EQ(arguments, (Names{(temp / "release.zip").wstring(), L"@" + list}));
    EXPECT_TRUE(desktop.messages.empty());

    Put_value(HKEY_LOCAL_MACHINE, kVeldrunKey, L"VDRFC", L"elsewhere");
    Click("Command2");
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kVeldrunKey, L"VDRFC"), folder);
    EXPECT_FALSE(IsWindow(window->Handle()));
}

}  // namespace
}  // namespace brelvik::test
