#pragma once

#include <cstdint>
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

}  // namespace brelvik
