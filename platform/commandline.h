#pragma once

#include <string>
#include <vector>

namespace brelvik {

// Splits a command line into arguments by the Microsoft C runtime rules, as a Windows program
// receives them. Where the system starts programs from an argument list, Start_process splits
// the composed line this way so that the packer gets what it would get on Windows.
std::vector<std::wstring> Split_commandline(const std::wstring& commandLine);

// What a program was started with, after its own name. From a Windows command line as
// GetCommandLineW gives it: the name ends at the first blank, or when quoted at the next quote,
// with no backslash rule; the rest splits as above.
std::vector<std::wstring> Program_arguments(const std::wstring& commandLine);
// From argv, the system's bytes: decoded as names read from the system are, so that bytes that
// are not UTF-8 still name the same file.
std::vector<std::wstring> Program_arguments(int argc, const char* const* argv);

}  // namespace brelvik
