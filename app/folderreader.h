#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brelvik {

// The extensions that make a file an add-on or a list file, letter case ignored.
inline const std::wstring kAddonExtension = L".pbo";
inline const std::wstring kListExtension = L".txta";

// Reads a folder once for both browser lists: the folder list's read also keeps the folder's
// add-on files, which the file list takes when it is pointed at that folder next, as the folder
// change that follows does at once.
class FolderReader {
  public:
    // Throws PlatformError when the folder cannot be read.
    std::vector<std::wstring> Subfolders(const std::wstring& folder);
    std::vector<std::wstring> Addon_files(const std::wstring& folder);
    // Drops what was kept, when no change follows that would take it.
    void Forget() { kept_.reset(); }

  private:
    std::optional<std::pair<std::wstring, std::vector<std::wstring>>> kept_;
};

// What every folder list shows, whatever its toolkit.

// The folder a list opens for a full path or a drive text: without a trailing separator except
// at a root.
std::wstring Folder_to_show(const std::wstring& path);
// The folders from the root down to path, each as a full path: "/", "/home", "/home/me".
std::vector<std::wstring> Folder_chain(const std::wstring& path);
// A subfolder's full path; a root already ends in its separator.
std::wstring Subfolder_path(const std::wstring& folder, const std::wstring& name);

}  // namespace brelvik
