#include "platform/regaccess.h"

#include <cwctype>
#include <limits>
#include <stdexcept>

namespace brelvik {

namespace {

// Converts a value for a REG_DWORD write: empty is 0, a string must hold a decimal integer in
// range. Anything else is the caller's error and propagates to it.
std::int32_t Value_as_int32(const RegValue& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    const auto* text = std::get_if<std::wstring>(&value);
    if (text == nullptr) {
        return 0;
    }
    std::size_t used = 0;
    const long long parsed = std::stoll(*text, &used, 10);  // throws when no number leads
    while (used < text->size() && std::iswspace(static_cast<wint_t>((*text)[used]))) {
        ++used;
    }
    if (used != text->size()) {
        throw std::invalid_argument("not a whole number");
    }
    if (parsed < std::numeric_limits<std::int32_t>::min() ||
        parsed > std::numeric_limits<std::int32_t>::max()) {
        throw std::out_of_range("outside the 32-bit range");
    }
    return static_cast<std::int32_t>(parsed);
}

}  // namespace

std::wstring Value_text(const RegValue& value) {
    if (const auto* text = std::get_if<std::wstring>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_wstring(*number);
    }
    return {};
}

std::size_t Value_length(const RegValue& value) {
    return Value_text(value).size();
}

std::int32_t RegAccess::Write_value(KeyHandle key, const std::wstring& name, std::int32_t type,
                                    const RegValue& value) {
    if (type == kRegSz) {
        return Store_string(key, name, Value_text(value));
    }
    if (type == kRegDword) {
        return Store_dword(key, name, Value_as_int32(value));
    }
    return 0;
}

RegValue RegAccess::Read_setting(std::uint32_t root, const std::wstring& keyPath,
                                 const std::wstring& name) {
    RegValue value;
    const KeyHandle key = Open_key(root, keyPath, kKeyQueryValue);
    Read_value(key, name, value);
    Close_key(key);
    return value;
}

void RegAccess::Write_setting(std::uint32_t root, const std::wstring& keyPath,
                              const std::wstring& name, const RegValue& value, std::int32_t type) {
    const KeyHandle key = Open_key(root, keyPath, kKeySetValue);
    try {
        Write_value(key, name, type, value);
    } catch (...) {
        Close_key(key);
        throw;
    }
    Close_key(key);
}

}  // namespace brelvik
