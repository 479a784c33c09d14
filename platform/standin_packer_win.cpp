#include <windows.h>

#include <string>

#include "platform/standin_packer.h"

namespace brelvik {

// The real packers register themselves in the registry.
void Offer_standin_packer(const std::filesystem::path&, const std::filesystem::path&,
                          const ProgramOfEntry&) {}

// Shipped beside brelvik.exe in the same folder of the release.
std::wstring Find_own_packer(const std::filesystem::path& programFolder) {
    const std::wstring program = (programFolder / L"brelvik-pack.exe").wstring();
    const DWORD attributes = GetFileAttributesW(program.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    return program;
}

std::filesystem::path Program_folder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);  // cut off: long paths reach 32767 characters
    }
}

}  // namespace brelvik
