#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brelvik {

// The settings store that stands in for the registry where there is none: UTF-8 text (names
// that are not UTF-8 kept as the system's bytes) in the registry's export format, which users know
// and can write by hand; an export of the registry editor itself, UTF-16LE behind a byte-order
// mark, is read too and written back so, a name's bytes that are not UTF-8 as the lone units
// U+DC80..U+DCFF that stand for them.
//
//   Windows Registry Editor Version 5.00      (or REGEDIT4)
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Quorvane\Veldrun]
//   "VDRFC"="/home/me/addons"
//   @="the default value"
//   "count"=dword:0000002a
//   "data"=hex(2):41,00,00,00                 (any hex: value is kept, but unsupported)
//
// Strings escape only \\ and \"; they may hold line breaks. Lines starting with ";" are
// comments. Key paths and value names match without regard to letter case.

struct StoreValue {
    enum class Kind { String, Dword, Other };
    Kind kind = Kind::String;
    std::wstring text;        // Kind::String
    std::int32_t number = 0;  // Kind::Dword
};

// One piece of the file kept as written (with its line breaks), so that setting a value
// rewrites that value only and keeps comments, order and layout.
struct StoreEntry {
    enum class Kind { Other, Section, Value };
    Kind kind = Kind::Other;
    std::wstring raw;
    std::wstring name;  // the section's key path, or the value's name ("" for the default)
    StoreValue value;
};

struct Store {
    std::vector<StoreEntry> entries;
    std::wstring newline = L"\n";  // the file's own line break, used for added lines
    bool utf16 = false;  // a registry editor's export, UTF-16LE: written back the same way
};

struct StoreError {
    std::size_t line = 0;  // counted from 1
    std::wstring reason;
};

// Any bytes give either a store or the first line that cannot be read; never anything else.
std::variant<Store, StoreError> Parse_store(std::string_view bytes);
// The store as UTF-8 text, or UTF-16LE where it was read so; a store read by Parse_store comes
// back byte for byte.
std::string Serialize_store(const Store& store);
// The header line and the given keys, without values.
Store New_store(const std::vector<std::wstring>& keyPaths);

bool Has_key(const Store& store, std::wstring_view keyPath);
// The value as the last of several same-named entries gives it; nullptr when there is none.
const StoreValue* Find_value(const Store& store, std::wstring_view keyPath, std::wstring_view name);
// Sets a string or DWORD value where the key exists; false (nothing changed) where it does not.
bool Set_value(Store& store, std::wstring_view keyPath, std::wstring_view name,
               const StoreValue& value);
// Appends the key as an empty section, unless it exists. Never used by RegAccess, whose writes
// create no key; only the set-up of a store adds keys.
void Add_key(Store& store, std::wstring_view keyPath);

}  // namespace brelvik
