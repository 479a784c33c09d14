#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/codepage.h"
#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

// Names and paths are the system's bytes, as for every file operation.
std::string Native(const std::wstring& path) {
    return To_native(path);
}

enum class Kind { kFolder, kFile, kOther };

Kind Kind_of(const std::string& folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) {
        return Kind::kFolder;
    }
    if (entry.d_type == DT_REG) {
        return Kind::kFile;
    }
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) {
        return Kind::kOther;
    }
    struct stat info {};
    if (::stat((folder + "/" + entry.d_name).c_str(), &info) != 0) {
        return Kind::kOther;
    }
    return S_ISDIR(info.st_mode)   ? Kind::kFolder
           : S_ISREG(info.st_mode) ? Kind::kFile
                                   : Kind::kOther;
}

bool Is_folder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

using FolderHandle = std::unique_ptr<DIR, int (*)(DIR*)>;

FolderHandle Open_folder(const std::wstring& folder) {
    FolderHandle dir(::opendir(Native(folder).c_str()), ::closedir);
    if (!dir) {
        throw Last_error(folder);
    }
    return dir;
}

}  // namespace

std::vector<std::wstring> List_drives() {
    std::vector<std::wstring> drives{L"/"};
    std::ifstream mounts("/proc/self/mounts");
    const std::string table{std::istreambuf_iterator<char>(mounts), {}};
    for (const std::string& volume : User_volumes(table)) {
        if (Is_folder(volume)) {
            drives.push_back(From_native(volume));
        }
    }
    return drives;
}

std::wstring Drive_folder(const std::wstring& drive) {
    return drive;
}

std::wstring Stored_folder_drive(const std::wstring& folder) {
    return folder.starts_with(L'/') ? Drive_of(folder, List_drives()) : std::wstring();
}

// Lexically, as a shell's cd does: a link followed by ".." is not resolved.
std::wstring Full_path(const std::wstring& path) {
    std::filesystem::path full = Native(path);
    if (full.is_relative()) {
        full = std::filesystem::path(Native(Current_folder())) / full;
    }
    std::string text = full.lexically_normal().native();
    while (text.size() > 1 && text.ends_with('/')) {
        text.pop_back();
    }
    return From_native(text);
}

std::wstring Current_folder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? L"/" : From_native(folder.native());
}

void Check_folder(const std::wstring& folder) {
    Open_folder(folder);
}

FolderEntries List_folder(const std::wstring& folder, const std::wstring& extension) {
    const std::string native = Native(folder);
    const FolderHandle dir = Open_folder(folder);
    FolderEntries entries;
    // readdir reports its failure only through errno, which the work on each entry may set.
    for (errno = 0; const dirent* entry = ::readdir(dir.get()); errno = 0) {
        if (entry->d_name[0] == '.') {
            continue;  // hidden, and the . and .. entries
        }
        std::wstring name = From_native(entry->d_name);
        const Kind kind = Kind_of(native, *entry);
        if (kind == Kind::kFolder) {
            entries.subfolders.push_back(std::move(name));
        } else if (kind == Kind::kFile && Ends_with_ignoring_case(name, extension)) {
            entries.files.push_back(std::move(name));
        }
    }
    if (errno != 0) {
        throw Last_error(folder);
    }
    Sort_ignoring_case(entries.subfolders);
    Sort_ignoring_case(entries.files);
    return entries;
}

}  // namespace brelvik
