#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/regaccess.h"

namespace brelvik::test {

// Prepares keys and values for the RegAccess behaviour tests, without going through
// RegAccess: a settings-store file written as text here, real registry keys on Windows. Every
// key lies below a name of its own that is gone when the fixture goes.
class RegFixture {
  public:
    RegFixture();
    ~RegFixture();
    RegFixture(const RegFixture&) = delete;
    RegFixture& operator=(const RegFixture&) = delete;

    RegAccess& Access();
    // A key path below root that belongs to this fixture, e.g. SOFTWARE\<own>\Veldrun.
    std::wstring Key(std::uint32_t root, const std::wstring& leaf) const;

    void Create_key(std::uint32_t root, const std::wstring& path);
    bool Key_exists(std::uint32_t root, const std::wstring& path);
    void Put_string(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                    const std::wstring& text);
    void Put_dword(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                   std::int32_t number);
    // Raw data of any registry type: a zero-byte REG_SZ, a REG_EXPAND_SZ, a REG_BINARY.
    void Put_bytes(std::uint32_t root, const std::wstring& path, const std::wstring& name,
                   std::uint32_t type, const std::string& bytes);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace brelvik::test
