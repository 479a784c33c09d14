#include "packer/packresult.h"

#include <string>

namespace brelvik {

namespace {

std::wstring Files(std::size_t count) {
    return std::to_wstring(count) + (count == 1 ? L" file" : L" files");
}

void Skipped_lines(const SkippedMembers& skipped, std::size_t maxSkipped,
                   const std::function<void(const std::wstring&)>& line) {
    if (skipped.empty()) {
        return;
    }
    line(L"Skipped " + Files(skipped.size()) + L":\n");
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        if (i == maxSkipped) {
            line(L"  and " + Files(skipped.size() - i) + L" more.\n");
            return;
        }
        const SkippedMember member = skipped[i];
        line(L"  " + member.path + L": " + member.reason + L"\n");
    }
}

}  // namespace

void SkippedMembers::Add(const std::wstring& path, const std::wstring& reason) {
    ownPaths_.push_back(path);
    Add_named(kOwnPath | (ownPaths_.size() - 1), reason);
}

void SkippedMembers::Add_named(std::uint64_t ref, const std::wstring& reason) {
    const auto [found, added] =
        reasonIds_.try_emplace(reason, static_cast<std::uint32_t>(reasonTexts_.size()));
    if (added) {
        reasonTexts_.push_back(reason);
    }
    refs_.push_back(ref);
    reasons_.push_back(found->second);
}

void SkippedMembers::Name_paths(std::function<std::wstring(std::uint64_t)> pathOf) {
    pathOf_ = std::move(pathOf);
}

SkippedMember SkippedMembers::operator[](std::size_t index) const {
    const std::uint64_t ref = refs_[index];
    return {ref & kOwnPath ? ownPaths_[ref & ~kOwnPath] : pathOf_(ref),
            reasonTexts_[reasons_[index]]};
}

int Exit_code(const PackResult& result) {
    if (!result.failure.empty() || result.packed.empty()) {
        return 2;
    }
    return result.skipped.empty() ? 0 : 1;
}

void For_each_summary_line(const PackResult& result, std::size_t maxSkipped,
                           const std::function<void(const std::wstring&)>& line) {
    if (!result.failure.empty()) {
        line(result.failure + L"\n");
        Skipped_lines(result.skipped, maxSkipped, line);
        return;
    }
    line(L"Packed " + Files(result.packed.size()) + L" into " + result.archivePath + L":\n");
    for (const std::wstring& path : result.packed) {
        line(L"  " + path + L"\n");
    }
    if (result.kept > 0) {
        line(L"Kept " + Files(result.kept) + L" that the archive already held.\n");
    }
    Skipped_lines(result.skipped, maxSkipped, line);
}

std::wstring Summary_text(const PackResult& result, std::size_t maxSkipped) {
    std::wstring text;
    For_each_summary_line(result, maxSkipped, [&](const std::wstring& line) { text += line; });
    return text;
}

}  // namespace brelvik
