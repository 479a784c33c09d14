#include "tests/support/mount_faults.h"

#include <sched.h>
#include <sys/mount.h>

#include <string>

namespace brelvik::test {

bool Enter_private_mount_namespace() {
    static const bool entered = [] {
        if (unshare(CLONE_NEWNS) != 0) {
            return false;
        }
        return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return entered;
}

bool Mount_readonly(const std::filesystem::path& folder) {
    if (!Enter_private_mount_namespace()) {
        return false;
    }
    const char* where = folder.c_str();
    if (mount(where, where, nullptr, MS_BIND, nullptr) != 0) {
        return false;
    }
    if (mount(nullptr, where, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        umount2(where, MNT_DETACH);
        return false;
    }
    return true;
}

bool Mount_tiny_tmpfs(const std::filesystem::path& folder, std::size_t bytes) {
    if (!Enter_private_mount_namespace()) {
        return false;
    }
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    return mount("brelvik-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) ==
           0;
}

bool Unmount(const std::filesystem::path& folder) {
    return Enter_private_mount_namespace() && umount2(folder.c_str(), MNT_DETACH) == 0;
}

}  // namespace brelvik::test
