#include "platform/standin_packer.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <system_error>
#include <variant>

#include "build_info.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/settings_store.h"

namespace brelvik {

namespace {

namespace fs = std::filesystem;

const std::wstring kPackerKeys[] = {L"HKEY_CLASSES_ROOT\\WinRAR\\DefaultIcon",
                                    L"HKEY_CLASSES_ROOT\\WinZip\\DefaultIcon"};

// Beside the program in a build folder; in the private folder once installed.
std::optional<fs::path> Find_standin(const fs::path& programFolder) {
    for (const fs::path& folder : {programFolder, programFolder / BRELVIK_PRIVATE_FOLDER}) {
        const fs::path program = (folder / "brelvik-pack").lexically_normal();
        if (::access(program.c_str(), X_OK) == 0) {
            return program;
        }
    }
    return std::nullopt;
}

bool Holds_packer_entry(const Store& store) {
    for (const std::wstring& key : kPackerKeys) {
        if (Has_key(store, key)) {
            return true;
        }
    }
    return false;
}

// An entry naming a stand-in archiver that is gone. A file that cannot be looked at is not
// known to be gone, and its entry stays.
bool Is_stale(const StoreValue* value, const ProgramOfEntry& programOf) {
    if (value == nullptr || value->kind != StoreValue::Kind::String) {
        return false;
    }
    const std::optional<std::wstring> program = programOf(value->text);
    if (!program) {
        return false;
    }
    const fs::path path(To_native(*program));
    if (path.filename() != "brelvik-pack" && path.filename() != "wzzip.exe") {
        return false;
    }
    std::error_code error;
    return !fs::exists(path, error) && !error;
}

// True when the store changed.
bool Lead_entries_to(Store& store, const StoreValue& entry, const ProgramOfEntry& programOf) {
    if (!Holds_packer_entry(store)) {
        for (const std::wstring& key : kPackerKeys) {
            Add_key(store, key);
            Set_value(store, key, L"", entry);
        }
        return true;
    }
    bool changed = false;
    for (const std::wstring& key : kPackerKeys) {
        if (Is_stale(Find_value(store, key, L""), programOf)) {
            changed = Set_value(store, key, L"", entry) || changed;
        }
    }
    return changed;
}

}  // namespace

std::wstring Find_own_packer(const fs::path& programFolder) {
    const std::optional<fs::path> program = Find_standin(programFolder);
    return program ? Path_text(*program) : std::wstring();
}

fs::path Program_folder() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path();
}

void Offer_standin_packer(const fs::path& storePath, const fs::path& programFolder,
                          const ProgramOfEntry& programOf) {
    const std::optional<fs::path> program = Find_standin(programFolder);
    if (!program) {
        return;
    }
    const std::wstring store_path = Path_text(storePath);
    try {
        if (!File_exists(store_path)) {
            return;
        }
        auto parsed = Parse_store(Read_bytes(store_path));
        Store* store = std::get_if<Store>(&parsed);
        const StoreValue entry{StoreValue::Kind::String, Path_text(*program) + L",0", 0};
        if (store != nullptr && Lead_entries_to(*store, entry, programOf)) {
            Replace_bytes(store_path, Serialize_store(*store));
        }
    } catch (const PlatformError& error) {
        std::fprintf(stderr, "brelvik: cannot write the packer entries to %s: %s\n",
                     To_utf8(error.Path()).c_str(), To_utf8(error.System_text()).c_str());
    }
}

}  // namespace brelvik
