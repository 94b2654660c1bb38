#include "ScriptedRun.h"

#include "shell/ProgramMain.h"

#include <memory>

namespace {

// The script lives from before start-up to the exit code, as the run's hooks.
class ScriptedHooks : public cindrel::shell::ProgramHooks {
public:
    void started(cindrel::shell::Startup& startup) override { script_.start(startup); }
    int finished(int exitCode) override { return script_.finish(exitCode); }

private:
    cindrel::ScriptedRun script_;
};

} // namespace

// The design program driven by the script named in CINDREL_TEST_SCRIPT, for
// the end-to-end tests; built with the tests only.
int main(int argc, char* argv[])
{
    return cindrel::shell::runCindrel(argc, argv, [] { return std::make_unique<ScriptedHooks>(); });
}
