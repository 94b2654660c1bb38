#pragma once

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

} // namespace testsupport
