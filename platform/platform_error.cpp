#include "platform/platform_error.h"

#include <utility>

#include "platform/codepage.h"

namespace brelvik {

namespace {

std::wstring Compose_message(const std::wstring& systemText, const std::wstring& path) {
    return systemText + L"\n" + path;
}

}  // namespace

PlatformError::PlatformError(std::wstring systemText, std::wstring path)
    : std::runtime_error(To_utf8(Compose_message(systemText, path))),
      systemText_(std::move(systemText)),
      path_(std::move(path)) {}

std::wstring PlatformError::Message() const {
    return Compose_message(systemText_, path_);
}

}  // namespace brelvik
