#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brelvik {

// The names one pack is asked for, in the order given: a list file's names are kept as the
// bytes it holds and made into paths only when used, so that a list of millions of names costs
// little more than its own size.
class MemberNames {
  public:
    // Where a name lies: its source in the high half, its place in a list's bytes in the low.
    using Ref = std::uint64_t;

    void Add_path(const std::wstring& path);
    // Every file a list file names, read as the window reads it; a relative entry is taken from
    // the list file's folder. Throws PlatformError when the file cannot be read or is larger
    // than any list.
    void Add_list(const std::wstring& path);

    template <typename Use>
    void For_each(Use use) const;
    std::wstring Path(Ref ref) const;

  private:
    struct Source {
        std::wstring path;  // a name given as it is, or the folder of a list
        std::string bytes;  // a list's content
        std::string lineBreak;
        bool utf8 = false;
        bool list = false;
    };
    std::vector<Source> sources_;
};

}  // namespace brelvik

#include "addonlist/listfile.h"

namespace brelvik {

template <typename Use>
void MemberNames::For_each(Use use) const {
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        const Ref source = static_cast<Ref>(i) << 32;
        if (!sources_[i].list) {
            use(source);
            continue;
        }
        For_each_listed_line(std::string_view(sources_[i].bytes),
                             std::string_view(sources_[i].lineBreak),
                             [&](std::size_t pos, std::size_t) { use(source | pos); });
    }
}

}  // namespace brelvik
