#include <filesystem>
#include <utility>

#include "platform/codepage.h"
#include "tests/process_recorder.h"

namespace brelvik::test {

Received Received_by(int argc, char** argv) {
    Received received;
    for (int i = 0; i < argc; ++i) {
        received.arguments.push_back(From_utf8(argv[i]).value_or(L"(not UTF-8)"));
    }
    return received;
}

std::wstring Recorder_path() {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path() / "brelvik_process_recorder").wstring();
}

Received Expected_received(const std::wstring&, std::vector<std::wstring> arguments) {
    return {-1, -1, {}, std::move(arguments)};
}

}  // namespace brelvik::test
