#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <variant>

namespace brelvik {

// A registry value: empty, a string or a 32-bit signed integer.
using RegValue = std::variant<std::monostate, std::wstring, std::int32_t>;

std::wstring Value_text(const RegValue& value);   // empty gives "", an integer its decimal text
std::size_t Value_length(const RegValue& value);  // length of Value_text

inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::int32_t kRegSz = 1;
inline constexpr std::int32_t kRegDword = 4;
inline constexpr std::int32_t kUnsupportedType = -1;

using KeyHandle = std::uintptr_t;  // 0 is no key

// The program's only access to the registry, or to the settings store that stands in for it
// where there is no registry. No failure is reported to callers of the *_setting procedures.
class RegAccess {
  public:
    // The system's registry on Windows; elsewhere the store at Default_store_path(), created
    // with the last-folder key when it does not exist yet.
    RegAccess();
    // Elsewhere: the store at the given path (tests); on Windows the path is not used.
    explicit RegAccess(const std::filesystem::path& storePath);
    ~RegAccess();
    RegAccess(const RegAccess&) = delete;
    RegAccess& operator=(const RegAccess&) = delete;

    // The settings store's file; "" where the system's registry is used.
    std::wstring Store_path() const;

    std::int32_t Write_value(KeyHandle key, const std::wstring& name, std::int32_t type,
                             const RegValue& value);
    std::int32_t Read_value(KeyHandle key, const std::wstring& name, RegValue& value);
    void Write_setting(std::uint32_t root, const std::wstring& keyPath, const std::wstring& name,
                       const RegValue& value, std::int32_t type);
    RegValue Read_setting(std::uint32_t root, const std::wstring& keyPath,
                          const std::wstring& name);

    // The access rights each open asks for: only what the call needs, so that a user who may
    // read a key but not write it still reads it.
    static constexpr std::uint32_t kKeyQueryValue = 0x0001;
    static constexpr std::uint32_t kKeySetValue = 0x0002;

  private:
    // Back-end parts: 0 when the key cannot be opened; the others return a system result code.
    KeyHandle Open_key(std::uint32_t root, const std::wstring& keyPath, std::uint32_t access);
    void Close_key(KeyHandle key);
    std::int32_t Store_string(KeyHandle key, const std::wstring& name, const std::wstring& text);
    std::int32_t Store_dword(KeyHandle key, const std::wstring& name, std::int32_t number);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// $XDG_CONFIG_HOME/brelvik/registry.reg, else ~/.config/brelvik/registry.reg.
std::filesystem::path Default_store_path();

}  // namespace brelvik
