#include "GridView.h"

#include "forms/Twips.h"
#include "runtime/ScopeExit.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>

namespace grid {

namespace {

// Room around a cell's text, in pixels; the last pixel of a cell is its grid line.
constexpr int textMarginX = 3;
constexpr int textMarginY = 2;
constexpr int gridLine = 1;
constexpr int tallestText = 1 << 20;

int textFlags(Qt::Alignment alignment, bool wrap) {
    return static_cast<int>(alignment) | Qt::TextExpandTabs | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

// The scrolling body. A key that moves the current cell moves it from the
// grid's current cell, also when that is in a fixed column, and shows it,
// also when the cell stays where it was (Ctrl+End on the last row scrolled
// out of view).
class BodyTable : public QTableView {
public:
    using QTableView::QTableView;

    // Where the keys start when the body has no current cell.
    std::function<QModelIndex()> keysStart;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: break;
        default: return QTableView::keyPressEvent(event);
        }
        if (!currentIndex().isValid() && keysStart) {
            if (const QModelIndex start = keysStart(); start.isValid())
                selectionModel()->setCurrentIndex(start, QItemSelectionModel::NoUpdate);
        }
        QTableView::keyPressEvent(event);
        if (currentIndex().isValid())
            scrollTo(currentIndex());
    }
};

} // namespace

// Draws a cell as the grid measures it: its text in its font, colour and
// alignment, wrapped when word wrap is on, and a focus frame round the
// current cell. Nothing is ever highlighted, so no format is hidden.
class GridView::CellPainter : public QStyledItemDelegate {
public:
    explicit CellPainter(GridView& view) : QStyledItemDelegate(&view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        painter->setClipRect(option.rect);
        const QVariant font = index.data(Qt::FontRole);
        const QFont cellFont = font.isValid() ? font.value<QFont>() : option.font;
        painter->setFont(cellFont);
        painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
        const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        const QRect textRect = option.rect.adjusted(textMarginX, textMarginY, -textMarginX, -textMarginY);
        const QString text = index.data(Qt::DisplayRole).toString();
        // A text that fits on one line is laid out as one, which is much cheaper.
        const bool wrap = view_.wordWrap() &&
                          !view_.surelyFitsOneLine(text, cellFont, textRect.width());
        painter->drawText(textRect, textFlags(alignment, wrap), text);
        if (option.state & QStyle::State_HasFocus) {
            QPen frame(option.palette.color(QPalette::Text), 1, Qt::DotLine);
            painter->setPen(frame);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    GridView& view_;
};

GridView::GridView(const GridData& data, QWidget* parent) : QFrame(parent), data_(data) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    painter_ = new CellPainter(*this);
    const auto fontOf = [this](const CellFormat& format) { return this->fontOf(format); };
    for (std::size_t pane = 0; pane < views_.size(); ++pane) {
        QTableView* view = nullptr;
        if (pane == bodyPane) {
            auto* bodyView = new BodyTable(this);
            bodyView->keysStart = [this] {
                const GridModel& model = *models_[bodyPane];
                const int rows = model.rowCount();
                const int columns = model.columnCount();
                if (rows == 0 || columns == 0)
                    return QModelIndex();
                return model.index(std::clamp(currentRow_ - data_.fixedRowCount(), 0, rows - 1),
                                   std::clamp(currentColumn_ - data_.fixedColumnCount(), 0, columns - 1));
            };
            view = bodyView;
        } else {
            view = new QTableView(this);
        }
        models_[pane] = new GridModel(data_, fontOf, this);
        view->setModel(models_[pane]);
        view->setItemDelegate(painter_);
        view->setFrameShape(QFrame::NoFrame);
        view->horizontalHeader()->hide();
        view->verticalHeader()->hide();
        for (QHeaderView* header : {view->horizontalHeader(), view->verticalHeader()}) {
            header->setMinimumSectionSize(0);
            header->setSectionResizeMode(QHeaderView::Fixed);
        }
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setTabKeyNavigation(false);
        view->setCornerButtonEnabled(false);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setFocusPolicy(Qt::NoFocus);
        view->viewport()->installEventFilter(this);
        view->installEventFilter(this);
        views_[pane] = view;
    }
    for (Pane pane : {cornerPane, fixedRowsPane, fixedColumnsPane}) {
        QPalette palette = views_[pane]->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        views_[pane]->setPalette(palette);
    }
    QTableView& bodyView = body();
    QPalette palette = bodyView.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    bodyView.setPalette(palette);
    bodyView.setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(&bodyView);

    // Each scrolling pane follows the other; only the body reports the move.
    QScrollBar* bodyBar = bodyView.verticalScrollBar();
    QScrollBar* keysBar = views_[fixedColumnsPane]->verticalScrollBar();
    connect(bodyBar, &QScrollBar::valueChanged, this, &GridView::followBody);
    connect(keysBar, &QScrollBar::valueChanged, this, [this, bodyBar, keysBar](int value) {
        // Only a real move (the wheel over the keys) is passed on, not a
        // clamp while the key pane's range is not yet the body's.
        if (!applying_ && keysBar->maximum() == bodyBar->maximum())
            bodyBar->setValue(value);
    });
    QScrollBar* bodySideBar = bodyView.horizontalScrollBar();
    QScrollBar* headSideBar = views_[fixedRowsPane]->horizontalScrollBar();
    connect(bodySideBar, &QScrollBar::valueChanged, headSideBar, &QScrollBar::setValue);
    connect(headSideBar, &QScrollBar::valueChanged, bodySideBar, &QScrollBar::setValue);
    connect(bodySideBar, &QScrollBar::rangeChanged, this,
            [headSideBar, bodySideBar] { headSideBar->setValue(bodySideBar->value()); });
    for (QScrollBar* bar : {bodyBar, keysBar})
        connect(bar, &QScrollBar::rangeChanged, this, [this] {
            if (applying_)
                return;
            applyTopRow();
            adoptShownTopRow();
        });
    connect(bodyView.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (applying_ || !current.isValid())
                    return;
                currentRow_ = models_[bodyPane]->firstRow() + current.row();
                currentColumn_ = models_[bodyPane]->firstColumn() + current.column();
                if (onViewCurrentChanged)
                    onViewCurrentChanged(currentRow_, currentColumn_);
            });
}

