#pragma once

#include "MaterialFile.h"
#include "MaterialsTable.h"

#include "runtime/ErrorReporter.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace cindrel::agma {

// The table and what was left out of it.
struct MaterialsLoad {
    MaterialsTable table;
    std::vector<LeftOutFile> leftOut;
};

// The gear materials: the built-in rows merged with every user table (a file
// "*.tbl" in the program folder). Reads the folder on every call and never
// writes, renames or deletes a file there.
class AGMA_Materials {
public:
    static constexpr int BuiltInRowCount = 65;
    static constexpr int BuiltInFieldCount = 40;

    explicit AGMA_Materials(std::filesystem::path programFolder) : folder_(std::move(programFolder)) {}

    // The built-in rows and, in name order, each user table that passed its
    // check; a table with any fault is left out whole and named in leftOut.
    MaterialsLoad Materials() const;

    // The user tables in name order: regular files whose name does not begin
    // with "." and ends with ".tbl" in any case.
    std::vector<std::filesystem::path> MatTableNames() const;

    // The 65 built-in rows, the row with id k at index k.
    static const std::array<std::string_view, BuiltInRowCount>& builtInRows();

private:
    std::filesystem::path folder_;
};

// What loading the materials tells the user: one message box with an OK button.
class MaterialMessages {
public:
    virtual ~MaterialMessages() = default;
    virtual void showMaterialsMessage(std::string_view text) = 0;
};

// The window's load: the materials of the program folder. When files were
// left out, one message lists them with line and reason, and each goes to the
// run log's error handler as well.
MaterialsTable LoadMaterials(const std::filesystem::path& programFolder, MaterialMessages& messages,
                             runtime::ErrorReporter& errors);

// The text of that message.
std::string leftOutMessage(const std::vector<LeftOutFile>& leftOut);

} // namespace cindrel::agma
