#include <windows.h>

#include <atomic>

#include "tests/regaccess_fixture.h"

namespace brelvik::test {

namespace {

HKEY Root_hkey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

// Keys are prepared in the 32-bit view, where RegAccess looks, whatever this test's own width.
constexpr REGSAM kView = KEY_WOW64_32KEY;

// Deletes the key with all it holds.
void Delete_tree(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | kView, &key) == ERROR_SUCCESS) {
        RegDeleteTreeW(key, nullptr);
        RegCloseKey(key);
        RegDeleteKeyExW(root, path.c_str(), kView, 0);
    }
}

class OpenKey {
  public:
    OpenKey(std::uint32_t root, const std::wstring& path) {
        RegCreateKeyExW(Root_hkey(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView,
                        nullptr, &key_, nullptr);
    }
    ~OpenKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

struct RegFixture::Impl {
    std::wstring base;
    RegAccess access;
};

RegFixture::RegFixture() : impl_(std::make_unique<Impl>()) {
    static std::atomic<unsigned> counter{0};
    impl_->base = L"BrelvikTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++counter);
}

RegFixture::~RegFixture() {
    Delete_tree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\" + impl_->base);
    Delete_tree(HKEY_CLASSES_ROOT, impl_->base);
}

RegAccess& RegFixture::Access() {
    return impl_->access;
}

std::wstring RegFixture::Key(std::uint32_t root, const std::wstring& leaf) const {
    return (root == kHkeyLocalMachine ? L"SOFTWARE\\" : L"") + impl_->base + L"\\" + leaf;
}

void RegFixture::Create_key(std::uint32_t root, const std::wstring& path) {
    const OpenKey key(root, path);
}

bool RegFixture::Key_exists(std::uint32_t root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(Root_hkey(root), path.c_str(), 0, KEY_READ | kView, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void RegFixture::Put_string(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                            const std::wstring& text) {
    const OpenKey key(root, path);
    RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegFixture::Put_dword(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                           std::int32_t number) {
    const OpenKey key(root, path);
    RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
}

void RegFixture::Put_bytes(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                           std::uint32_t type, const std::string& bytes) {
    const OpenKey key(root, path);
    // Through the ANSI form, as RegAccess reads. A byte that is not NUL follows the data: the
    // registry adds a NUL to a string whose size leaves one out when one follows in memory, and
    // these bytes must be stored as given.
    const std::string ansiName(name.begin(), name.end());  // the tests' names are ASCII
    const std::string data = bytes + "X";
    RegSetValueExA(key.Get(), ansiName.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(bytes.size()));
}

}  // namespace brelvik::test