GridView::~GridView() = default;

QFont GridView::fontOf(const CellFormat& format) const {
    QFont result = font();
    result.setBold(format.bold);
    result.setItalic(format.italic);
    if (format.fontSize > 0)
        result.setPointSizeF(format.fontSize);
    return result;
}

GridView::FontKey GridView::keyOf(const QFont& font) {
    return {font.bold(), font.italic(), font.pointSizeF()};
}

const QFontMetrics& GridView::metricsOf(const QFont& font) {
    return metrics_.try_emplace(keyOf(font), font).first->second;
}

bool GridView::surelyFitsOneLine(const QString& text, const QFont& font, int width) {
    constexpr char16_t firstPrintable = 0x20;
    constexpr char16_t lastPrintable = 0x7e;
    std::vector<double>& advances = advances_[keyOf(font)];
    if (advances.empty()) {
        const QFontMetricsF metrics(font);
        for (char16_t code = firstPrintable; code <= lastPrintable; ++code)
            advances.push_back(metrics.horizontalAdvance(QChar(code)));
    }
    double sum = 0;
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code < firstPrintable || code > lastPrintable)
            return false;
        sum += advances[code - firstPrintable];
    }
    // Kerning may shift a line by a little either way; a margin keeps the
    // guess on the safe side, and a near fit is measured exactly.
    return sum * 1.05 + 2 <= width;
}

void GridView::scheduleSynchronise() {
    pending_ = true;
    if (queued_)
        return;
    queued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            queued_ = false;
            if (pending_)
                synchronise();
        },
        Qt::QueuedConnection);
}

