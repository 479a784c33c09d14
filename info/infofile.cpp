#include "info/infofile.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

namespace brelvik {

namespace {

struct TagField {
    std::wstring InfoFields::*field;
    std::wstring_view tag;
    std::wstring_view placeholder;
};

// In the order they are written and read.
constexpr std::array<TagField, 6> kTagFields{{
    {&InfoFields::units, L"/x/units", L"No entry"},
    {&InfoFields::info, L"/x/info", L"No entry"},
    {&InfoFields::comment, L"/x/comment", L"No entry"},
    {&InfoFields::author, L"/x/author", L"No entry"},
    {&InfoFields::version, L"/x/version", L"-"},
    {&InfoFields::reqversion, L"/x/reqversion", L"-"},
}};

constexpr std::wstring_view kTagPrefix = L"/x/";
constexpr std::wstring_view kLineBreak = L"\r\n";
constexpr std::wstring_view kHeading = L"DIZUV Information";
constexpr std::size_t kRuleLength = 53;
// The line breaks that stand between the readme and the rule in a composed text.
constexpr std::size_t kReadmeGap = 4;

const std::wstring& Marker() {
    static const std::wstring marker =
        std::wstring(kRuleLength, L'=') + std::wstring(kLineBreak) + std::wstring(kHeading);
    return marker;
}

bool Is_set(const std::wstring& text, std::wstring_view placeholder) {
    return !text.empty() && text != placeholder;
}

std::size_t Find_marker(const std::wstring& text) {
    const std::wstring& marker = Marker();
    const std::boyer_moore_searcher searcher(marker.begin(), marker.end());
    const auto found = std::search(text.begin(), text.end(), searcher);
    return found == text.end() ? std::wstring::npos : std::size_t(found - text.begin());
}

std::wstring Readme_of(const std::wstring& text) {
    const std::size_t marker = Find_marker(text);
    if (marker == std::wstring::npos) {
        return {};
    }
    // A marker too close to the start to have the gap in front keeps what stands before it.
    return text.substr(0, marker >= kReadmeGap ? marker - kReadmeGap : marker);
}

// Where each tag first occurs, in one pass over the tag prefixes of the text.
std::array<std::size_t, kTagFields.size()> First_tags(const std::wstring& text) {
    std::array<std::size_t, kTagFields.size()> first;
    first.fill(std::wstring::npos);
    std::size_t missing = first.size();
    for (std::size_t pos = text.find(kTagPrefix); pos != std::wstring::npos && missing > 0;
         pos = text.find(kTagPrefix, pos + 1)) {
        const std::wstring_view rest = std::wstring_view(text).substr(pos);
        for (std::size_t i = 0; i < kTagFields.size(); ++i) {
            if (first[i] == std::wstring::npos && rest.starts_with(kTagFields[i].tag)) {
                first[i] = pos;
                --missing;
                break;
            }
        }
    }
    return first;
}

// A value runs from its start to the next tag prefix, or to the end of the text. A value that
// ends in "/x" runs into the prefix of the tag behind it ("/x" + "/x/..." reads "/x/x/..."), so
// of prefixes that overlap that way the last one is the tag's.
std::wstring Value_at(const std::wstring& text, std::size_t start, std::size_t searchFrom) {
    // "/x/" can start again at its own last character.
    constexpr std::size_t kOverlapStep = kTagPrefix.size() - 1;
    std::size_t end = text.find(kTagPrefix, searchFrom);
    while (end != std::wstring::npos &&
           std::wstring_view(text).substr(end + kOverlapStep).starts_with(kTagPrefix)) {
        end += kOverlapStep;
    }
    return text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

}  // namespace

ComposedInfo Compose_infotext(const InfoFields& fields) {
    ComposedInfo composed;
    std::wstring tags;
    for (const TagField& tagField : kTagFields) {
        const std::wstring& value = fields.*tagField.field;
        if (Is_set(value, tagField.placeholder)) {
            tags.append(tagField.tag).append(value);
        } else if (tagField.field == &InfoFields::reqversion) {
            composed.reqVersionMissing = true;
        }
    }
    if (tags.empty()) {
        return composed;
    }
    const std::wstring& marker = Marker();
    composed.text.reserve(fields.readme.size() + 2 * kLineBreak.size() + marker.size() +
                          kLineBreak.size() + tags.size());
    composed.text.append(fields.readme)
        .append(kLineBreak)
        .append(kLineBreak)
        .append(marker)
        .append(kLineBreak)
        .append(tags);
    return composed;
}

InfoFields Parse_infotext(const std::wstring& text) {
    InfoFields fields;
    fields.readme = Readme_of(text);
    const auto first = First_tags(text);
    for (std::size_t i = 0; i < kTagFields.size(); ++i) {
        const TagField& tagField = kTagFields[i];
        std::wstring& value = fields.*tagField.field;
        if (first[i] == std::wstring::npos) {
            value = tagField.placeholder;
            continue;
        }
        const std::size_t start = first[i] + tagField.tag.size();
        // The info value's end is looked for one character late, so a leading prefix stays in it.
        const bool lateSearch = tagField.field == &InfoFields::info;
        value = Value_at(text, start, start + (lateSearch ? 1 : 0));
    }
    return fields;
}

std::wstring Addon_stem(const std::wstring& addonName) {
    const std::size_t extension = std::min<std::size_t>(4, addonName.size());
    return addonName.substr(0, addonName.size() - extension);
}

std::wstring Info_name(const std::wstring& addonName) {
    return Addon_stem(addonName) + L".txt";
}

}  // namespace brelvik
