#include "Grid.h"

#include "GridView.h"

#include "forms/FormsError.h"
#include "forms/Layout.h"
#include "forms/Twips.h"

#include <QTableView>

#include <algorithm>

namespace grid {

Grid::Grid(forms::Form& form, const forms::ControlPlace& place)
    : Control(form, forms::ControlKind::Grid, place.name, place.index, place.container, place.tab),
      view_(new GridView(data_)) {
    view_->onViewScrolled = [this](int) {
        forms::runFromWindowSystem("Scroll", [this] { onScroll(); });
    };
    view_->onViewCurrentChanged = [this](int row, int column) {
        currentRow_ = row;
        currentColumn_ = column;
    };
    attachWidget(view_);
}

Grid::~Grid() {
    // The window may outlive the control for a moment; its views call nothing here then.
    if (widget() != nullptr) {
        view_->onViewScrolled = nullptr;
        view_->onViewCurrentChanged = nullptr;
    }
}

QWidget* Grid::keyTarget() const { return &view_->body(); }

void Grid::clear() {
    data_.clear();
    view_->noteShapeChanged();
}

void Grid::setRowCount(int rows) {
    data_.setRowCount(rows);
    view_->noteShapeChanged(true);
    currentRow_ = std::min(currentRow_, std::max(rows - 1, 0));
    keepTopRowInRange();
}

void Grid::setColumnCount(int columns) {
    data_.setColumnCount(columns);
    view_->noteShapeChanged();
    currentColumn_ = std::min(currentColumn_, std::max(columns - 1, 0));
}

void Grid::setFixedRowCount(int rows) {
    data_.setFixedRowCount(rows);
    view_->noteShapeChanged();
    keepTopRowInRange();
}

void Grid::setFixedColumnCount(int columns) {
    data_.setFixedColumnCount(columns);
    view_->noteShapeChanged();
}

int Grid::appendRow(const QStringList& texts) {
    const int row = data_.appendRow(texts);
    view_->noteShapeChanged(true);
    return row;
}

void Grid::setCellText(int row, int column, const QString& text) {
    if (data_.text(row, column) == text)
        return;
    data_.setText(row, column, text);
    view_->noteRowChanged(row);
}

void Grid::setCurrentRow(int row) {
    data_.checkRow(row);
    currentRow_ = row;
    view_->showCurrentCell(currentRow_, currentColumn_);
}

void Grid::setCurrentColumn(int column) {
    data_.checkColumn(column);
    currentColumn_ = column;
    view_->showCurrentCell(currentRow_, currentColumn_);
}

int Grid::topRow() const { return view_->topRow(); }

void Grid::setTopRow(int row) {
    moveTopRow(std::clamp(row, data_.fixedRowCount(), view_->maximumTopRow()));
}

void Grid::moveTopRow(int row) {
    if (row == view_->topRow())
        return;
    view_->showTopRow(row);
    onScroll();
}

void Grid::keepTopRowInRange() {
    // A shape that no longer holds the top row moves it, and that is a scroll.
    const int top = view_->topRow();
    if (top < data_.fixedRowCount() || top >= data_.rowCount())
        moveTopRow(std::clamp(top, data_.fixedRowCount(), view_->maximumTopRow()));
    else if (top > view_->maximumTopRow())
        moveTopRow(view_->maximumTopRow());
}

bool Grid::mergesCells() const { return view_->merging(); }
void Grid::setMergesCells(bool merges) { view_->setMerging(merges); }

void Grid::setRowMerged(int row, bool merged) {
    if (data_.isRowMerged(row) == merged)
        return;
    data_.setRowMerged(row, merged);
    view_->noteRowChanged(row);
}

void Grid::setRowHidden(int row, bool hidden) {
    if (data_.isRowHidden(row) == hidden)
        return;
    data_.setRowHidden(row, hidden);
    view_->noteRowChanged(row);
}

void Grid::setColumnWidth(int column, double twips) {
    if (data_.columnWidth(column) == twips)
        return;
    data_.setColumnWidth(column, twips);
    view_->noteColumnWidthsChanged();
}

double Grid::rowHeight(int row) const {
    data_.checkRow(row);
    return forms::pixelsToTwips(view_->rowHeightPixels(row));
}

void Grid::setRowHeight(int row, double twips) {
    data_.setRowMinimumHeight(row, twips);
    view_->noteRowChanged(row);
}

void Grid::setCellAlignment(int row, int column, Qt::Alignment alignment) {
    data_.formatForChange(row, column).alignment = alignment;
    view_->noteLooksChanged();
}

QColor Grid::cellForeColor(int row, int column) const {
    const QColor& color = data_.format(row, column).foreColor;
    return color.isValid() ? color : QColor(Qt::black);
}

void Grid::setCellForeColor(int row, int column, const QColor& color) {
    data_.formatForChange(row, column).foreColor = color;
    view_->noteLooksChanged();
}

void Grid::setCellBold(int row, int column, bool bold) {
    if (data_.format(row, column).bold == bold)
        return;
    data_.formatForChange(row, column).bold = bold;
    view_->noteRowChanged(row);
}

void Grid::setCellItalic(int row, int column, bool italic) {
    if (data_.format(row, column).italic == italic)
        return;
    data_.formatForChange(row, column).italic = italic;
    view_->noteRowChanged(row);
}

double Grid::cellFontSize(int row, int column) const {
    const double own = data_.format(row, column).fontSize;
    return own > 0 ? own : font().pointSizeF();
}

void Grid::setCellFontSize(int row, int column, double points) {
    data_.checkCell(row, column);
    constexpr double largestPoints = 2048;
    if (!(points > 0 && points <= largestPoints))
        forms::raiseFormsError(forms::InvalidPropertyValue);
    if (data_.format(row, column).fontSize == points)
        return;
    data_.formatForChange(row, column).fontSize = points;
    view_->noteRowChanged(row);
}

bool Grid::wordWrap() const { return view_->wordWrap(); }
void Grid::setWordWrap(bool wrap) { view_->setWordWrap(wrap); }

QImage Grid::grab() {
    view_->synchronise();
    return view_->grab().toImage();
}

void registerGridKind() {
    forms::registerControlMaker(forms::ControlKind::Grid, [](forms::Form& form, const forms::ControlPlace& place)
                                                              -> forms::Control& { return form.add<Grid>(place); });
}

} // namespace grid
