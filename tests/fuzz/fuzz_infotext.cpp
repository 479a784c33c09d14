// Parse_infotext on any text, and compose-then-parse on any fields.

#include <array>
#include <string>
#include <vector>

#include "info/infofile.h"
#include "tests/fuzz/fuzz_check.h"

namespace brelvik::fuzz {
namespace {

using Member = std::wstring InfoFields::*;

struct TagField {
    Member member;
    const wchar_t* placeholder;
};

constexpr std::array<TagField, 6> kTagFields{{
    {&InfoFields::units, L"No entry"},
    {&InfoFields::info, L"No entry"},
    {&InfoFields::comment, L"No entry"},
    {&InfoFields::author, L"No entry"},
    {&InfoFields::version, L"-"},
    {&InfoFields::reqversion, L"-"},
}};

constexpr std::array<Member, 7> kAllFields{
    &InfoFields::units,   &InfoFields::info,       &InfoFields::comment, &InfoFields::author,
    &InfoFields::version, &InfoFields::reqversion, &InfoFields::readme};

const std::wstring kMarker = std::wstring(53, L'=') + L"\r\nDIZUV Information";

// Whatever the text, the readme is a prefix of it and every field a piece of it or its
// placeholder.
void Check_parse(const std::wstring& text) {
    const InfoFields fields = Parse_infotext(text);
    Require(text.starts_with(fields.readme), "the readme is the start of the text");
    for (const TagField& tagField : kTagFields) {
        const std::wstring& value = fields.*tagField.member;
        Require(value == tagField.placeholder || text.find(value) != std::wstring::npos,
                "a field is its placeholder or a piece of the text");
    }
}

// The seven fields are the text's pieces, in declaration order.
InfoFields Fields_of(const std::wstring& text) {
    const std::vector<std::wstring> pieces = Pieces(text);
    InfoFields fields;
    for (std::size_t i = 0; i < kAllFields.size() && i < pieces.size(); ++i) {
        fields.*kAllFields[i] = pieces[i];
    }
    return fields;
}

bool Holds_tag_prefix_or_marker(const std::wstring& value) {
    return value.find(L"/x/") != std::wstring::npos || value.find(kMarker) != std::wstring::npos;
}

void Check_round_trip(const InfoFields& fields) {
    for (Member member : kAllFields) {
        if (Holds_tag_prefix_or_marker(fields.*member)) {
            return;
        }
    }
    const ComposedInfo composed = Compose_infotext(fields);
    if (composed.text.empty()) {
        return;
    }
    const InfoFields parsed = Parse_infotext(composed.text);
    Require(parsed.readme == fields.readme, "the readme comes back");
    for (const TagField& tagField : kTagFields) {
        const std::wstring& written = fields.*tagField.member;
        const std::wstring& expected = written.empty() ? tagField.placeholder : written;
        Require(parsed.*tagField.member == expected, "every field comes back");
    }
}

}  // namespace
}  // namespace brelvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace brelvik::fuzz;
    const std::wstring text = Text(data, size);
    Check_parse(text);
    Check_round_trip(Fields_of(text));
    return 0;
}
