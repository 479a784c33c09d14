#pragma once

#include <string>

namespace brelvik {

struct InfoFields {
    std::wstring units, info, comment, author, version, reqversion, readme;
};

struct ComposedInfo {
    std::wstring text;
    bool reqVersionMissing = false;
};

// The text of an info file for the seven fields; empty when no tag field is set.
ComposedInfo Compose_infotext(const InfoFields& fields);

// Splits the text of an info file; parts the text lacks come back as placeholders.
InfoFields Parse_infotext(const std::wstring& text);

// The name of the info file beside an add-on: its name less the last four characters, ".txt".
std::wstring Info_name(const std::wstring& addonName);

// The add-on's name less its last four characters (all of a shorter name).
std::wstring Addon_stem(const std::wstring& addonName);

}  // namespace brelvik
