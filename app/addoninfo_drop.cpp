#include "app/addoninfo.h"
#include "app/folderreader.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/pathsep.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

enum class DropAction { kNone, kLoadList, kOpenFolder, kOpenAddon, kAddAddon, kAddOther };

DropAction Drop_action(const std::wstring& path, DropTarget target) {
    const bool folder = Folder_exists(path);
    const bool addon = !folder && Ends_with_ignoring_case(path, kAddonExtension);
    if (!folder && Ends_with_ignoring_case(path, kListExtension)) {
        return DropAction::kLoadList;
    }
    switch (target) {
        case DropTarget::kFolderList:
            return folder ? DropAction::kOpenFolder
                          : (addon ? DropAction::kOpenAddon : DropAction::kNone);
        case DropTarget::kAddonList:
            return addon ? DropAction::kAddAddon : DropAction::kNone;
        case DropTarget::kOtherFiles:
            return folder ? DropAction::kNone : DropAction::kAddOther;
        case DropTarget::kWindow:
            break;
    }
    return DropAction::kNone;
}

}  // namespace

// Each path is a procedure of its own, as if the user had run the command for each: a failure
// ends that one and shows its message, and the next path still gets its turn.
void AddonInfo::Drop(const std::vector<std::wstring>& paths, DropTarget target) {
    for (const std::wstring& dropped : paths) {
        Run([this, &dropped, target] {
            const std::wstring path = Full_path(dropped);
            const std::size_t separator = path.find_last_of(kPathSeparators);
            switch (Drop_action(path, target)) {
                case DropAction::kLoadList:
                    Load_listfile(path);
                    break;
                case DropAction::kOpenFolder:
                    Open_folder(path);
                    break;
                case DropAction::kOpenAddon:
                    Open_addon(path);
                    break;
                case DropAction::kAddAddon:
                    Add_addon(path.substr(0, separator), path.substr(separator + 1));
                    break;
                case DropAction::kAddOther:
                    Add_other_file(path);
                    break;
                case DropAction::kNone:
                    break;
            }
        });
    }
}

bool AddonInfo::Drop_applies(const std::vector<std::wstring>& paths, DropTarget target) {
    for (const std::wstring& path : paths) {
        try {
            if (Drop_action(Full_path(path), target) != DropAction::kNone) {
                return true;
            }
        } catch (const PlatformError&) {
            // A path that cannot be looked at is not taken.
        }
    }
    return false;
}

}  // namespace brelvik
