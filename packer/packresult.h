#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace brelvik {

struct SkippedMember {
    std::wstring path, reason;
};

// The members left out and why, a few bytes each: a list of millions of missing names must not
// cost a path and a reason text for every one. A name of the pack's own list is kept as its
// reference there, and each reason once.
class SkippedMembers {
  public:
    void Add(const std::wstring& path, const std::wstring& reason);
    void Add_named(std::uint64_t ref, const std::wstring& reason);
    // How a reference becomes a path, for the names added by reference.
    void Name_paths(std::function<std::wstring(std::uint64_t)> pathOf);

    std::size_t size() const { return refs_.size(); }
    bool empty() const { return refs_.empty(); }
    SkippedMember operator[](std::size_t index) const;

  private:
    static constexpr std::uint64_t kOwnPath = std::uint64_t{1} << 63;

    std::vector<std::uint64_t> refs_;
    std::vector<std::uint32_t> reasons_;
    std::vector<std::wstring> ownPaths_, reasonTexts_;
    std::map<std::wstring, std::uint32_t> reasonIds_;
    std::function<std::wstring(std::uint64_t)> pathOf_;
};

// What one start of the packer did, for the report and the exit code.
struct PackResult {
    std::wstring archivePath;          // empty when the command line named none
    std::vector<std::wstring> packed;  // members written, as named
    std::size_t kept = 0;              // members of the old archive carried over
    SkippedMembers skipped;
    std::wstring failure;  // why nothing was written; then the old archive is untouched
};

// 0 all packed, 1 packed with warnings, 2 nothing packed or a fatal error.
int Exit_code(const PackResult& result);

// The report the user reads, line by line (each ends in a line break); past maxSkipped
// skipped files one line says how many more there are.
void For_each_summary_line(const PackResult& result, std::size_t maxSkipped,
                           const std::function<void(const std::wstring&)>& line);
std::wstring Summary_text(const PackResult& result,
                          std::size_t maxSkipped = std::numeric_limits<std::size_t>::max());

}  // namespace brelvik
