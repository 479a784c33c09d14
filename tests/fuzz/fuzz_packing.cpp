// Command-line quoting and splitting, and the pack command lines built from any paths.

#include <string>
#include <vector>

#include "packing/cmdline.h"
#include "packing/packcommand.h"
#include "packing/packerentry.h"
#include "platform/commandline.h"
#include "tests/fuzz/fuzz_check.h"

namespace brelvik::fuzz {
namespace {

void Check_quoting(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (const std::wstring& argument : arguments) {
        line += (line.empty() ? L"" : L" ") + Quote_argument(argument);
    }
    Require(Split_commandline(line) == arguments, "quoted arguments split back");
}

std::size_t Expected_count(const PackRequest& request) {
    if (request.packer == Packer::WinZip) {
        return request.useList ? 4 : 5;  // program, -ex, archive, members
    }
    if (request.type == ArchiveType::Sfx) {
        return 3;  // program, s, archive
    }
    return request.useList ? 10 : 11;  // program, seven switches, archive, members
}

// Whatever the paths hold, they cannot add, drop or change an argument of the packer.
void Check_pack_command(const std::vector<std::wstring>& pieces) {
    const auto piece = [&](std::size_t i) { return i < pieces.size() ? pieces[i] : L""; };
    const std::wstring choice = piece(0) + L"   ";
    PackRequest request;
    request.packer = static_cast<Packer>(choice[0] % 3);
    request.type = static_cast<ArchiveType>(choice[1] % 3);
    request.useList = choice[2] % 2 == 1;
    request.packerEntry = piece(1);
    request.folder = piece(2);
    request.selectedFile = piece(3);
    request.listPath = piece(4);

    const PackCommand command = Compose_packcommand(request);
    Require(command.commandLine.empty() != command.message.empty(), "a command or a message");
    if (command.commandLine.empty()) {
        return;
    }
    const std::vector<std::wstring> arguments = Split_commandline(command.commandLine);
    Require(arguments.size() == Expected_count(request), "the packer gets its arguments");
    const std::wstring program = request.packer == Packer::WinRar
                                     ? *Packer_program(request.packerEntry)
                                     : *Packer_folder(request.packerEntry) + L"wzzip.exe";
    Require(arguments.front() == program, "the program is the entry's");
    if (request.useList && Expected_count(request) != 3) {
        Require(arguments.back() == L"@" + request.listPath, "the list file reaches the packer");
    }
}

}  // namespace
}  // namespace brelvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace brelvik::fuzz;
    const std::vector<std::wstring> pieces = Pieces(Text(data, size));
    Check_quoting(pieces);
    Check_pack_command(pieces);
    return 0;
}
