#include "model/ModelShell.h"

#include <fstream>

namespace cindrel::model {

std::unique_ptr<std::istream> ModelShell::openInputFile(const std::string& path)
{
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
