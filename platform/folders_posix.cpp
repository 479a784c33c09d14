#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "platform/codepage.h"
#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

// Names and paths are UTF-8 bytes on the system, as for every file operation.
std::string Native(const std::wstring& path) {
    return To_utf8(path);
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

// One pass over a folder: the visible names of one kind whose names end in ending.
std::vector<std::wstring> Read_folder(const std::wstring& folder, Kind kind,
                                      const std::wstring& ending) {
    const std::string native = Native(folder);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(native.c_str()), ::closedir);
    if (!dir) {
        throw Last_error(folder);
    }
    std::vector<std::wstring> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.') {
            continue;  // hidden, and the . and .. entries
        }
        const std::optional<std::wstring> name = From_utf8(entry->d_name);
        if (name && Ends_with_ignoring_case(*name, ending) && Kind_of(native, *entry) == kind) {
            names.push_back(*name);
        }
    }
    if (errno != 0) {
        throw Last_error(folder);
    }
    Sort_ignoring_case(names);
    return names;
}

bool Is_folder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::vector<std::wstring> List_drives() {
    std::vector<std::wstring> drives{L"/"};
    std::ifstream mounts("/proc/self/mounts");
    const std::string table{std::istreambuf_iterator<char>(mounts), {}};
    for (const std::string& volume : User_volumes(table)) {
        const std::optional<std::wstring> name = From_utf8(volume);
        if (name && Is_folder(volume)) {
            drives.push_back(*name);
        }
    }
    return drives;
}

std::wstring Drive_folder(const std::wstring& drive) {
    return drive;
}

std::wstring Current_folder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    const std::optional<std::wstring> name = From_utf8(folder.native());
    return error || !name ? L"/" : *name;
}

std::vector<std::wstring> List_subfolders(const std::wstring& folder) {
    return Read_folder(folder, Kind::kFolder, L"");
}

std::vector<std::wstring> List_files(const std::wstring& folder, const std::wstring& extension) {
    return Read_folder(folder, Kind::kFile, extension);
}

}  // namespace brelvik
