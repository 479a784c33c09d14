#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cwctype>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/platform_error.h"
#include "platform/regaccess.h"
#include "platform/settings_store.h"

namespace brelvik {

namespace {

// The codes the registry gives for the same conditions, so callers see the same results.
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::int32_t kErrorInvalidData = 13;
constexpr std::int32_t kErrorWriteFault = 29;

// The store is a few lines; anything this large is not one, and is not read into memory.
constexpr std::uint64_t kMaxStoreBytes = 8u << 20;

const std::wstring kLastFolderKey = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun";

std::optional<std::wstring> Root_name(std::uint32_t root) {
    switch (root) {
        case 0x80000000u:
            return L"HKEY_CLASSES_ROOT";
        case 0x80000001u:
            return L"HKEY_CURRENT_USER";
        case 0x80000002u:
            return L"HKEY_LOCAL_MACHINE";
        case 0x80000003u:
            return L"HKEY_USERS";
        case 0x80000005u:
            return L"HKEY_CURRENT_CONFIG";
        default:
            return std::nullopt;
    }
}

// Where a registry editor on 64-bit Windows exports the HKEY_LOCAL_MACHINE\SOFTWARE keys of
// 32-bit programs, the game's among them; nothing for a path elsewhere.
std::optional<std::wstring> Wow64_path(const std::wstring& fullPath) {
    static const std::wstring kSoftware = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\";
    if (fullPath.size() <= kSoftware.size() ||
        !std::equal(kSoftware.begin(), kSoftware.end(), fullPath.begin(), [](wchar_t a, wchar_t b) {
            return std::towupper(static_cast<wint_t>(a)) == std::towupper(static_cast<wint_t>(b));
        })) {
        return std::nullopt;
    }
    return kSoftware + L"Wow6432Node\\" + fullPath.substr(kSoftware.size());
}

// Says a problem with the store on standard error, once per process for each distinct text:
// the store is read on every call, and one line is enough for the user.
void Report_once(const std::wstring& text) {
    static std::mutex mutex;
    static std::set<std::wstring> reported;
    const std::lock_guard lock(mutex);
    if (reported.insert(text).second) {
        std::fprintf(stderr, "brelvik: %s\n", To_utf8(text).c_str());
    }
}

// What tells one version of the store file from another: every write changes the change time,
// and a rename the identity. The clock that stamps files ticks in milliseconds, so a stamp
// younger than kSettled may hide a later write and is not trusted.
constexpr std::int64_t kSettled = 1'000'000'000;  // nanoseconds

struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modified = 0;  // nanoseconds
    std::int64_t changed = 0;
    bool operator==(const FileStamp&) const = default;
};

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

std::optional<FileStamp> Stamp_of(const std::wstring& path) {
    struct stat info {};
    if (path.empty() || ::stat(To_native(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileStamp{info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
                     Nanoseconds(info.st_ctim)};
}

bool Settled(const FileStamp& stamp) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now) - stamp.changed > kSettled;
}

}  // namespace

struct RegAccess::Impl {
    std::wstring storePath;
    std::vector<std::wstring> openKeys;  // handle n is openKeys[n - 1]; "" is a closed slot
    struct Snapshot {
        FileStamp stamp;
        std::optional<Store> store;
    };
    std::optional<Snapshot> loaded;

    // The store as it is on disk now; nothing when it is missing or cannot be used. Read again
    // only when the file has changed, so that start-up reads it once however many values it
    // looks up, while edits by hand or by another instance are still seen.
    const std::optional<Store>& Load() {
        const std::optional<FileStamp> stamp = Stamp_of(storePath);
        if (!stamp || !loaded || loaded->stamp != *stamp || !Settled(*stamp)) {
            loaded = Snapshot{stamp.value_or(FileStamp{}), Read()};
        }
        return loaded->store;
    }

    std::optional<Store> Read() const {
        try {
            if (storePath.empty() || !File_exists(storePath)) {
                return std::nullopt;
            }
            if (File_length(storePath) > kMaxStoreBytes) {
                Report_once(L"the settings store " + storePath +
                            L" is larger than 8 MiB; it reads as empty and is left as it is");
                return std::nullopt;
            }
            auto parsed = Parse_store(Read_bytes(storePath));
            if (const StoreError* error = std::get_if<StoreError>(&parsed)) {
                Report_once(L"the settings store " + storePath + L", line " +
                            std::to_wstring(error->line) + L": " + error->reason +
                            L"; it reads as empty and is left as it is");
                return std::nullopt;
            }
            return std::get<Store>(std::move(parsed));
        } catch (const PlatformError& error) {
            Report_once(L"cannot read the settings store " + error.Path() + L": " +
                        error.System_text());
            return std::nullopt;
        }
    }

