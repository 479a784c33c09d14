#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addonlist/addonlist.h"

namespace brelvik {

// The one reader of list files, for the window and the packer alike; the caller moves the bytes.

// The largest list file the boxes could take: both full (32,767 entries each) of paths as long
// as a system opens (4,096 bytes), with their line breaks. A larger file is refused unread.
inline constexpr std::uint64_t kMaxListFileBytes = 2ull * 32767 * (4096 + 2) + 16;

// The Addonlist text of a list file's content: the content as it stands, except that a
// hand-made list with no CR LF at all has its bare LF taken as line breaks. Where CR LF is the
// line break, a bare LF stays inside its line, and the line is refused by Listable.
std::wstring Listfile_text(std::wstring content);

// Whether a name can stand on a line of a list: a CR or LF in it would cut it into other names.
bool Listable(std::wstring_view name);

// The first entry that cannot stand on a line, if any.
std::optional<std::wstring> Unlistable_entry(const AddonListEntries& entries);

// The files a list text names, in the order the packers take them: the entries of both
// sections, without empty ones. The window shows exactly these, and the empty entries.
std::vector<std::wstring> Listed_files(const std::wstring& text);

// The same rule on any text, for a packer that keeps a list of millions of names as the bytes
// it read: calls use(offset, length) for each line that names a file, lines ending at
// lineBreak. Every line but the others marker and empty lines names one; the marker is the
// first "/others/" line behind the first line, or else the first line.
template <typename Char, typename Use>
void For_each_listed_line(std::basic_string_view<Char> text, std::basic_string_view<Char> lineBreak,
                          Use use) {
    static constexpr Char kMarker[] = {'/', 'o', 't', 'h', 'e', 'r', 's', '/'};
    const std::basic_string_view<Char> marker(kMarker, std::size(kMarker));
    const auto each_line = [&](auto visit) {
        for (std::size_t pos = 0;;) {
            const std::size_t end = std::min(text.find(lineBreak, pos), text.size());
            if (!visit(pos, end - pos) || end == text.size()) {
                return;
            }
            pos = end + lineBreak.size();
        }
    };
    std::size_t markerAt = std::basic_string_view<Char>::npos;
    each_line([&](std::size_t pos, std::size_t length) {
        if (pos > 0 && text.substr(pos, length) == marker) {
            markerAt = pos;
            return false;
        }
        return true;
    });
    if (markerAt == std::basic_string_view<Char>::npos &&
        text.substr(0, text.find(lineBreak)) == marker) {
        markerAt = 0;
    }
    each_line([&](std::size_t pos, std::size_t length) {
        if (length > 0 && pos != markerAt) {
            use(pos, length);
        }
        return true;
    });
}

}  // namespace brelvik
