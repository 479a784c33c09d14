// Finding and setting values in a store read by Parse_store, rewriting only what changes.
#include <cwchar>
#include <cwctype>
#include <optional>

#include "platform/settings_store.h"

namespace brelvik {

namespace {

bool Same_name(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::wstring Quote(std::wstring_view text) {
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        if (c == L'\\' || c == L'"') {
            quoted += L'\\';
        }
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring Format_value(std::wstring_view name, const StoreValue& value) {
    std::wstring line = name.empty() ? L"@" : Quote(name);
    line += L"=";
    if (value.kind == StoreValue::Kind::Dword) {
        wchar_t digits[9];
        swprintf(digits, 9, L"%08x", static_cast<std::uint32_t>(value.number));
        return line + L"dword:" + digits;
    }
    return line + Quote(value.text);
}

std::wstring Line_end_of(const std::wstring& raw) {
    if (raw.ends_with(L"\r\n")) {
        return L"\r\n";
    }
    return raw.ends_with(L"\n") ? L"\n" : L"";
}

}  // namespace

bool Has_key(const Store& store, std::wstring_view keyPath) {
    for (const StoreEntry& entry : store.entries) {
        if (entry.kind == StoreEntry::Kind::Section && Same_name(entry.name, keyPath)) {
            return true;
        }
    }
    return false;
}

const StoreValue* Find_value(const Store& store, std::wstring_view keyPath,
                             std::wstring_view name) {
    const StoreValue* found = nullptr;
    bool inKey = false;
    for (const StoreEntry& entry : store.entries) {
        if (entry.kind == StoreEntry::Kind::Section) {
            inKey = Same_name(entry.name, keyPath);
        } else if (entry.kind == StoreEntry::Kind::Value && inKey && Same_name(entry.name, name)) {
            found = &entry.value;
        }
    }
    return found;
}

bool Set_value(Store& store, std::wstring_view keyPath, std::wstring_view name,
               const StoreValue& value) {
    std::optional<std::size_t> match;
    std::optional<std::size_t> lastOfKey;
    bool inKey = false;
    for (std::size_t i = 0; i < store.entries.size(); ++i) {
        const StoreEntry& entry = store.entries[i];
        if (entry.kind == StoreEntry::Kind::Section) {
            inKey = Same_name(entry.name, keyPath);
        }
        if (entry.kind == StoreEntry::Kind::Other || !inKey) {
            continue;
        }
        lastOfKey = i;
        if (entry.kind == StoreEntry::Kind::Value && Same_name(entry.name, name)) {
            match = i;
        }
    }
    if (match) {
        StoreEntry& entry = store.entries[*match];
        entry.raw = Format_value(entry.name, value) + Line_end_of(entry.raw);
        entry.value = value;
        return true;
    }
    if (!lastOfKey) {
        return false;
    }
    std::wstring& before = store.entries[*lastOfKey].raw;
    if (!before.ends_with(L"\n")) {
        before += store.newline;
    }
    const StoreEntry added{StoreEntry::Kind::Value, Format_value(name, value) + store.newline,
                           std::wstring(name), value};
    store.entries.insert(store.entries.begin() + static_cast<std::ptrdiff_t>(*lastOfKey) + 1,
                         added);
    return true;
}

void Add_key(Store& store, std::wstring_view keyPath) {
    if (Has_key(store, keyPath)) {
        return;
    }
    if (!store.entries.empty() && Line_end_of(store.entries.back().raw).empty()) {
        store.entries.back().raw += store.newline;
    }
    const std::wstring key(keyPath);
    store.entries.push_back({StoreEntry::Kind::Other, store.newline, {}, {}});
    store.entries.push_back(
        {StoreEntry::Kind::Section, L"[" + key + L"]" + store.newline, key, {}});
}

}  // namespace brelvik