void GridView::invalidateAllRows() {
    refill_ = true;
    std::fill(heights_.begin(), heights_.end(), -1);
    std::fill(rowDirty_.begin(), rowDirty_.end(), 1);
    anyRowDirty_ = true;
}

void GridView::noteShapeChanged(bool rowsKept) {
    const auto rows = static_cast<std::size_t>(data_.rowCount());
    if (rowsKept) {
        heights_.resize(rows, -1);
    } else {
        heights_.assign(rows, -1);
        endRow_ = -1;
    }
    rowDirty_.assign(rows, 1);
    anyRowDirty_ = true;
    shapeDirty_ = true;
    refill_ = true;
    widthsDirty_ = true;
    scheduleSynchronise();
}

void GridView::noteRowChanged(int row) {
    const auto index = static_cast<std::size_t>(row);
    if (index >= heights_.size())
        return noteShapeChanged();
    heights_[index] = -1;
    rowDirty_[index] = 1;
    anyRowDirty_ = true;
    scheduleSynchronise();
}

void GridView::noteLooksChanged() {
    scheduleSynchronise();
}

void GridView::noteColumnWidthsChanged() {
    widthsDirty_ = true;
    invalidateAllRows();
    scheduleSynchronise();
}

void GridView::setWordWrap(bool wrap) {
    if (wrap == wordWrap_)
        return;
    wordWrap_ = wrap;
    invalidateAllRows();
    scheduleSynchronise();
}

void GridView::setMerging(bool merging) {
    if (merging == merging_)
        return;
    merging_ = merging;
    invalidateAllRows();
    scheduleSynchronise();
}

int GridView::measureRow(int row) {
    if (data_.isRowHidden(row))
        return 0;
    const int least = forms::twipsToPixels(data_.rowMinimumHeight(row));
    const int oneLine = metricsOf(fontOf(CellFormat{})).height() + 2 * textMarginY + gridLine;
    int height = std::max(least, oneLine);
    const int columns = data_.columnCount();
    std::vector<MergedRun> runs = merging_ ? data_.mergedRuns(row) : std::vector<MergedRun>{};
    auto run = runs.begin();
    for (int column = 0; column < columns; ++column) {
        int width = forms::twipsToPixels(data_.columnWidth(column));
        int last = column;
        if (run != runs.end() && run->column == column) {
            last = column + run->count - 1;
            for (int other = column + 1; other <= last; ++other)
                width += forms::twipsToPixels(data_.columnWidth(other));
            ++run;
        }
        const QString& text = data_.text(row, column);
        const CellFormat& format = data_.format(row, column);
        column = last;
        if (text.isEmpty())
            continue;
        const QFont cellFont = fontOf(format);
        const QFontMetrics& metrics = metricsOf(cellFont);
        const int room = width - gridLine - 2 * textMarginX;
        if (!wordWrap_ || room <= 0) {
            height = std::max(height, metrics.height() + 2 * textMarginY + gridLine);
            continue;
        }
        const bool oneLineFits = surelyFitsOneLine(text, cellFont, room);
        const int textHeight =
            oneLineFits ? metrics.height()
                        : metrics.boundingRect(QRect(0, 0, room, tallestText), textFlags(format.alignment, true), text)
                              .height();
        height = std::max(height, textHeight + 2 * textMarginY + gridLine);
    }
    return height;
}

int GridView::rowHeightPixels(int row) {
    auto& height = heights_[static_cast<std::size_t>(row)];
    if (height < 0)
        height = measureRow(row);
    return height;
}

int GridView::fixedRowsHeight() {
    int height = 0;
    for (int row = 0; row < data_.fixedRowCount(); ++row)
        height += rowHeightPixels(row);
    return height;
}

int GridView::fixedColumnsWidth() const {
    int width = 0;
    for (int column = 0; column < data_.fixedColumnCount(); ++column)
        width += forms::twipsToPixels(data_.columnWidth(column));
    return width;
}

