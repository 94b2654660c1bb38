#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
}

// Stand-ins for objects and windows that other parts of the program build:
// each does what start-up and shut-down need of it, at its place in the
// start-up order, and is replaced whole by the real one.
namespace cindrel::shell {

class Startup;

// The design-sequence navigator: takes over the main window's buttons and shows the first step.
class NavigatorStandIn {
public:
    explicit NavigatorStandIn(Startup& startup);
};

// The design-file object: the active design is the default one until designs can be opened.
class DesignFilesStandIn {
public:
    explicit DesignFilesStandIn(Startup& startup);
    std::string ActiveFileName(bool withExtension, bool withDirectoryStructure) const;
    std::string DefaultFileName() const;
    bool DataChanged() const { return false; }
    void FileOpen(const std::string& path);

private:
    Startup& startup_;
    std::string active_;
};

// Declares the stand-in windows (the AGMA factors window and the manufacturing
// outputs window) and the results grid window.
void defineStandInWindows(Startup& startup);

} // namespace cindrel::shell
