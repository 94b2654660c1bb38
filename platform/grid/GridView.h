#pragma once

#include "GridData.h"
#include "GridModel.h"

#include <QFrame>
#include <QTableView>

#include <array>
#include <compare>
#include <functional>
#include <map>
#include <vector>

namespace grid {

// What a grid shows of its cells, on four table views over the same cells:
// the fixed corner, the fixed rows (scrolling sideways only), the fixed
// columns (scrolling up and down only) and the scrolling body. The cells are
// the truth; the views follow them in one synchronisation, run before the
// views paint or at once when asked, so a fill of many cells lays them out once.
class GridView : public QFrame {
    Q_OBJECT
public:
    explicit GridView(const GridData& data, QWidget* parent = nullptr);
    ~GridView() override;

    // Changes of the cells, noted for the next synchronisation. A change of
    // shape that keeps the rows as they were (rows added or removed at the
    // end) keeps what was measured of them.
    void noteShapeChanged(bool rowsKept = false);
    void noteRowChanged(int row);
    void noteLooksChanged();
    void noteColumnWidthsChanged();
    void setWordWrap(bool wrap);
    bool wordWrap() const { return wordWrap_; }
    void setMerging(bool merging);
    bool merging() const { return merging_; }

    // The height a row shows, in pixels: its least height, or the height of
    // its wrapped text when that is taller.
    int rowHeightPixels(int row);
    // The highest row that can be the top row: the last rows fill the body.
    int maximumTopRow();
    int topRow() const { return topRow_; }
    void showTopRow(int row);
    void showCurrentCell(int row, int column);

    void synchronise();
    // The font a cell shows its text in.
    QFont fontOf(const CellFormat& format) const;
    // Whether a text surely fits on one line of the given width in a font,
    // from the advances of its characters; false when that cannot be told cheaply.
    bool surelyFitsOneLine(const QString& text, const QFont& font, int width);
    QTableView& body() const { return *views_[bodyPane]; }

    // Raised when the user (keys, wheel, scroll bar) moves the body.
    std::function<void(int topRow)> onViewScrolled;
    std::function<void(int row, int column)> onViewCurrentChanged;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Pane { cornerPane, fixedRowsPane, fixedColumnsPane, bodyPane };
    class CellPainter;
    struct Bars {
        bool horizontal = false;
        bool vertical = false;
    };

    void scheduleSynchronise();
    void invalidateAllRows();
    // The cells' fonts differ from the grid's only in weight, slant and size.
    struct FontKey {
        bool bold = false;
        bool italic = false;
        double size = 0;
        friend auto operator<=>(const FontKey&, const FontKey&) = default;
    };
    static FontKey keyOf(const QFont& font);
    const QFontMetrics& metricsOf(const QFont& font);
    int measureRow(int row);
    int fixedRowsHeight();
    int fixedColumnsWidth() const;
    int bodyColumnsWidth() const;
    // Whether the body rows, summed from the last up, are taller than pixels.
    bool bodyRowsTallerThan(int pixels);
    Bars barsFor(QSize bodySize);
    QSize bodyViewportSize(QSize bodySize, Bars bars) const;
    // The first of the last rows that fit whole in the body: the top row at the end.
    int endTopRow(QSize bodySize, Bars bars);
    int rowsHeightFrom(int row);
    // The height the body gives its rows.
    int rowsRoom(QSize bodySize, Bars bars);
    // Whether the view shows the end of the grid and is to keep showing it.
    bool keepsEnd() const;
    // Notes whether the top row, just moved, shows the end of the grid.
    void noteTopRowMoved();
    QSize bodySize();
    void placeViews();
    void publishShape();
    void pushRowLooks();
    void pushColumnWidths();
    void applyTopRow();
    void applyCurrentCell();
    void followBody(int value);
    // Takes the top row the body shows when the views had to clamp it,
    // telling whether it moved; adoptShownTopRow reports the move as a scroll.
    bool takeShownTopRow();
    void adoptShownTopRow();
    void repaintViews();

    const GridData& data_;
    std::array<GridModel*, 4> models_{};
    std::array<QTableView*, 4> views_{};
    CellPainter* painter_ = nullptr;

    bool wordWrap_ = false;
    bool merging_ = false;
    bool pending_ = false;
    bool queued_ = false;
    bool shapeDirty_ = true;
    bool widthsDirty_ = true;
    bool applying_ = false;

    // Per row: height in pixels (-1 to measure), what the views show.
    std::vector<int> heights_;
    std::vector<int> shownHeights_;
    std::vector<std::vector<MergedRun>> shownRuns_;
    std::vector<char> rowDirty_;
    bool anyRowDirty_ = true;

    std::map<FontKey, QFontMetrics> metrics_;
    // Advances of the printable ASCII characters per font, measured when first needed.
    std::map<FontKey, std::vector<double>> advances_;
    int topRow_ = 0;
    // The last row while the view shows it whole at the end of the grid, else -1.
    int endRow_ = -1;
    // The grid was laid out anew (resized, reshaped, new widths or font) since the views were placed.
    bool refill_ = false;
    int currentRow_ = -1;
    int currentColumn_ = -1;
};

} // namespace grid
