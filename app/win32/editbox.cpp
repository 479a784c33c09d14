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

std::wstring EditBox::Text() const {
    const bool edited = SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
    return edited ? Window_text(Handle()) : set_;
}

// Setting the text clears the modify flag.
void EditBox::Set_text(std::wstring text) {
    const std::wstring shown = multiLine_ ? With_crlf_breaks(text) : text;
    if (!SetWindowTextW(Handle(), shown.c_str())) {
        throw Last_error(L"");  // the box could not take a text this long
    }
    SendMessageW(Handle(), EM_SETMODIFY, FALSE, 0);
    set_ = std::move(text);
}

}  // namespace brelvik
