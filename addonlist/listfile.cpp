#include "addonlist/listfile.h"

#include "addonlist/addonlist.h"

namespace brelvik {

std::wstring Read_listfile(ListFileIO& files, const std::wstring& path) {
    return files.Read_text(path);
}

void Write_listfile(ListFileIO& files, const std::wstring& path, const std::wstring& text) {
    files.Replace_text(path, Compose_listfile(text));
}

}  // namespace brelvik