    bool Save(const Store& store) const {
        try {
            Replace_bytes(storePath, Serialize_store(store));
            return true;
        } catch (const PlatformError& error) {
            Report_once(L"cannot save the settings store " + error.Path() + L": " +
                        error.System_text());
            return false;
        }
    }

    // First start: a store holding the last-folder key, so that "Exit" can store the folder.
    void Create_if_missing() const {
        if (storePath.empty()) {
            return;
        }
        const std::filesystem::path path(To_native(storePath));
        std::error_code error;
        if (std::filesystem::exists(path, error) || error) {
            return;
        }
        if (path.has_parent_path()) {
            std::filesystem::create_directories(path.parent_path(), error);
        }
        if (error) {
            Report_once(L"cannot create the folder of the settings store " + storePath + L": " +
                        From_utf8(error.message()).value_or(L""));
            return;
        }
        Save(New_store({kLastFolderKey}));
    }

    const std::wstring* Key_of(KeyHandle key) const {
        if (key == 0 || key > openKeys.size() || openKeys[key - 1].empty()) {
            return nullptr;
        }
        return &openKeys[key - 1];
    }

    std::int32_t Set(KeyHandle key, const std::wstring& name, const StoreValue& value) {
        const std::wstring* keyPath = Key_of(key);
        if (keyPath == nullptr) {
            return kErrorInvalidHandle;
        }
        std::optional<Store> store = Load();  // a copy, changed only once it is saved
        if (!store) {
            return kErrorInvalidData;
        }
        if (!Set_value(*store, *keyPath, name, value)) {
            return kErrorFileNotFound;
        }
        return Save(*store) ? 0 : kErrorWriteFault;
    }
};

RegAccess::RegAccess() : RegAccess(Default_store_path()) {}

RegAccess::RegAccess(const std::filesystem::path& storePath)
    : impl_(std::make_unique<Impl>(Impl{Path_text(storePath), {}, {}})) {
    impl_->Create_if_missing();
}

RegAccess::~RegAccess() = default;

std::wstring RegAccess::Store_path() const {
    return impl_->storePath;
}

KeyHandle RegAccess::Open_key(std::uint32_t root, const std::wstring& keyPath, std::uint32_t) {
    const std::optional<std::wstring> rootName = Root_name(root);
    if (!rootName) {
        return 0;
    }
    std::wstring fullPath = *rootName + L"\\" + keyPath;
    const std::optional<Store>& store = impl_->Load();
    if (!store) {
        return 0;
    }
    if (!Has_key(*store, fullPath)) {
        // An export brought from 64-bit Windows: the key is used, and written, where it lies.
        const std::optional<std::wstring> wow64 = Wow64_path(fullPath);
        if (!wow64 || !Has_key(*store, *wow64)) {
            return 0;
        }
        fullPath = *wow64;
    }
    impl_->openKeys.push_back(fullPath);
    return impl_->openKeys.size();
}

void RegAccess::Close_key(KeyHandle key) {
    if (impl_->Key_of(key) == nullptr) {
        return;
    }
    impl_->openKeys[key - 1].clear();
    while (!impl_->openKeys.empty() && impl_->openKeys.back().empty()) {
        impl_->openKeys.pop_back();
    }
}

std::int32_t RegAccess::Store_string(KeyHandle key, const std::wstring& name,
                                     const std::wstring& text) {
    return impl_->Set(key, name, {StoreValue::Kind::String, text, 0});
}

std::int32_t RegAccess::Store_dword(KeyHandle key, const std::wstring& name, std::int32_t number) {
    return impl_->Set(key, name, {StoreValue::Kind::Dword, {}, number});
}

std::int32_t RegAccess::Read_value(KeyHandle key, const std::wstring& name, RegValue& value) {
    const std::wstring* keyPath = impl_->Key_of(key);
    if (keyPath == nullptr) {
        return kErrorInvalidHandle;
    }
    const std::optional<Store>& store = impl_->Load();
    const StoreValue* found = store ? Find_value(*store, *keyPath, name) : nullptr;
    if (found == nullptr) {
        return kErrorFileNotFound;
    }
    switch (found->kind) {
        case StoreValue::Kind::String:
            // An empty string reads as the registry's zero-byte string does: nothing is set.
            if (!found->text.empty()) {
                value = found->text;
            }
            return 0;
        case StoreValue::Kind::Dword:
            value = found->number;
            return 0;
        default:
            return kUnsupportedType;
    }
}

std::filesystem::path Default_store_path() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (configHome != nullptr && configHome[0] == '/') {
        base = configHome;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        base = std::filesystem::path(home) / ".config";
    } else if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir) {
        base = std::filesystem::path(user->pw_dir) / ".config";
    } else {
        return {};
    }
    return base / "brelvik" / "registry.reg";
}

}  // namespace brelvik
