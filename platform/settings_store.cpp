#include "platform/settings_store.h"

#include <cwctype>
#include <optional>

#include "platform/codepage.h"

namespace brelvik {

namespace {

constexpr std::wstring_view kHeader = L"Windows Registry Editor Version 5.00";
constexpr std::wstring_view kOldHeader = L"REGEDIT4";
constexpr wchar_t kByteOrderMark = 0xFEFF;
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// One line of the file: its text without the line feed (a CR before it stays in the text),
// and the line feed itself, missing on a last line that has none.
struct Line {
    std::wstring text;
    std::wstring end;
};

bool Is_blank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && Is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && Is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool Is_hex_digits(std::wstring_view text, std::size_t most) {
    if (text.empty() || text.size() > most) {
        return false;
    }
    for (const wchar_t c : text) {
        if (!std::iswxdigit(static_cast<wint_t>(c)) || c > 0x7F) {
            return false;
        }
    }
    return true;
}

std::vector<Line> Split_lines(std::wstring_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const std::size_t feed = text.find(L'\n');
        lines.push_back(
            {std::wstring(text.substr(0, feed)), feed == std::wstring_view::npos ? L"" : L"\n"});
        text.remove_prefix(feed == std::wstring_view::npos ? text.size() : feed + 1);
    }
    return lines;
}

class Parser {
  public:
    explicit Parser(const std::vector<Line>& lines) : lines_(lines) {}

    std::variant<Store, StoreError> Run() {
        Store store;
        if (!Read_header(store)) {
            return Error(L"the first line is not \"" + std::wstring(kHeader) + L"\" or \"" +
                         std::wstring(kOldHeader) + L"\"");
        }
        while (index_ < lines_.size()) {
            const std::size_t first = index_;
            StoreEntry entry;
            if (!Read_entry(entry)) {
                return error_;
            }
            for (std::size_t i = first; i < index_; ++i) {
                entry.raw += lines_[i].text + lines_[i].end;
            }
            store.entries.push_back(std::move(entry));
        }
        return store;
    }

  private:
    bool Read_header(Store& store) {
        if (lines_.empty()) {
            return false;
        }
        std::wstring_view text = lines_[0].text;
        if (!text.empty() && text.front() == kByteOrderMark) {
            text.remove_prefix(1);
        }
        text = Trim(text);
        if (text != kHeader && text != kOldHeader) {
            return false;
        }
        store.newline = !lines_[0].text.empty() && lines_[0].text.back() == L'\r' ? L"\r\n" : L"\n";
        store.entries.push_back({StoreEntry::Kind::Other, lines_[0].text + lines_[0].end, {}, {}});
        index_ = 1;
        return true;
    }

    bool Read_entry(StoreEntry& entry) {
        const std::wstring_view text = Trim(lines_[index_].text);
        if (text.empty() || text.front() == L';') {
            ++index_;
            return true;
        }
        if (text.front() == L'[') {
            if (text.size() < 3 || text.back() != L']') {
                return Fail(L"a section line without its closing \"]\"");
            }
            entry.kind = StoreEntry::Kind::Section;
            entry.name = text.substr(1, text.size() - 2);
            inSection_ = true;
            ++index_;
            return true;
        }
        if (text.front() != L'"' && text.front() != L'@') {
            return Fail(L"a line that is neither a section, a value nor a comment");
        }
        if (!inSection_) {
            return Fail(L"a value before the first [section]");
        }
        entry.kind = StoreEntry::Kind::Value;
        pos_ = lines_[index_].text.find(text.front());
        return Read_value_line(entry);
    }

    bool Read_value_line(StoreEntry& entry) {
        if (Current() == L'@') {
            ++pos_;
        } else if (!Read_quoted(entry.name)) {
            return false;
        }
        Skip_blanks();
        if (Current() != L'=') {
            return Fail(L"a value name without \"=\" behind it");
        }
        ++pos_;
        Skip_blanks();
        if (Current() == L'"') {
            return Read_quoted(entry.value.text) && Expect_line_end();
        }
        const std::wstring_view rest = Trim(std::wstring_view(lines_[index_].text).substr(pos_));
        if (rest.starts_with(L"dword:")) {
            return Read_dword(rest.substr(6), entry.value);
        }
        if (rest.starts_with(L"hex:") || rest.starts_with(L"hex(")) {
            entry.value.kind = StoreValue::Kind::Other;
            return Read_hex(rest);
        }
        return Fail(L"a value that is neither \"text\", dword: nor hex:");
    }

    // A quoted text with \\ and \" escapes; it may go on over line breaks, which it keeps.
    bool Read_quoted(std::wstring& out) {
        const std::size_t startLine = index_;
        ++pos_;
        for (;;) {
            const std::wstring& text = lines_[index_].text;
            if (pos_ >= text.size()) {
                if (index_ + 1 >= lines_.size()) {
                    return Fail(L"a quoted text that is not closed", startLine);
                }
                out += lines_[index_].end;
                ++index_;
                pos_ = 0;
                continue;
            }
            const wchar_t c = text[pos_++];
            if (c == L'"') {
                return true;
            }
            if (c == L'\\') {
                if (pos_ >= text.size() || (text[pos_] != L'\\' && text[pos_] != L'"')) {
                    return Fail(L"a backslash that is not followed by \\ or \"");
                }
                out += text[pos_++];
                continue;
            }
            out += c;
        }
    }

