#pragma once

#include <string>
#include <variant>
#include <vector>

namespace brelvik {

// One name on the command line: a file to pack or, written with "@" in front, a list file that
// names the files to pack.
struct MemberArgument {
    std::wstring path;
    bool isListFile = false;
    bool operator==(const MemberArgument&) const = default;
};

// What one start of the packer asks for, whichever packer's command line it came in.
struct PackJob {
    std::wstring archivePath;             // always ends in ".zip"
    int level = 6;                        // deflate level; 0 stores without compressing
    std::vector<MemberArgument> members;  // in command-line order
    bool operator==(const PackJob&) const = default;
};

// The job, or the message that says why there is none: a refused archive type or a usage error.
using ParsedArguments = std::variant<PackJob, std::wstring>;

// Understands the two packers' command lines (arguments without the program name):
//   a [-afzip|-afrar] [-m0..-m5] [-o+] [-ed] [-ep] [-ibck] ARCHIVE MEMBER...
//   s ARCHIVE.rar
//   [-a] [-ex|-en|-ef|-es|-e0] ARCHIVE.zip MEMBER...
// where a MEMBER may be @LISTFILE. Only zip archives can be made here.
ParsedArguments Parse_pack_arguments(const std::vector<std::wstring>& arguments);

}  // namespace brelvik
