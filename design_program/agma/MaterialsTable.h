#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cindrel::agma {

// Columns of a materials row. Column -1 is the key of the row's source table.
namespace MaterialColumn {
inline constexpr int SourceKey = -1;
inline constexpr int Id = 0;
inline constexpr int Parent = 1;
inline constexpr int Relationship = 2;
inline constexpr int NodeText = 3;
inline constexpr int MaterialClass = 4;
inline constexpr int DataSource = 5;
inline constexpr int Modulus = 6;
inline constexpr int Poisson = 7;
inline constexpr int SacSlope = 8;
inline constexpr int SacIntercept = 9;
inline constexpr int SacBest = 10;
inline constexpr int SatSlope = 11;
inline constexpr int SatIntercept = 12;
inline constexpr int SatBest = 13;
inline constexpr int HardnessLowest = 16;
inline constexpr int HardnessHighest = 17;
inline constexpr int SurfaceHardness = 18;
inline constexpr int HardnessUnit = 19;
inline constexpr int Note = 20;
inline constexpr int ZnLowestCycles = 21;
inline constexpr int ZnKnee = 22;
inline constexpr int ZnBelowKnee = 23;       // coefficient; the exponent follows
inline constexpr int ZnAboveKnee = 25;
inline constexpr int ZnAboveKneeConservative = 27;
inline constexpr int YnLowestCycles = 29;
inline constexpr int YnKnee = 30;
inline constexpr int YnBelowKnee = 31;
inline constexpr int YnAboveKnee = 33;
inline constexpr int YnAboveKneeConservative = 35;
} // namespace MaterialColumn

// The material classes the calculators test for.
inline constexpr std::string_view ThroughHardenedSteel = "Through Hardened steel";
inline constexpr std::string_view FlameOrInductionHardenedSteel = "Flame or induction hardened steel";
inline constexpr std::string_view CarburizedSteel = "Carburized steel";
inline constexpr std::string_view NitridedSteel = "Nitrided steel";

// The key of the built-in rows when no user table lies in the folder, and
// when some do.
inline constexpr std::string_view BuiltInKeyAlone = "AGMA 2001-C95";
inline constexpr std::string_view BuiltInKeyWithUserTables = "AgmaMaterials";

class MaterialsTable;

// One row of the materials table, valid while its table lives.
class MaterialRecord {
public:
    // The cell's text; empty beyond the row's own fields.
    const std::string& text(int column) const;
    // The cell by the leading-number rule (0 for an empty cell or one that
    // does not start with a number). Overflow beyond the double range.
    double number(int column) const;
    int row() const { return row_; }

private:
    friend class MaterialsTable;
    MaterialRecord(const MaterialsTable& table, int row) : table_(&table), row_(row) {}
    const MaterialsTable* table_;
    int row_;
};

// The materials as one table of texts: rows 0 to rowCount() - 1, columns -1
// to lastColumn(). Rows form a tree through their parent column.
class MaterialsTable {
public:
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int lastColumn() const { return lastColumn_; }
    bool empty() const { return rows_.empty(); }

    // SubscriptOutOfRange (error 9) outside the rows or the columns.
    const std::string& cell(int row, int column) const;
    MaterialRecord record(int row) const;

    // Building: sources are added first, then their rows.
    int addSource(std::string key);
    void addRow(int source, std::vector<std::string> fields);

private:
    friend class MaterialRecord;
    struct Row {
        int source;
        std::vector<std::string> fields; // columns 0 to fields.size() - 1
    };
    const std::string& fieldOrEmpty(int row, int column) const;

    std::vector<std::string> sources_;
    std::vector<Row> rows_;
    int lastColumn_ = -1;
};

} // namespace cindrel::agma
