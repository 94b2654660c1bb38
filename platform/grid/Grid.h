#pragma once

#include "GridData.h"

#include "forms/Control.h"
#include "forms/Form.h"

#include <QImage>
#include <QStringList>

namespace grid {

class GridView;

// A grid of text cells: fixed rows and columns kept in view while the rest
// scrolls, rows appended from lists of texts, per-cell alignment, colour,
// bold, italic and font size, equal adjacent cells of marked rows shown as one, column
// widths in twips kept as set, rows as tall as their wrapped text. Rows and
// columns are numbered from 0; an address outside the grid raises run-time
// error 381, a count or size it cannot take 380. The user reads and scrolls
// the grid but cannot edit it, select in it or resize its rows and columns.
class Grid : public forms::Control {
public:
    Grid(forms::Form& form, const forms::ControlPlace& place);
    ~Grid() override;

    // Empties every cell and drops every format and merge mark; the counts,
    // fixed counts, widths and least row heights stay.
    void clear();
    int rowCount() const { return data_.rowCount(); }
    void setRowCount(int rows);
    int columnCount() const { return data_.columnCount(); }
    void setColumnCount(int columns);
    int fixedRowCount() const { return data_.fixedRowCount(); }
    void setFixedRowCount(int rows);
    int fixedColumnCount() const { return data_.fixedColumnCount(); }
    void setFixedColumnCount(int columns);

    // Appends a row holding one text per cell from column 0 on (a tab in a
    // text is part of that text); returns the new row.
    int appendRow(const QStringList& texts);
    QString cellText(int row, int column) const { return data_.text(row, column); }
    void setCellText(int row, int column, const QString& text);

    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    void setCurrentRow(int row);
    void setCurrentColumn(int column);

    // The first scrolling row shown below the fixed rows. Any row asked for,
    // even one outside the grid, is taken as the nearest that can be shown
    // at the top.
    int topRow() const;
    void setTopRow(int row);

    // Whether rows marked for merging show their equal adjacent cells as one
    // cell, which takes the format of its leftmost cell. Fixed columns never
    // merge with the others.
    bool mergesCells() const;
    void setMergesCells(bool merges);
    bool isRowMerged(int row) const { return data_.isRowMerged(row); }
    void setRowMerged(int row, bool merged);

    // A hidden row keeps its cells and takes no room: the rows below it move
    // up, so a fixed row can stand aside while it would repeat the row below it.
    bool rowHidden(int row) const { return data_.isRowHidden(row); }
    void setRowHidden(int row, bool hidden);

    double columnWidth(int column) const { return data_.columnWidth(column); }
    void setColumnWidth(int column, double twips);
    // The height the row shows, in twips; 0 while it is hidden.
    double rowHeight(int row) const;
    // The least height of a row, in twips; the row grows to its wrapped text.
    void setRowHeight(int row, double twips);

    Qt::Alignment cellAlignment(int row, int column) const { return data_.format(row, column).alignment; }
    void setCellAlignment(int row, int column, Qt::Alignment alignment);
    // An invalid colour reads as black.
    QColor cellForeColor(int row, int column) const;
    void setCellForeColor(int row, int column, const QColor& color);
    bool cellBold(int row, int column) const { return data_.format(row, column).bold; }
    void setCellBold(int row, int column, bool bold);
    bool cellItalic(int row, int column) const { return data_.format(row, column).italic; }
    void setCellItalic(int row, int column, bool italic);
    // The cell's font size in points: its own, or the grid's when it has none.
    // A size that is not above 0 or is above 2048 points raises 380.
    double cellFontSize(int row, int column) const;
    void setCellFontSize(int row, int column, double points);

    bool wordWrap() const;
    void setWordWrap(bool wrap);

    // Renders the grid as shown into an image.
    QImage grab();

    QWidget* keyTarget() const override;

    // Raised on every change of the top row, by the user or by code.
    forms::Event<> onScroll;

private:
    void keepTopRowInRange();
    void moveTopRow(int row);

    GridData data_;
    GridView* view_;
    int currentRow_ = 0;
    int currentColumn_ = 0;
};

// Lets layout tables hold grids (rows of kind forms::ControlKind::Grid).
void registerGridKind();

} // namespace grid
