#include "addonlist/addonlist.h"

#include <algorithm>
#include <string_view>

namespace brelvik {

namespace {

constexpr std::wstring_view kEmptyLine = L"\r\n\r\n";

bool Line_break_at(const std::wstring& text, std::size_t pos) {
    return std::wstring_view(text).substr(pos).starts_with(kLineBreak);
}

// Where the others section begins: past the marker and the line break behind it.
std::size_t Others_start(const std::wstring& text, std::size_t marker) {
    return std::min(text.size(), marker + kOthersMarker.size() + kLineBreak.size());
}

// Appends the lines of text[begin, end) to entries; a line break that ends the range adds
// no entry after it.
void Cut_lines(const std::wstring& text, std::size_t begin, std::size_t end,
               std::vector<std::wstring>& entries) {
    std::size_t pos = begin;
    while (pos < end) {
        const std::size_t lineEnd = std::min(text.find(kLineBreak, pos), end);
        entries.push_back(text.substr(pos, lineEnd - pos));
        pos = lineEnd + kLineBreak.size();
    }
}

}  // namespace

std::size_t Find_others_marker(const std::wstring& text) {
    const auto lineEnd = [&](std::size_t end) {
        return end == text.size() || Line_break_at(text, end);
    };
    // A marker behind a line break is looked for first; one at the very start of the text counts
    // only when there is none.
    for (std::size_t pos = text.find(kOthersMarker, kLineBreak.size()); pos != std::wstring::npos;
         pos = text.find(kOthersMarker, pos + 1)) {
        if (Line_break_at(text, pos - kLineBreak.size()) && lineEnd(pos + kOthersMarker.size())) {
            return pos;
        }
    }
    const bool atStart = text.starts_with(kOthersMarker) && lineEnd(kOthersMarker.size());
    return atStart ? 0 : std::wstring::npos;
}

AddonListEntries Split_addonlist(const std::wstring& text) {
    AddonListEntries entries;
    const std::size_t marker = Find_others_marker(text);
    if (marker == std::wstring::npos) {
        Cut_lines(text, 0, text.size(), entries.addons);
        return entries;
    }
    // The line break in front of the marker belongs to the marker line.
    const std::size_t addonsEnd = marker == 0 ? 0 : marker - kLineBreak.size();
    Cut_lines(text, 0, addonsEnd, entries.addons);
    Cut_lines(text, Others_start(text, marker), text.size(), entries.others);
    return entries;
}

std::wstring Join_addonlist(const std::vector<std::wstring>& addons,
                            const std::vector<std::wstring>& others) {
    std::size_t size = kOthersMarker.size();
    for (const auto* section : {&addons, &others}) {
        for (const std::wstring& entry : *section) {
            size += entry.size() + kLineBreak.size();
        }
    }
    std::wstring text;
    text.reserve(size);
    for (const std::wstring& entry : addons) {
        if (&entry != &addons.front()) {
            text.append(kLineBreak);
        }
        text.append(entry);
    }
    if (others.empty()) {
        return text;
    }
    // Without add-on entries the marker goes behind a line break too when an other entry is
    // itself a marker line, which would otherwise be found first.
    if (!text.empty() || std::ranges::find(others, kOthersMarker) != others.end()) {
        text.append(kLineBreak);
    }
    text.append(kOthersMarker);
    for (const std::wstring& entry : others) {
        text.append(kLineBreak).append(entry);
    }
    return text;
}

std::wstring Compose_listfile(const std::wstring& text) {
    const std::size_t marker = Find_others_marker(text);
    if (marker == std::wstring::npos) {
        return text;
    }
    const std::wstring_view before = std::wstring_view(text).substr(0, marker);
    // One empty line in front of the marker, which the reader absorbs; add a line break only
    // where it is missing, so that saving a loaded list again changes nothing.
    const bool hasEmptyLine = before == kLineBreak || before.ends_with(kEmptyLine);
    std::wstring content;
    content.reserve(text.size() + 2 * kLineBreak.size());
    content.append(before);
    if (!hasEmptyLine) {
        content.append(kLineBreak);
    }
    content.append(kOthersMarker).append(kLineBreak).append(text, Others_start(text, marker));
    return content;
}

}  // namespace brelvik
