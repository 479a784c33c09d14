#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace brelvik {

// Ends a pack before the archive is replaced; the message says why, for the user.
class PackFailure : public std::runtime_error {
  public:
    explicit PackFailure(std::wstring message)
        : std::runtime_error("pack failed"), message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }

  private:
    std::wstring message_;
};

}  // namespace brelvik
