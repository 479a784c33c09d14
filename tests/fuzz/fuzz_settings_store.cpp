// The settings-store parser on any bytes, and writing a store back after setting values.

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "platform/codepage.h"
#include "platform/settings_store.h"
#include "tests/fuzz/fuzz_check.h"

namespace brelvik::fuzz {
namespace {

// Enough to reach every kind of value a small input holds, without quadratic slowness.
constexpr std::size_t kMostTracked = 32;

struct Address {
    std::wstring key, name;
};

// Texts of a UTF-8 store are the system's bytes: bytes that were no UTF-8 apart may form UTF-8
// once joined, and then read back as other characters of the same bytes. A UTF-16 store keeps
// every unit.
std::wstring Reread(const Store& store, std::wstring_view text) {
    return store.utf16 ? std::wstring(text) : From_native(To_native(text));
}

bool Same_value(const Store& store, const StoreValue* a, const StoreValue* b) {
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    return a->kind == b->kind && Reread(store, a->text) == Reread(store, b->text) &&
           a->number == b->number;
}

std::vector<Address> Addresses(const Store& store) {
    std::vector<Address> addresses;
    std::wstring key;
    for (const StoreEntry& entry : store.entries) {
        if (entry.kind == StoreEntry::Kind::Section) {
            key = entry.name;
        } else if (entry.kind == StoreEntry::Kind::Value && addresses.size() < kMostTracked) {
            addresses.push_back({key, entry.name});
        }
    }
    return addresses;
}

// Writing the store and reading it again gives the same value at every address.
void Check_written_back(const Store& store, const std::vector<Address>& addresses) {
    const auto reread = Parse_store(Serialize_store(store));
    const Store* again = std::get_if<Store>(&reread);
    Require(again != nullptr, "a written store reads again");
    for (const Address& address : addresses) {
        Require(
            Same_value(store, Find_value(store, address.key, address.name),
                       Find_value(*again, Reread(store, address.key), Reread(store, address.name))),
            "a value reads back as written");
    }
}

// Texts the input itself carries, used as names and values to set: they hold whatever quotes,
// backslashes and line breaks the fuzzer put into the file.
std::vector<std::wstring> Texts_of(const Store& store) {
    std::vector<std::wstring> texts{L"VDRFC"};
    for (const StoreEntry& entry : store.entries) {
        if (entry.kind == StoreEntry::Kind::Value && texts.size() < 4) {
            texts.push_back(entry.value.text + entry.name);
        }
    }
    return texts;
}

void Check_setting(Store store) {
    const auto section = std::find_if(store.entries.rbegin(), store.entries.rend(),
                                      [](auto& e) { return e.kind == StoreEntry::Kind::Section; });
    if (section == store.entries.rend()) {
        return;
    }
    const std::wstring key = section->name;
    std::vector<Address> addresses = Addresses(store);
    for (const std::wstring& text : Texts_of(store)) {
        const StoreValue values[] = {{StoreValue::Kind::String, text, 0},
                                     {StoreValue::Kind::Dword, {}, std::int32_t(text.size()) - 3}};
        for (const StoreValue& value : values) {
            Require(Set_value(store, key, text, value), "a value is set where the key exists");
            Require(Same_value(store, Find_value(store, key, text), &value),
                    "a set value is found");
            addresses.push_back({key, text});
            Check_written_back(store, addresses);
        }
    }
}

std::size_t Line_count(std::string_view bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
}

}  // namespace
}  // namespace brelvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace brelvik;
    using namespace brelvik::fuzz;
    const std::string_view bytes = Bytes(data, size);
    const auto parsed = Parse_store(bytes);
    if (const StoreError* error = std::get_if<StoreError>(&parsed)) {
        Require(error->line >= 1 && error->line <= Line_count(bytes), "an error names a line");
        Require(!error->reason.empty(), "an error gives a reason");
        return 0;
    }
    const Store& store = std::get<Store>(parsed);
    Require(Serialize_store(store) == bytes, "a store read comes back byte for byte");
    Check_written_back(store, Addresses(store));
    Check_setting(store);
    return 0;
}
