#include <string>

#include "platform/codepage.h"

namespace brelvik {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string Encode_info_text(std::wstring_view text) {
    if (Fits_ansi(text)) {
        return To_ansi(text);
    }
    return std::string(kUtf8Mark) + To_utf8(text);
}

std::wstring Decode_info_text(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        if (std::optional<std::wstring> text = From_utf8(bytes.substr(kUtf8Mark.size()))) {
            return *std::move(text);
        }
    }
    return Decode_list_text(bytes);  // without the mark, by the same rule as list files
}

}  // namespace brelvik
