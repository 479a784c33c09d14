#include "app/folderchoice.h"

namespace brelvik {

void FolderChoice::Set_path(const std::wstring& path) {
    const std::wstring target = Folder_to_show(path);
    Fill(target);
    if (target == path_) {
        reader_.Forget();  // no change: the file list is not pointed anywhere
        return;
    }
    path_ = target;
    if (onChange) {
        onChange();
    }
}

void FolderChoice::Show_quietly(const std::wstring& path) {
    Fill(path);
    path_ = path;
}

}  // namespace brelvik
