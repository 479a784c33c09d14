#include <algorithm>
#include <string>

#include "platform/codepage.h"
#include "platform/platform_error.h"

namespace brelvik {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string Encode_info_text(std::wstring_view text, InfoEncoding readAs) {
    if (readAs == InfoEncoding::kCodePage && Fits_ansi(text)) {
        return To_ansi(text);
    }
    return std::string(kUtf8Mark) + To_utf8(text);
}

DecodedInfo Decode_info_text(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        if (std::optional<std::wstring> text = From_utf8(bytes.substr(kUtf8Mark.size()))) {
            return {*std::move(text), InfoEncoding::kUtf8WithMark};
        }
    }
    return {From_ansi(bytes), InfoEncoding::kCodePage};
}

// The packers read each path as the system names it; one the file cannot hold would name another
// file, or with "?" a whole set of them. Nothing is written then, and the message names the path.
std::string Encode_list_text(std::wstring_view text) {
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(L"\r\n", start), text.size());
        const std::wstring_view line = text.substr(start, end - start);
        if (std::optional<std::wstring> why = Unlistable_because(line)) {
            throw PlatformError(*std::move(why), std::wstring(line));
        }
        start = end + 2;
    }
    return List_bytes(text);
}

}  // namespace brelvik
