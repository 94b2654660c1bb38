#include "automation/ChildProcess.h"

#include "automation/AutomationError.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace automation {

namespace {

class SpawnSetup {
public:
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           int channelSocket, int channelTarget) {
    SpawnSetup setup;
    // dup2 onto the target clears close-on-exec, so the child keeps exactly
    // this end of the channel; every other descriptor of ours is closed.
    posix_spawn_file_actions_adddup2(&setup.actions, channelSocket, channelTarget);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, channelTarget + 1);
    // The child starts with no blocked signals and default handlers, whatever
    // the calling thread has set up.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGINT);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int failure = ::posix_spawn(&pid_, program.c_str(), &setup.actions, &setup.attributes,
                                      argv.data(), environ);
    if (failure != 0) {
        pid_ = -1;
        raiseAutomationError(CannotCreateObject,
                             program + " could not be started (" + std::strerror(failure) + ")");
    }
}

ChildProcess::~ChildProcess() { finish(std::chrono::milliseconds(0)); }

bool ChildProcess::hasEnded() {
    if (pid_ <= 0)
        return true;
    int status = 0;
    const pid_t reaped = ::waitpid(pid_, &status, WNOHANG);
    if (reaped == 0)
        return false;
    if (reaped < 0 && errno == EINTR)
        return false;
    // Reaped, or not our child any more (children ignored by the program).
    pid_ = -1;
    return true;
}

void ChildProcess::finish(std::chrono::milliseconds grace) {
    const auto deadline = std::chrono::steady_clock::now() + grace;
    auto pause = std::chrono::milliseconds(1);
    while (!hasEnded()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
            }
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

} // namespace automation
