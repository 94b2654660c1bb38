#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace automation {

// A server program started as a child process. Whatever happens, the child
// is reaped before this object goes: no zombie is left behind.
class ChildProcess {
public:
    // Starts the program with the arguments (argv[0] is the program),
    // handing it channelSocket as file descriptor channelTarget and no other
    // descriptor beyond the standard three. Raises error 429 with the reason
    // when the program cannot be started.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 int channelSocket, int channelTarget);
    // Ends the child at once if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t id() const { return pid_; }
    // True once the child has ended and been reaped.
    bool hasEnded();
    // Gives the child up to grace to end by itself, then kills it; returns
    // when it has been reaped.
    void finish(std::chrono::milliseconds grace);

private:
    pid_t pid_ = -1;
};

} // namespace automation
