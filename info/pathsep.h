#pragma once

namespace brelvik {

// Paths are joined as plain text with the platform's own separator.
#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

}  // namespace brelvik
