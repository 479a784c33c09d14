#include <filesystem>
#include <fstream>
#include <string>

#include "platform/codepage.h"
#include "tests/process_recorder.h"

// Writes what it received into the file named by its first argument: a line with the
// show-window number and the count of processes on its console, a line with the command line,
// then every further argument followed by a NUL, all UTF-8. The file appears whole (a rename), so
// that a test can wait for it.
int main(int argc, char** argv) {
    const brelvik::test::Received received = brelvik::test::Received_by(argc, argv);
    if (received.arguments.size() < 2) {
        return 2;
    }
    std::string record = std::to_string(received.showWindow) + " " +
                         std::to_string(received.consoleProcesses) + "\n" +
                         brelvik::To_utf8(received.commandLine) + "\n";
    for (std::size_t i = 2; i < received.arguments.size(); ++i) {
        record += brelvik::To_utf8(received.arguments[i]) + '\0';
    }
    const std::filesystem::path out(received.arguments[1]);
    std::filesystem::path part = out;
    part += ".part";
    std::ofstream(part, std::ios::binary) << record;
    std::filesystem::rename(part, out);
    return 0;
}
