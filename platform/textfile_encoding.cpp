#include <string>

#include "platform/codepage.h"

namespace brelvik {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string Encode_info_text(std::wstring_view text, InfoEncoding readAs) {
    if (readAs == InfoEncoding::kUtf8) {
        return To_utf8(text);
    }
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
    if (std::optional<std::wstring> text = Unmarked_utf8(bytes)) {
        return {*std::move(text), InfoEncoding::kUtf8};
    }
    return {From_ansi(bytes), InfoEncoding::kCodePage};
}

}  // namespace brelvik
