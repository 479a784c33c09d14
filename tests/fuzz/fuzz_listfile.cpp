// The one reader of list files on any content: what the window shows and what the packer packs
// agree, no name with a line break gets through, and a list the window takes is saved and read
// back to the same files.

#include <string>
#include <vector>

#include "addonlist/addonlist.h"
#include "addonlist/listfile.h"
#include "tests/fuzz/fuzz_check.h"

namespace brelvik::fuzz {
namespace {

// The entries the window shows, less the empty ones, in the order of the two sections.
std::vector<std::wstring> Shown_files(const AddonListEntries& entries) {
    std::vector<std::wstring> files;
    for (const auto* section : {&entries.addons, &entries.others}) {
        for (const std::wstring& entry : *section) {
            if (!entry.empty()) {
                files.push_back(entry);
            }
        }
    }
    return files;
}

void Check_content(const std::wstring& content) {
    const std::wstring text = Listfile_text(content);
    const AddonListEntries entries = Split_addonlist(text);
    const std::vector<std::wstring> packed = Listed_files(text);
    Require(Shown_files(entries) == packed, "the window shows exactly what the packer packs");
    const bool refused = Unlistable_entry(entries).has_value();
    bool broken = false;
    for (const std::wstring& file : packed) {
        broken = broken || !Listable(file);
    }
    Require(refused == broken, "the window refuses a list exactly when the packer skips a name");
    if (!refused) {
        const std::wstring saved = Compose_listfile(text);
        Require(Listed_files(Listfile_text(saved)) == packed, "a saved list reads back");
    }
}

}  // namespace
}  // namespace brelvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    brelvik::fuzz::Check_content(brelvik::fuzz::Text(data, size));
    return 0;
}
