#pragma once

#include <fstream>
#include <string>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// Runs `work` in a child process (a crash, a kill or a resource limit there
// leaves the test standing); the child's exit code, or -1 when it did not exit.
template <typename Work> int inChildProcess(Work work)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(work());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `work` in a child process as a user without privileges (the
// super-user may write any folder); 77 when no such user can be become.
template <typename Work> int asUnprivilegedUser(Work work)
{
    return inChildProcess([&] {
        constexpr unsigned Nobody = 65534;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            return 77;
        return work();
    });
}

// Runs `work` in a child process with a mount namespace of its own (a user
// namespace too when not the super-user), after `mounts` made its mounts
// there; 77 when this system allows no such namespace or mount.
template <typename Mounts, typename Work> int withOwnMounts(Mounts mounts, Work work)
{
    return inChildProcess([&] {
        const auto put = [](const char* file, const std::string& text) { std::ofstream(file) << text; };
        if (::geteuid() == 0) {
            if (::unshare(CLONE_NEWNS) != 0)
                return 77;
        } else {
            const uid_t uid = ::geteuid();
            const gid_t gid = ::getegid();
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return 77;
            put("/proc/self/setgroups", "deny");
            put("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1");
            put("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1");
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 || !mounts())
            return 77;
        return work();
    });
}

} // namespace testsupport
