#include <gtest/gtest.h>

#include <map>
#include <string>

#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"

namespace brelvik {
namespace {

class MemoryFiles : public ListFileIO {
  public:
    std::wstring Read_text(const std::wstring& path) override { return files.at(path); }
    void Replace_text(const std::wstring& path, const std::wstring& text) override {
        files[path] = text;
    }
    std::map<std::wstring, std::wstring> files;
};

TEST(Listfile, SavingALoadedListAgainChangesNothing) {
    MemoryFiles files;
    const std::wstring text =
        L"C:\\m\\tank.pbo\r\nC:\\m\\tank.txt\r\n/others/\r\nC:\\m\\readme.doc";
    Write_listfile(files, L"release.txta", text);
    const std::wstring content =
        L"C:\\m\\tank.pbo\r\nC:\\m\\tank.txt\r\n\r\n/others/\r\nC:\\m\\readme.doc";
    EXPECT_EQ(files.files[L"release.txta"], content);

    const std::wstring loaded = Read_listfile(files, L"release.txta");
    EXPECT_EQ(loaded, content);
    EXPECT_EQ(Split_addonlist(loaded).addons, Split_addonlist(text).addons);
    EXPECT_EQ(Split_addonlist(loaded).others, Split_addonlist(text).others);

    Write_listfile(files, L"again.txta", loaded);
    EXPECT_EQ(files.files[L"again.txta"], content);
}

}  // namespace
}  // namespace brelvik
