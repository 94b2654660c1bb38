#pragma once

#include <functional>
#include <memory>

namespace cindrel::shell {

class Startup;

// What a build that drives the program (the end-to-end tests) adds to a run.
// The program users run has none.
class ProgramHooks {
public:
    virtual ~ProgramHooks() = default;
    // After the disclaimer is shown, before the event loop runs.
    virtual void started(Startup& startup) = 0;
    // The exit code the process ends with, given the program's own.
    virtual int finished(int exitCode) = 0;
};

// Made once the application exists and before start-up, and released before it.
using ProgramHooksFactory = std::function<std::unique_ptr<ProgramHooks>()>;

// The design program's whole run; main() returns what it returns.
int runCindrel(int argc, char* argv[], const ProgramHooksFactory& makeHooks = {});

} // namespace cindrel::shell
