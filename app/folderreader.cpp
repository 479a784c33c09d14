#include "app/folderreader.h"

#include "platform/folders.h"

namespace brelvik {
namespace {

const std::wstring kAddonExtension = L".pbo";

}  // namespace

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
