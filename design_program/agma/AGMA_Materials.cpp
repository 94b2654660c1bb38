#include "AGMA_Materials.h"

#include "runtime/RegularFile.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <memory>
#include <variant>

namespace cindrel::agma {

namespace {

namespace fs = std::filesystem;

bool isMaterialTableName(const std::string& name) {
    if (name.empty() || name[0] == '.')
        return false;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.size() - dot != 4)
        return false;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "tbl";
}

// The file's bytes, or why they cannot be had. Reads at most one byte past
// the size limit, so that a huge or growing file costs nothing.
std::variant<std::string, LeftOutFile> readFileBytes(const fs::path& path) {
    const std::string name = path.filename().string();
    const auto tooLarge = [&] { return LeftOutFile{name, 0, "the file is 1 MiB or larger", runtime::Overflow}; };
    if (const int number = runtime::specialFileError(path.string()))
        return LeftOutFile{name, 0, "it is not a regular file (a folder, a FIFO or a device)", number};
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (!error && size >= MaterialFileByteLimit)
        return tooLarge();
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        const int cause = errno;
        const bool denied = cause == EACCES || cause == EPERM;
        return LeftOutFile{name, 0, std::string("the file cannot be opened: ") + std::strerror(cause),
                           denied ? runtime::PermissionDenied : runtime::FileNotFound};
    }
    std::string bytes(MaterialFileByteLimit, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    if (std::ferror(file.get())) {
        const int cause = errno;
        return LeftOutFile{name, 0, std::string("the file cannot be read: ") + std::strerror(cause),
                           runtime::DeviceIOError};
    }
    if (bytes.size() >= MaterialFileByteLimit)
        return tooLarge();
    return bytes;
}

void addBuiltInRows(MaterialsTable& table, std::string_view key) {
    const int source = table.addSource(std::string(key));
    for (const std::string_view row : AGMA_Materials::builtInRows())
        table.addRow(source, splitMaterialFields(row));
}

// A file's rows, moved to the table's row numbers: the id becomes the row,
// a parent the row of that parent.
void addFileRows(MaterialsTable& table, const std::string& name, MaterialFileRows rows) {
    const int source = table.addSource(name);
    const int offset = table.rowCount();
    for (std::vector<std::string>& fields : rows.rows) {
        fields[0] = std::to_string(offset + std::stoi(fields[0]));
        if (fields.size() > 1 && !fields[1].empty())
            fields[1] = std::to_string(offset + std::stoi(fields[1]));
        table.addRow(source, std::move(fields));
    }
}

} // namespace

std::vector<fs::path> AGMA_Materials::MatTableNames() const {
    std::vector<fs::path> names;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isMaterialTableName(name) && it->is_regular_file(typeError))
            names.push_back(it->path());
    }
    std::sort(names.begin(), names.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    return names;
}

MaterialsLoad AGMA_Materials::Materials() const {
    MaterialsLoad load;
    const std::vector<fs::path> files = MatTableNames();
    addBuiltInRows(load.table, files.empty() ? BuiltInKeyAlone : BuiltInKeyWithUserTables);
    for (const fs::path& path : files) {
        const std::string name = path.filename().string();
        std::variant<std::string, LeftOutFile> bytes = readFileBytes(path);
        if (auto* fault = std::get_if<LeftOutFile>(&bytes)) {
            load.leftOut.push_back(std::move(*fault));
            continue;
        }
        auto parsed = parseMaterialFile(name, std::get<std::string>(bytes), load.table.rowCount());
        if (auto* fault = std::get_if<LeftOutFile>(&parsed)) {
            load.leftOut.push_back(std::move(*fault));
            continue;
        }
        addFileRows(load.table, name, std::move(std::get<MaterialFileRows>(parsed)));
    }
    return load;
}

std::string leftOutMessage(const std::vector<LeftOutFile>& leftOut) {
    std::string text = leftOut.size() == 1 ? "This material file was left out; the built-in materials and the "
                                             "other files are loaded:"
                                           : "These material files were left out; the built-in materials and "
                                             "the other files are loaded:";
    for (const LeftOutFile& file : leftOut) {
        text += "\n" + file.name;
        if (file.line > 0)
            text += ", line " + std::to_string(file.line);
        text += ": " + file.reason;
    }
    text += "\nCorrect the file and open the program again to use its materials.";
    return text;
}

MaterialsTable LoadMaterials(const fs::path& programFolder, MaterialMessages& messages,
                             runtime::ErrorReporter& errors) {
    MaterialsLoad load = AGMA_Materials(programFolder).Materials();
    if (load.leftOut.empty())
        return std::move(load.table);
    for (const LeftOutFile& file : load.leftOut) {
        std::string where = file.name;
        if (file.line > 0)
            where += ", line " + std::to_string(file.line);
        errors.reportError("AGMA_Materials", "Materials", std::to_string(file.errorNumber),
                           runtime::errorDescription(file.errorNumber), where + ": " + file.reason);
    }
    messages.showMaterialsMessage(leftOutMessage(load.leftOut));
    return std::move(load.table);
}

} // namespace cindrel::agma
