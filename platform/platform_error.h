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

}  // namespace brelvik