    bool Read_dword(std::wstring_view digits, StoreValue& value) {
        if (!Is_hex_digits(digits, 8)) {
            return Fail(L"a dword: value that is not 1 to 8 hexadecimal digits");
        }
        value.kind = StoreValue::Kind::Dword;
        value.number = static_cast<std::int32_t>(std::stoul(std::wstring(digits), nullptr, 16));
        ++index_;
        return true;
    }

    // hex:41,00 or hex(2):41,00,\ with the list going on in the next line.
    bool Read_hex(std::wstring_view rest) {
        const std::size_t colon = rest.find(L':');
        const bool typed = rest[3] == L'(';
        if (colon == std::wstring_view::npos ||
            (typed && (colon < 6 || rest[colon - 1] != L')' ||
                       !Is_hex_digits(rest.substr(4, colon - 5), 8)))) {
            return Fail(L"a hex(type): value with a bad type");
        }
        const std::size_t startLine = index_;
        std::wstring list;
        for (std::wstring_view part = rest.substr(colon + 1);;) {
            part = Trim(part);
            const bool goesOn = !part.empty() && part.back() == L'\\';
            list += goesOn ? part.substr(0, part.size() - 1) : part;
            ++index_;
            if (!goesOn) {
                break;
            }
            if (index_ >= lines_.size()) {
                return Fail(L"a hex: list that ends in \"\\\" on the last line", startLine);
            }
            part = lines_[index_].text;
        }
        return Is_byte_list(list) ||
               Fail(L"a hex: list that is not bytes such as 4f,00", startLine);
    }

    static bool Is_byte_list(std::wstring_view list) {
        std::wstring compact;
        for (const wchar_t c : list) {
            if (!Is_blank(c)) {
                compact += c;
            }
        }
        std::wstring_view rest = compact;
        while (!rest.empty()) {
            const std::size_t comma = rest.find(L',');
            if (!Is_hex_digits(rest.substr(0, comma), 2)) {
                return false;
            }
            rest.remove_prefix(comma == std::wstring_view::npos ? rest.size() : comma + 1);
        }
        return true;
    }

    bool Expect_line_end() {
        if (!Trim(std::wstring_view(lines_[index_].text).substr(pos_)).empty()) {
            return Fail(L"text behind the closing quote");
        }
        ++index_;
        return true;
    }

    wchar_t Current() const {
        const std::wstring& text = lines_[index_].text;
        return pos_ < text.size() ? text[pos_] : L'\0';
    }

    void Skip_blanks() {
        while (pos_ < lines_[index_].text.size() && Is_blank(lines_[index_].text[pos_])) {
            ++pos_;
        }
    }

    bool Fail(std::wstring reason) { return Fail(std::move(reason), index_); }
    bool Fail(std::wstring reason, std::size_t lineIndex) {
        error_ = {lineIndex + 1, std::move(reason)};
        return false;
    }
    StoreError Error(std::wstring reason) {
        Fail(std::move(reason));
        return error_;
    }

    const std::vector<Line>& lines_;
    std::size_t index_ = 0;
    std::size_t pos_ = 0;
    bool inSection_ = false;
    StoreError error_;
};

}  // namespace

std::variant<Store, StoreError> Parse_store(std::string_view bytes) {
    if (bytes.starts_with(kUtf16Mark)) {
        const std::optional<std::wstring> text = From_utf16le(bytes);
        if (!text) {
            return StoreError{1, L"the text is not UTF-16"};
        }
        auto parsed = Parser(Split_lines(*text)).Run();
        if (Store* store = std::get_if<Store>(&parsed)) {
            store->utf16 = true;
        }
        return parsed;
    }
    // Bytes that are not UTF-8 are kept as the system's bytes, as in a folder name that is not
    // UTF-8, so that such a value names the same folder when it is read back.
    return Parser(Split_lines(From_native(bytes))).Run();
}

std::string Serialize_store(const Store& store) {
    std::wstring text;
    for (const StoreEntry& entry : store.entries) {
        text += entry.raw;
    }
    return store.utf16 ? To_utf16le(text) : To_native(text);
}

Store New_store(const std::vector<std::wstring>& keyPaths) {
    Store store;
    store.entries.push_back({StoreEntry::Kind::Other, std::wstring(kHeader) + L"\n", {}, {}});
    for (const std::wstring& key : keyPaths) {
        store.entries.push_back({StoreEntry::Kind::Other, L"\n", {}, {}});
        store.entries.push_back({StoreEntry::Kind::Section, L"[" + key + L"]\n", key, {}});
    }
    return store;
}

}  // namespace brelvik
