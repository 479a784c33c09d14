#pragma once

#include <string>
#include <vector>

namespace brelvik::test {

// What the recorder program received. Windows only: the command line as the system handed it
// over, how the window was asked to show and whose console it got; elsewhere a program receives
// only its arguments.
struct Received {
    int showWindow = -1;        // -1 when the starter said nothing
    int consoleProcesses = -1;  // processes on its console, itself included; -1 when unknown
    std::wstring commandLine;
    std::vector<std::wstring> arguments;  // the program's own name first
};

Received Received_by(int argc, char** argv);

// For the tests: the recorder program beside the running test program, and what it should
// report when Start_process started it with a line.
std::wstring Recorder_path();
Received Expected_received(const std::wstring& startedLine, std::vector<std::wstring> arguments);

}  // namespace brelvik::test
