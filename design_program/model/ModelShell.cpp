#include "model/ModelShell.h"

#include "runtime/RegularFile.h"

#include <fstream>

namespace cindrel::model {

std::unique_ptr<std::istream> ModelShell::openInputFile(const std::string& path)
{
    // A FIFO or a device would block the read for good.
    if (runtime::specialFileError(path) != 0)
        return nullptr;
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file)
        return nullptr;
    return file;
}

std::string ModelShell::messageText(int) const
{
    return {};
}

DrawingProgram& ModelShell::drawingProgram()
{
    static NoDrawingProgram none;
    return none;
}

} // namespace cindrel::model
