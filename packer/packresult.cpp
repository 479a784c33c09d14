#include "packer/packresult.h"

#include <string>

namespace brelvik {

namespace {

std::wstring Files(std::size_t count) {
    return std::to_wstring(count) + (count == 1 ? L" file" : L" files");
}

std::wstring Skipped_text(const std::vector<SkippedMember>& skipped) {
    if (skipped.empty()) {
        return {};
    }
    std::wstring text = L"Skipped " + Files(skipped.size()) + L":\n";
    for (const SkippedMember& member : skipped) {
        text += L"  " + member.path + L": " + member.reason + L"\n";
    }
    return text;
}

}  // namespace

int Exit_code(const PackResult& result) {
    if (!result.failure.empty() || result.packed.empty()) {
        return 2;
    }
    return result.skipped.empty() ? 0 : 1;
}

std::wstring Summary_text(const PackResult& result) {
    if (!result.failure.empty()) {
        return result.failure + L"\n" + Skipped_text(result.skipped);
    }
    std::wstring text =
        L"Packed " + Files(result.packed.size()) + L" into " + result.archivePath + L":\n";
    for (const std::wstring& path : result.packed) {
        text += L"  " + path + L"\n";
    }
    if (result.kept > 0) {
        text += L"Kept " + Files(result.kept) + L" that the archive already held.\n";
    }
    return text + Skipped_text(result.skipped);
}

}  // namespace brelvik