int GridView::bodyColumnsWidth() const {
    int width = 0;
    for (int column = data_.fixedColumnCount(); column < data_.columnCount(); ++column)
        width += forms::twipsToPixels(data_.columnWidth(column));
    return width;
}

bool GridView::bodyRowsTallerThan(int pixels) {
    int height = 0;
    for (int row = data_.rowCount() - 1; row >= data_.fixedRowCount(); --row) {
        height += rowHeightPixels(row);
        if (height > pixels)
            return true;
    }
    return false;
}

QSize GridView::bodySize() {
    const QRect area = contentsRect();
    return {std::max(0, area.width() - std::min(fixedColumnsWidth(), area.width())),
            std::max(0, area.height() - std::min(fixedRowsHeight(), area.height()))};
}

GridView::Bars GridView::barsFor(QSize size) {
    // The scroll bars are decided here, not by the views, so that the highest
    // top row is known while the grid is hidden and still laid out.
    const int sideBar = body().horizontalScrollBar()->sizeHint().height();
    const int upBar = body().verticalScrollBar()->sizeHint().width();
    const int contentWidth = bodyColumnsWidth();
    Bars bars;
    for (int pass = 0; pass < 2; ++pass) {
        bars.vertical = bodyRowsTallerThan(size.height() - (bars.horizontal ? sideBar : 0));
        bars.horizontal = contentWidth > size.width() - (bars.vertical ? upBar : 0);
    }
    return bars;
}

QSize GridView::bodyViewportSize(QSize size, Bars bars) const {
    const int sideBar = body().horizontalScrollBar()->sizeHint().height();
    const int upBar = body().verticalScrollBar()->sizeHint().width();
    return {std::max(0, size.width() - (bars.vertical ? upBar : 0)),
            std::max(0, size.height() - (bars.horizontal ? sideBar : 0))};
}

int GridView::endTopRow(QSize size, Bars bars) {
    const int fixed = data_.fixedRowCount();
    const int room = bodyViewportSize(size, bars).height();
    int top = data_.rowCount();
    int height = 0;
    for (int row = data_.rowCount() - 1; row >= fixed; --row) {
        height += rowHeightPixels(row);
        if (height > room)
            break;
        top = row;
    }
    // The last row is at the top when even it does not fit.
    return std::max(fixed, std::min(top, data_.rowCount() - 1));
}

int GridView::rowsHeightFrom(int row) {
    int height = 0;
    for (int below = std::max(row, data_.fixedRowCount()); below < data_.rowCount(); ++below)
        height += rowHeightPixels(below);
    return height;
}

bool GridView::keepsEnd() const {
    return endRow_ >= 0 && endRow_ == data_.rowCount() - 1 && topRow_ >= data_.fixedRowCount() &&
           topRow_ < data_.rowCount();
}

int GridView::rowsRoom(QSize size, Bars bars) {
    const int room = bodyViewportSize(size, bars).height();
    if (!bars.vertical)
        return room;
    // Rows scroll whole. At the highest top row a view aligns the last row
    // with its bottom edge, which would push the top row partly under the
    // fixed rows: the body is as tall as the rows from the highest top row
    // to the last. A view kept at the end keeps its top row when the room
    // grew under it (a fixed row hidden as the top row reached a heading):
    // pulling rows in above it would undo what reaching it did.
    int from = endTopRow(size, bars);
    if (keepsEnd())
        from = std::max(from, topRow_);
    const int height = rowsHeightFrom(from);
    return height > 0 && height <= room ? height : room;
}

int GridView::maximumTopRow() {
    const QSize size = bodySize();
    const int end = endTopRow(size, barsFor(size));
    return keepsEnd() ? std::max(end, topRow_) : end;
}

void GridView::noteTopRowMoved() {
    const QSize size = bodySize();
    const Bars bars = barsFor(size);
    endRow_ = bars.vertical && topRow_ >= endTopRow(size, bars) ? data_.rowCount() - 1 : -1;
}

void GridView::showTopRow(int row) {
    topRow_ = row;
    noteTopRowMoved();
    scheduleSynchronise();
}

