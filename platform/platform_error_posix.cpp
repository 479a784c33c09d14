#include <cerrno>
#include <cstring>

#include "platform/codepage.h"
#include "platform/platform_error.h"

namespace brelvik {

std::wstring System_error_text(int code) {
    char buffer[256];
    // The GNU strerror_r may return a static text instead of filling the buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    const std::string_view bytes(text);
    return From_utf8(bytes).value_or(From_ansi(bytes));
}

PlatformError Last_error(const std::wstring& path) {
    return PlatformError(System_error_text(errno), path);
}

}  // namespace brelvik
