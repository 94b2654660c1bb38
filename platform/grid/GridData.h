#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace grid {

// How one cell shows its text. An invalid colour stands for black; a font
// size of 0 for the grid's own size.
struct CellFormat {
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor foreColor{};
    bool bold = false;
    bool italic = false;
    double fontSize = 0; // points

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// A run of adjacent cells of one row shown as one: first column and count.
struct MergedRun {
    int column = 0;
    int count = 0;

    friend bool operator==(const MergedRun&, const MergedRun&) = default;
};

// The cells of a grid: texts and formats by row and column, the rows marked
// for merging, the fixed rows and columns, column widths in twips (kept as
// set) and the least height of each row in twips. Rows and columns are
// numbered from 0; an address outside the grid raises run-time error 381.
class GridData {
public:
    static constexpr double defaultColumnWidth = 960;

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    // Existing cells keep their texts and formats; new ones are empty.
    void setRowCount(int rows);
    void setColumnCount(int columns);
    int fixedRowCount() const { return fixedRows_; }
    int fixedColumnCount() const { return fixedColumns_; }
    // A count above the rows (columns) there are raises run-time error 380.
    void setFixedRowCount(int rows);
    void setFixedColumnCount(int columns);

    // Empties every cell and drops every format, merge and hidden mark; the
    // counts, the widths and the least row heights stay.
    void clear();
    // Appends a row holding the texts from column 0 on; texts beyond the last
    // column are dropped. Returns the new row.
    int appendRow(const QStringList& texts);

    const QString& text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    const CellFormat& format(int row, int column) const;
    CellFormat& formatForChange(int row, int column);

    bool isRowMerged(int row) const;
    void setRowMerged(int row, bool merged);
    // A hidden row keeps its cells and takes no room.
    bool isRowHidden(int row) const;
    void setRowHidden(int row, bool hidden);
    // The runs of two or more adjacent equal texts of a row marked for
    // merging; a run never crosses from the fixed columns into the others.
    std::vector<MergedRun> mergedRuns(int row) const;

    double columnWidth(int column) const;
    void setColumnWidth(int column, double twips);
    double rowMinimumHeight(int row) const;
    void setRowMinimumHeight(int row, double twips);

    void checkCell(int row, int column) const;
    void checkRow(int row) const;
    void checkColumn(int column) const;

private:
    struct Cell {
        QString text;
        CellFormat format;
    };
    struct Row {
        bool merged = false;
        bool hidden = false;
        double minimumHeight = 0;
    };

    Cell& cell(int row, int column) { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }
    const Cell& cell(int row, int column) const { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }

    int rows_ = 0;
    int columns_ = 0;
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    std::vector<Cell> cells_;
    std::vector<Row> rowInfo_;
    std::vector<double> widths_;
};

} // namespace grid
