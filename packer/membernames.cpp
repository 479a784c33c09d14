#include "packer/membernames.h"

#include <algorithm>

#include "packer/memberlist.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"

namespace brelvik {

void MemberNames::Add_path(const std::wstring& path) {
    sources_.push_back({path, {}, {}, false, false});
}

// A list is UTF-8 when it holds bytes past ASCII and all of them are; otherwise Windows-1252,
// as the window decides for the whole file. Checked line by line, as the lines are decoded.
void MemberNames::Add_list(const std::wstring& path) {
    if (File_length(path) > kMaxListFileBytes) {
        throw PlatformError(L"larger than any Addonlist", path);
    }
    Source list{Folder_of(path), Read_bytes(path), "\r\n", true, true};
    if (list.bytes.find("\r\n") == std::string::npos) {
        list.lineBreak = "\n";  // a hand-made list
    }
    bool pastAscii = false;
    For_each_listed_line(std::string_view(list.bytes), std::string_view(list.lineBreak),
                         [&](std::size_t pos, std::size_t length) {
                             const std::string_view line(list.bytes.data() + pos, length);
                             if (std::ranges::none_of(line, [](char c) {
                                     return static_cast<unsigned char>(c) >= 0x80;
                                 })) {
                                 return;
                             }
                             pastAscii = true;
                             list.utf8 = list.utf8 && From_utf8(line).has_value();
                         });
    list.utf8 = list.utf8 && pastAscii;
    sources_.push_back(std::move(list));
}

std::wstring MemberNames::Path(Ref ref) const {
    const Source& source = sources_[ref >> 32];
    if (!source.list) {
        return source.path;
    }
    const std::size_t pos = ref & 0xFFFFFFFF;
    const std::size_t end = std::min(source.bytes.find(source.lineBreak, pos), source.bytes.size());
    const std::string_view line(source.bytes.data() + pos, end - pos);
    return Listed_path(source.path, source.utf8 ? *From_utf8(line) : From_ansi(line));
}

}  // namespace brelvik
