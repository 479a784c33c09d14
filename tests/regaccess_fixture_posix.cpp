#include <fstream>
#include <map>
#include <utility>

#include "platform/codepage.h"
#include "tests/regaccess_fixture.h"
#include "tests/support/temp_folder.h"

namespace brelvik::test {

namespace {

std::wstring Root_name(std::uint32_t root) {
    return root == kHkeyClassesRoot ? L"HKEY_CLASSES_ROOT" : L"HKEY_LOCAL_MACHINE";
}

std::wstring Quoted(const std::wstring& text) {
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        quoted += (c == L'\\' || c == L'"') ? std::wstring{L'\\', c} : std::wstring{c};
    }
    return quoted + L"\"";
}

std::wstring Hex_list(const std::string& bytes) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring list;
    for (const unsigned char byte : bytes) {
        list += list.empty() ? L"" : L",";
        list += {kDigits[byte >> 4], kDigits[byte & 15]};
    }
    return list;
}

}  // namespace

// The store is written as the text a user would write, one section per key.
struct RegFixture::Impl {
    TempFolder folder;
    std::filesystem::path storePath = folder / "registry.reg";
    std::map<std::wstring, std::wstring> sections;  // "[key]" line -> its value lines
    std::unique_ptr<RegAccess> access;

    void Write() const {
        std::wstring text = L"Windows Registry Editor Version 5.00\n";
        for (const auto& [key, lines] : sections) {
            text += L"\n[" + key + L"]\n" + lines;
        }
        std::ofstream(storePath, std::ios::binary) << To_utf8(text);
    }

    void Add(std::uint32_t root, const std::wstring& path, const std::wstring& name,
             const std::wstring& data) {
        const std::wstring nameText = name.empty() ? L"@" : Quoted(name);
        sections[Root_name(root) + L"\\" + path] += nameText + L"=" + data + L"\n";
        Write();
    }
};

RegFixture::RegFixture() : impl_(std::make_unique<Impl>()) {
    impl_->Write();
    impl_->access = std::make_unique<RegAccess>(impl_->storePath);
}

RegFixture::~RegFixture() = default;

RegAccess& RegFixture::Access() {
    return *impl_->access;
}

std::wstring RegFixture::Key(std::uint32_t root, const std::wstring& leaf) const {
    return (root == kHkeyLocalMachine ? L"SOFTWARE\\BrelvikTest\\" : L"BrelvikTest\\") + leaf;
}

void RegFixture::Create_key(std::uint32_t root, const std::wstring& path) {
    impl_->sections[Root_name(root) + L"\\" + path];
    impl_->Write();
}

bool RegFixture::Key_exists(std::uint32_t root, const std::wstring& path) {
    std::ifstream in(impl_->storePath, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return text.find(To_utf8(L"[" + Root_name(root) + L"\\" + path + L"]")) != std::string::npos;
}

void RegFixture::Put_string(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                            const std::wstring& text) {
    impl_->Add(root, path, name, Quoted(text));
}

void RegFixture::Put_dword(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                           std::int32_t number) {
    wchar_t digits[9];
    swprintf(digits, 9, L"%08x", static_cast<std::uint32_t>(number));
    impl_->Add(root, path, name, std::wstring(L"dword:") + digits);
}

void RegFixture::Put_bytes(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                           std::uint32_t type, const std::string& bytes) {
    if (type == kRegSz) {
        impl_->Add(root, path, name, Quoted(From_ansi(bytes)));
        return;
    }
    impl_->Add(root, path, name, L"hex(" + std::to_wstring(type) + L"):" + Hex_list(bytes));
}

}  // namespace brelvik::test
