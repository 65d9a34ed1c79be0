#pragma once
// TResizeDrawGrid: an owner-drawn grid of equal cells with a vertical scroll
// bar. It paints nothing itself: each visible cell is handed to the OnDrawCell
// callback. It reports every change of its size through OnResize.

#include <QAbstractScrollArea>
#include <functional>

class TResizeDrawGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TResizeDrawGrid(QWidget* parent = nullptr);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Setting a count it already has changes and repaints nothing.
    void SetColCount(int n);
    void SetRowCount(int n);
    int DefaultColWidth() const { return colWidth_; }
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultColWidth(int w);
    void SetDefaultRowHeight(int h);

    // The current (focused) cell.
    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCurrent(int col, int row);
    int TopRow() const;
    // The last row that shows at least partly (the paint code draws TopRow() to this).
    int LastVisibleRow() const;
    // Client rectangle of a cell in viewport coordinates.
    QRect CellRect(int col, int row) const;
    // The cell under a viewport point; false when the point is on no cell.
    bool MouseToCell(const QPoint& pos, int& col, int& row) const;
    void ScrollToCurrent();

    // The number of cells that hold something; End goes to the last of them (all cells when unset).
    std::function<int()> ItemCount;

    // Whether the resize event is suppressed (the window sets it while it shows or hides panes).
    int Tag = 0;

    std::function<void(int col, int row, const QRect& rect, bool selected, QPainter& painter)> OnDrawCell;
    std::function<void(int width, int height)> OnResize;
    // Called after the current cell changed through the keyboard or mouse.
    std::function<void()> OnSelectCell;
    // Mouse and keyboard, after the grid's own handling (only a left press moves
    // the current cell; arrows, page keys, Home and End move it by keyboard).
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseUp;
    std::function<void(QMouseEvent*)> OnMouseMove;
    std::function<void(QMouseEvent*)> OnDblClick;
    // Keys the grid does not use itself; return true when the key was taken.
    std::function<bool(QKeyEvent*)> OnKeyDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void UpdateScrollBar();
    int colCount_ = 1, rowCount_ = 1;
    int colWidth_ = 100, rowHeight_ = 100;
    int col_ = 0, row_ = 0;
};
