#pragma once

#include <string>
#include <string_view>

namespace brelvik {

// The alphabetical order of the user's language, letter case ignored, as the lists show their
// entries: a comes before b exactly when Sort_key(a) is less than Sort_key(b), compared as
// bytes. Keys are made once per entry, so that sorting 100,000 names costs no more than sorting
// their keys. Names that differ only in letter case have equal keys; any other two names have
// different ones.
std::string Sort_key(std::wstring_view text);
// Sort_key's bytes appended to out: the keys of many names in one string cost one allocation.
void Append_sort_key(std::string& out, std::wstring_view text);

// Orders by the named locale ("en-US", "sv-SE") from now on, or again by the user's own for "".
void Use_collation_locale(const std::string& name);

// The system's part of Sort_key, appended to out: the collation's own key, ending in one zero
// byte and holding no other, for the locale named (the user's own for "").
void Append_collation_key(std::string& out, std::wstring_view text, const std::string& locale);

}  // namespace brelvik
