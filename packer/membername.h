#pragma once

#include <string>
#include <string_view>

namespace brelvik {

// Why a Windows folder could not hold a file of this bare name, or empty when it can. The
// archives are unpacked on Windows, where a "\" or ":" in a stored name leads out of the
// unpacking folder and a device name such as CON is no file at all.
std::wstring Unstorable_reason(std::wstring_view name);

}  // namespace brelvik
