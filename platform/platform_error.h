#pragma once

#include <stdexcept>
#include <string>

namespace brelvik {

// The one exception type of the platform layer: the operating system's error text and the
// path (or command line) it concerns.
class PlatformError : public std::runtime_error {
  public:
    PlatformError(std::wstring systemText, std::wstring path);

    const std::wstring& System_text() const { return systemText_; }
    const std::wstring& Path() const { return path_; }
    // What a message box shows: the system's text, a line break, the path.
    std::wstring Message() const;

  private:
    std::wstring systemText_;
    std::wstring path_;
};

// The operating system's text for an error code: an errno value, or a GetLastError() code on
// Windows.
std::wstring System_error_text(int code);
// The error for the calling thread's last failure (errno, or GetLastError() on Windows) and the
// path it concerns: `throw Last_error(path);`.
PlatformError Last_error(const std::wstring& path);

}  // namespace brelvik
