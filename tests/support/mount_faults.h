#pragma once

#include <cstddef>
#include <filesystem>
#include <utility>

namespace brelvik::test {

// Real write failures for tests that run as root, where permission bits stop nothing. Every
// mount happens inside a private mount namespace of this process, so it is invisible to the
// rest of the machine and gone when the process ends. Each function returns false when the
// system does not permit it (no CAP_SYS_ADMIN, a container without mount rights, ...); the
// caller then skips its test.

// Moves this process into a private mount namespace (once) and makes every mount in it
// private, so nothing propagates back to the host.
bool Enter_private_mount_namespace();

// Makes folder read-only by bind-mounting it onto itself read-only.
bool Mount_readonly(const std::filesystem::path& folder);

// Mounts an empty tmpfs of at most `bytes` bytes (rounded up to whole pages) on folder, so a
// write that needs more space fails with ENOSPC.
bool Mount_tiny_tmpfs(const std::filesystem::path& folder, std::size_t bytes);

// Undoes one of the mounts above; false when nothing was mounted there.
bool Unmount(const std::filesystem::path& folder);

// Unmounts in its destructor what the test mounted, so later tests see the folder as it was.
class ScopedMount {
  public:
    explicit ScopedMount(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~ScopedMount() { Unmount(folder_); }
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;

  private:
    std::filesystem::path folder_;
};

}  // namespace brelvik::test
