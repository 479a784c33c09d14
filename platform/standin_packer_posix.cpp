#include "platform/standin_packer.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <variant>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/settings_store.h"

namespace brelvik {

namespace {

const std::wstring kPackerKeys[] = {L"HKEY_CLASSES_ROOT\\WinRAR\\DefaultIcon",
                                    L"HKEY_CLASSES_ROOT\\WinZip\\DefaultIcon"};

bool Holds_packer_entry(const Store& store) {
    for (const std::wstring& key : kPackerKeys) {
        if (Has_key(store, key)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void Offer_standin_packer(const std::filesystem::path& storePath,
                          const std::filesystem::path& programFolder) {
    const std::filesystem::path program = programFolder / "brelvik-pack";
    if (::access(program.c_str(), X_OK) != 0) {
        return;
    }
    const std::wstring store_path = Path_text(storePath);
    try {
        if (!File_exists(store_path)) {
            return;
        }
        auto parsed = Parse_store(Read_bytes(store_path));
        Store* store = std::get_if<Store>(&parsed);
        if (store == nullptr || Holds_packer_entry(*store)) {
            return;
        }
        const StoreValue entry{StoreValue::Kind::String, Path_text(program) + L",0", 0};
        for (const std::wstring& key : kPackerKeys) {
            Add_key(*store, key);
            Set_value(*store, key, L"", entry);
        }
        Replace_bytes(store_path, Serialize_store(*store));
    } catch (const PlatformError& error) {
        std::fprintf(stderr, "brelvik: cannot add the packer entries to %s: %s\n",
                     To_utf8(error.Path()).c_str(), To_utf8(error.System_text()).c_str());
    }
}

}  // namespace brelvik
