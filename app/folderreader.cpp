#include "app/folderreader.h"

#include "platform/folders.h"
#include "platform/pathsep.h"

namespace brelvik {
namespace {

bool Is_drive(const std::wstring& path) {
    return path.size() == 2 && path[1] == L':';
}

}  // namespace

std::wstring Folder_to_show(const std::wstring& path) {
    std::wstring folder = Is_drive(path) ? Drive_folder(path) : path;
    const std::size_t root = folder.find(kPathSeparator);
    while (folder.size() > root + 1 && folder.back() == kPathSeparator) {
        folder.pop_back();
    }
    return folder;
}

std::vector<std::wstring> Folder_chain(const std::wstring& path) {
    const std::size_t root = path.find(kPathSeparator);
    if (root == std::wstring::npos) {
        return {path};
    }
    std::vector<std::wstring> chain{path.substr(0, root + 1)};
    for (std::size_t end = path.find(kPathSeparator, root + 1); end != std::wstring::npos;
         end = path.find(kPathSeparator, end + 1)) {
        chain.push_back(path.substr(0, end));
    }
    if (path.size() > root + 1) {
        chain.push_back(path);
    }
    return chain;
}

std::wstring Subfolder_path(const std::wstring& folder, const std::wstring& name) {
    return folder.back() == kPathSeparator ? folder + name : folder + kPathSeparator + name;
}

std::vector<std::wstring> FolderReader::Subfolders(const std::wstring& folder) {
    FolderEntries entries = List_folder(folder, kAddonExtension);
    kept_.emplace(folder, std::move(entries.files));
    return std::move(entries.subfolders);
}

std::vector<std::wstring> FolderReader::Addon_files(const std::wstring& folder) {
    if (kept_ && kept_->first == folder) {
        std::vector<std::wstring> files = std::move(kept_->second);
        kept_.reset();
        return files;
    }
    kept_.reset();
    return List_files(folder, kAddonExtension);
}

}  // namespace brelvik
