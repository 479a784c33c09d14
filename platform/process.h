#pragma once

#include <string>

namespace brelvik {

// Starts one command line as a new, detached process and does not wait for it. On Windows the
// line goes to CreateProcess as it stands (window minimised with the focus); elsewhere it is
// split by the Microsoft C runtime rules and the program started directly, never through a
// shell. Throws PlatformError when the program cannot be started.
void Start_process(const std::wstring& commandLine);

}  // namespace brelvik
