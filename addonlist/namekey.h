#pragma once

#include <string>
#include <string_view>

namespace brelvik {

// The name a Windows folder knows a file by: two names are the same file there exactly when
// their keys are equal. Windows compares names by mapping each UTF-16 unit to upper case, one
// for one (so "ſ" is "S", "ı" is "I" and "ς" is "Σ", while "ß" stays itself); the same mapping
// here, independent of any locale, so that the window and the packer refuse the same names.
std::wstring Same_name_key(std::wstring_view name);

}  // namespace brelvik