void GridView::showCurrentCell(int row, int column) {
    currentRow_ = row;
    currentColumn_ = column;
    scheduleSynchronise();
}

void GridView::placeViews() {
    const QRect area = contentsRect();
    const int fixedWidth = std::min(fixedColumnsWidth(), area.width());
    const int fixedHeight = std::min(fixedRowsHeight(), area.height());
    const QSize size = bodySize();
    const Bars bars = barsFor(size);
    // A view that showed the end keeps showing the last row whole when rows
    // or fixed rows change height. A top row past the end stays where rows
    // changed (a fixed row hidden as the top row reached a heading: taking
    // rows in above would show the fixed row again and push the last row
    // out), while a grid laid out anew (resized, reshaped, new widths or
    // font) fills with the rows above.
    const int end = endTopRow(size, bars);
    if ((refill_ && topRow_ > end) || (keepsEnd() && topRow_ < end))
        topRow_ = end;
    refill_ = false;
    endRow_ = bars.vertical && topRow_ >= end ? data_.rowCount() - 1 : -1;
    const QSize viewport = bodyViewportSize(size, bars);
    const int trimmed = viewport.height() - rowsRoom(size, bars);
    views_[cornerPane]->setGeometry(area.x(), area.y(), fixedWidth, fixedHeight);
    views_[fixedRowsPane]->setGeometry(area.x() + fixedWidth, area.y(), viewport.width(), fixedHeight);
    views_[fixedColumnsPane]->setGeometry(area.x(), area.y() + fixedHeight, fixedWidth, viewport.height() - trimmed);
    QTableView& bodyView = body();
    bodyView.setHorizontalScrollBarPolicy(bars.horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    bodyView.setVerticalScrollBarPolicy(bars.vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    bodyView.setGeometry(area.x() + fixedWidth, area.y() + fixedHeight, size.width(), size.height() - trimmed);
    // Hidden views lay themselves out only when shown; the ranges are needed now.
    for (QTableView* view : views_)
        view->doItemsLayout();
}

void GridView::publishShape() {
    const int rows = data_.rowCount();
    const int columns = data_.columnCount();
    const int fixedRows = data_.fixedRowCount();
    const int fixedColumns = data_.fixedColumnCount();
    models_[cornerPane]->publish(0, fixedRows, 0, fixedColumns);
    models_[fixedRowsPane]->publish(0, fixedRows, fixedColumns, columns);
    models_[fixedColumnsPane]->publish(fixedRows, rows, 0, fixedColumns);
    models_[bodyPane]->publish(fixedRows, rows, fixedColumns, columns);
    for (QTableView* view : views_)
        view->clearSpans();
    shownHeights_.assign(static_cast<std::size_t>(rows), -1);
    shownRuns_.assign(static_cast<std::size_t>(rows), {});
    std::fill(rowDirty_.begin(), rowDirty_.end(), 1);
    anyRowDirty_ = true;
}

void GridView::pushRowLooks() {
    const int fixedRows = data_.fixedRowCount();
    const int fixedColumns = data_.fixedColumnCount();
    for (int row = 0; row < data_.rowCount(); ++row) {
        const auto index = static_cast<std::size_t>(row);
        if (!rowDirty_[index])
            continue;
        rowDirty_[index] = 0;
        const bool fixed = row < fixedRows;
        QTableView* keys = views_[fixed ? cornerPane : fixedColumnsPane];
        QTableView* values = views_[fixed ? fixedRowsPane : bodyPane];
        const int paneRow = fixed ? row : row - fixedRows;
        const int height = rowHeightPixels(row);
        if (shownHeights_[index] != height) {
            shownHeights_[index] = height;
            keys->verticalHeader()->resizeSection(paneRow, height);
            values->verticalHeader()->resizeSection(paneRow, height);
        }
        std::vector<MergedRun> runs = merging_ ? data_.mergedRuns(row) : std::vector<MergedRun>{};
        if (runs == shownRuns_[index])
            continue;
        const auto paneOf = [&](const MergedRun& run) {
            return run.column < fixedColumns ? std::pair{keys, run.column} : std::pair{values, run.column - fixedColumns};
        };
        for (const MergedRun& run : shownRuns_[index]) {
            const auto [view, column] = paneOf(run);
            view->setSpan(paneRow, column, 1, 1);
        }
        for (const MergedRun& run : runs) {
            const auto [view, column] = paneOf(run);
            view->setSpan(paneRow, column, 1, run.count);
        }
        shownRuns_[index] = std::move(runs);
    }
    anyRowDirty_ = false;
}

void GridView::pushColumnWidths() {
    const int fixedColumns = data_.fixedColumnCount();
    for (int column = 0; column < data_.columnCount(); ++column) {
        const bool fixed = column < fixedColumns;
        const int paneColumn = fixed ? column : column - fixedColumns;
        const int width = forms::twipsToPixels(data_.columnWidth(column));
        for (Pane pane : fixed ? std::array{cornerPane, fixedColumnsPane} : std::array{fixedRowsPane, bodyPane})
            views_[pane]->horizontalHeader()->resizeSection(paneColumn, width);
    }
    widthsDirty_ = false;
}

void GridView::applyTopRow() {
    const int value = std::max(0, topRow_ - data_.fixedRowCount());
    const QScopedValueRollback applying(applying_, true);
    body().verticalScrollBar()->setValue(value);
    views_[fixedColumnsPane]->verticalScrollBar()->setValue(value);
}

void GridView::applyCurrentCell() {
    const int row = currentRow_ - data_.fixedRowCount();
    const int column = currentColumn_ - data_.fixedColumnCount();
    const QScopedValueRollback applying(applying_, true);
    const QModelIndex index = models_[bodyPane]->index(row, column);
    if (index.isValid())
        body().selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    else
        body().selectionModel()->clearCurrentIndex();
}

void GridView::followBody(int value) {
    if (applying_)
        return;
    views_[fixedColumnsPane]->verticalScrollBar()->setValue(value);
    const int top = data_.fixedRowCount() + value;
    if (top != topRow_) {
        topRow_ = top;
        noteTopRowMoved();
        if (onViewScrolled)
            onViewScrolled(top);
    }
}

bool GridView::takeShownTopRow() {
    if (!body().isVisible())
        return false;
    const int top = data_.fixedRowCount() + body().verticalScrollBar()->value();
    if (top == topRow_)
        return false;
    topRow_ = top;
    noteTopRowMoved();
    return true;
}

void GridView::adoptShownTopRow() {
    if (takeShownTopRow() && onViewScrolled)
        onViewScrolled(topRow_);
}

void GridView::repaintViews() {
    for (QTableView* view : views_)
        view->viewport()->update();
}

void GridView::synchronise() {
    if (!pending_)
        return;
    pending_ = false;
    const int shownTop = topRow_;
    auto applying = runtime::onScopeExit([this, was = applying_] { applying_ = was; });
    applying_ = true;
    if (shapeDirty_) {
        publishShape();
        shapeDirty_ = false;
    }
    if (widthsDirty_)
        pushColumnWidths();
    if (anyRowDirty_)
        pushRowLooks();
    placeViews();
    applyCurrentCell();
    applyTopRow();
    applying.runNow();
    repaintViews();
    if (!applying_)
        takeShownTopRow();
    // The views moved the top row themselves: that is a scroll as the user's is.
    if (topRow_ != shownTop && onViewScrolled)
        onViewScrolled(topRow_);
}

void GridView::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    refill_ = true;
    pending_ = true;
    synchronise();
}

void GridView::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        metrics_ = {};
        advances_ = {};
        invalidateAllRows();
        scheduleSynchronise();
    }
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    // A view about to paint, or to take the user's keys, mouse or wheel, first
    // shows the cells as they are now.
    switch (event->type()) {
    case QEvent::Paint:
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        if (pending_)
            synchronise();
        break;
    default: break;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace grid
