#pragma once

#include "outputs/ReportHost.h"
#include "outputs/T_MFGOutputs.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace grid {
class Grid;
}
namespace printing {
class PreviewControl;
}

// How the manufacturing window shows and prints the manufacturing table.
namespace cindrel::outputs::mfg {

// The grid's own font: the face name and size of the results grid settings.
struct GridFont {
    QString name = QStringLiteral("Arial");
    float size = 10;
};

// Empties the grid to its two set-up rows: the bold headers and an empty row
// that parts them from the table.
void SetupGrid(grid::Grid& grid, const GridFont& font);
// Set-up, then one grid row per table row; a row whose layout index is not 0
// shows its two equal values as one cell. No table leaves the set-up rows.
void FillGrid(grid::Grid& grid, const std::optional<T_MFGOutputs::Table>& table, const GridFont& font);
// Columns of 60, 20 and 20 percent of the grid's width, less room for the
// scroll bar when the rows do not fit in its height. Nothing without a grid.
void ResizeGrid(grid::Grid* grid);
// The height of all rows of the grid, in twips.
std::int32_t SumRowHeights(const grid::Grid& grid);

// What the printout takes besides the table.
struct PrintSources {
    // Whether the notes come from the manufacturing notes box or the gear-set notes.
    bool PrintMFGNotes = false;
    std::string MFGNotes;
};

// Builds the printout of the table in the print control: the address block,
// the notes, the table under one header line, and a title and footer on
// every page. Printing (PrintPreview false) first asks for the printer and
// does nothing when that is cancelled. A step that fails is left out and
// passed to `logFailure`; the document is still ended, framed and shown.
void PrintDocument(printing::PreviewControl& control, const std::optional<T_MFGOutputs::Table>& table,
                   bool PrintPreview, ReportHost& host, const PrintSources& sources,
                   const std::function<void(const std::string&)>& logFailure);

// The layout of a table row by its layout index 0 to 7; empty texts for the unused ones.
struct TableLayout {
    const char* format;
    const char* header;
};
TableLayout MFGTableLayout(int layoutIndex);

} // namespace cindrel::outputs::mfg
