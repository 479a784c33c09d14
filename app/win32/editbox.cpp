#include "app/win32/editbox.h"

#include "platform/platform_error.h"

namespace brelvik {

std::wstring With_crlf_breaks(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

void EditBox::Set_text(std::wstring text) {
    if (multiLine_) {
        text = With_crlf_breaks(text);
    }
    if (!SetWindowTextW(Handle(), text.c_str())) {
        throw Last_error(L"");  // the box could not take a text this long
    }
}

}  // namespace brelvik
