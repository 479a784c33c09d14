#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/commandline.h"
#include "platform/platform_error.h"
#include "platform/process.h"

extern char** environ;

namespace brelvik {

namespace {

// The started program gets a session of its own and the default signal handling, whatever
// this program has blocked or ignored.
class SpawnAttributes {
  public:
    SpawnAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setflags(
            &attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* Get() const { return &attributes_; }

  private:
    posix_spawnattr_t attributes_;
};

// Waits for the short-lived middle process and gives the code it exited with.
int Reap(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : ECHILD;
}

}  // namespace

// The program starts directly, never through a shell, so no character in a path can run a
// command. A middle process starts it and exits at once: the program then belongs to init,
// outlives this one and never stays a zombie, and the middle process hands back the start's
// error number (posix_spawnp reports a failed exec) as its exit code.
void Start_process(const std::wstring& commandLine) {
    const std::vector<std::wstring> arguments = Split_commandline(commandLine);
    if (arguments.empty() || arguments.front().empty()) {
        throw PlatformError(System_error_text(ENOENT), commandLine);
    }
    std::vector<std::string> bytes;
    for (const std::wstring& argument : arguments) {
        bytes.push_back(To_native(argument));
    }
    std::vector<char*> argv;
    for (std::string& argument : bytes) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const SpawnAttributes attributes;

    const pid_t middle = fork();
    if (middle < 0) {
        throw Last_error(commandLine);
    }
    if (middle == 0) {
        pid_t started = 0;
        // PATH is searched only for a program name without a "/".
        _exit(posix_spawnp(&started, argv[0], nullptr, attributes.Get(), argv.data(), environ));
    }
    const int error = Reap(middle);
    if (error != 0) {
        throw PlatformError(System_error_text(error), commandLine);
    }
}

}  // namespace brelvik
