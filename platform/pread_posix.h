#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace brelvik {

// Reads at an offset, going on after a signal; -1 with errno set when it fails.
inline ssize_t Read_at_retrying(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
    for (;;) {
        const ssize_t got = pread(fd, buffer, size, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

}  // namespace brelvik
