#include <windows.h>

#include <string>

#include "platform/codepage.h"
#include "platform/regaccess.h"

namespace brelvik {

namespace {

HKEY As_hkey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

// The predefined roots are 32-bit values that the 64-bit HKEY sign-extends.
HKEY Root_hkey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
}

}  // namespace

// The registry itself keeps all state; nothing is held between calls.
struct RegAccess::Impl {};

RegAccess::RegAccess() : impl_(std::make_unique<Impl>()) {}

RegAccess::RegAccess(const std::filesystem::path&) : RegAccess() {}

RegAccess::~RegAccess() = default;

std::wstring RegAccess::Store_path() const {
    return {};
}

KeyHandle RegAccess::Open_key(std::uint32_t root, const std::wstring& keyPath,
                              std::uint32_t access) {
    HKEY key = nullptr;
    const std::string path = To_ansi(keyPath);
    // The game's installer is a 32-bit program and keeps its key in the 32-bit view
    // (Wow6432Node on 64-bit Windows); the flag says so whatever this program's own width.
    if (RegOpenKeyExA(Root_hkey(root), path.c_str(), 0, access | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return reinterpret_cast<KeyHandle>(key);
}

void RegAccess::Close_key(KeyHandle key) {
    if (key != 0) {
        RegCloseKey(As_hkey(key));
    }
}

std::int32_t RegAccess::Store_string(KeyHandle key, const std::wstring& name,
                                     const std::wstring& text) {
    const std::string valueName = To_ansi(name);
    const std::string bytes = To_ansi(text);
    // REG_SZ data ends in its NUL, and the size counts it.
    return RegSetValueExA(As_hkey(key), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(bytes.c_str()),
                          static_cast<DWORD>(bytes.size() + 1));
}

std::int32_t RegAccess::Store_dword(KeyHandle key, const std::wstring& name, std::int32_t number) {
    const std::string valueName = To_ansi(name);
    return RegSetValueExA(As_hkey(key), valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&number), sizeof number);
}

// Two queries, the first for type and size. Whatever fails returns its code at once and leaves
// the value as it stood then.
std::int32_t RegAccess::Read_value(KeyHandle key, const std::wstring& name, RegValue& value) {
    const std::string valueName = To_ansi(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG code = RegQueryValueExA(As_hkey(key), valueName.c_str(), nullptr, &type, nullptr, &size);
    if (code != ERROR_SUCCESS) {
        return code;
    }
    if (type == REG_SZ) {
        std::string buffer(size, '\0');
        code = RegQueryValueExA(As_hkey(key), valueName.c_str(), nullptr, nullptr,
                                reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (code != ERROR_SUCCESS) {
            value = std::monostate{};
            return code;
        }
        // A zero-byte string has no last character to test: the value stays as it is.
        if (size == 0) {
            return 0;
        }
        buffer.resize(buffer[size - 1] == '\0' ? size - 1 : size);
        value = From_ansi(buffer);
        return 0;
    }
    if (type == REG_DWORD) {
        std::int32_t number = 0;
        size = sizeof number;
        code = RegQueryValueExA(As_hkey(key), valueName.c_str(), nullptr, nullptr,
                                reinterpret_cast<BYTE*>(&number), &size);
        if (code == ERROR_SUCCESS) {
            value = number;
        }
        return code;
    }
    return kUnsupportedType;
}

std::filesystem::path Default_store_path() {
    return {};
}

}  // namespace brelvik
