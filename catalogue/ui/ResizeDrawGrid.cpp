#include "catalogue/ui/ResizeDrawGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

TResizeDrawGrid::TResizeDrawGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
}

void TResizeDrawGrid::SetColCount(int n)
{
    if (std::max(n, 1) == colCount_)
        return;
    colCount_ = std::max(n, 1);
    col_ = std::min(col_, colCount_ - 1);
    UpdateScrollBar();
    viewport()->update();
}

void TResizeDrawGrid::SetRowCount(int n)
{
    if (std::max(n, 1) == rowCount_)
        return;
    rowCount_ = std::max(n, 1);
    row_ = std::min(row_, rowCount_ - 1);
    UpdateScrollBar();
    viewport()->update();
}

void TResizeDrawGrid::SetDefaultColWidth(int w)
{
    colWidth_ = std::max(w, 1);
    UpdateScrollBar();
    viewport()->update();
}

void TResizeDrawGrid::SetDefaultRowHeight(int h)
{
    rowHeight_ = std::max(h, 1);
    verticalScrollBar()->setSingleStep(rowHeight_);
    UpdateScrollBar();
    viewport()->update();
}

void TResizeDrawGrid::SetCurrent(int col, int row)
{
    col_ = std::clamp(col, 0, colCount_ - 1);
    row_ = std::clamp(row, 0, rowCount_ - 1);
    ScrollToCurrent();
    viewport()->update();
}

int TResizeDrawGrid::TopRow() const
{
    return verticalScrollBar()->value() / rowHeight_;
}

int TResizeDrawGrid::LastVisibleRow() const
{
    return std::min(rowCount_ - 1, (verticalScrollBar()->value() + viewport()->height()) / rowHeight_);
}

QRect TResizeDrawGrid::CellRect(int col, int row) const
{
    return QRect(col * colWidth_, row * rowHeight_ - verticalScrollBar()->value(), colWidth_, rowHeight_);
}

bool TResizeDrawGrid::MouseToCell(const QPoint& pos, int& col, int& row) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return false;
    col = pos.x() / colWidth_;
    row = (pos.y() + verticalScrollBar()->value()) / rowHeight_;
    return col < colCount_ && row < rowCount_;
}

void TResizeDrawGrid::ScrollToCurrent()
{
    QScrollBar* bar = verticalScrollBar();
    const int top = row_ * rowHeight_;
    if (top < bar->value())
        bar->setValue(top);
    else if (top + rowHeight_ > bar->value() + viewport()->height())
        bar->setValue(top + rowHeight_ - viewport()->height());
}

void TResizeDrawGrid::UpdateScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(viewport()->height(), 1));
    bar->setRange(0, std::max(0, rowCount_ * rowHeight_ - viewport()->height()));
}

void TResizeDrawGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    if (!OnDrawCell)
        return;
    const int first = TopRow();
    const int last = LastVisibleRow();
    for (int row = first; row <= last; ++row)
        for (int col = 0; col < colCount_; ++col)
            OnDrawCell(col, row, CellRect(col, row), col == col_ && row == row_, painter);
}

void TResizeDrawGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBar();
    if (OnResize)
        OnResize(viewport()->width(), viewport()->height());
}

void TResizeDrawGrid::keyPressEvent(QKeyEvent* event)
{
    int col = col_, row = row_;
    const int page = std::max(1, viewport()->height() / rowHeight_);
    switch (event->key()) {
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        col = 0;
        row = 0;
        break;
    case Qt::Key_End: {
        const int count = ItemCount ? ItemCount() : colCount_ * rowCount_;
        const int last = std::max(count, 1) - 1;
        col = last % colCount_;
        row = last / colCount_;
        break;
    }
    default:
        if (!OnKeyDown || !OnKeyDown(event))
            QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    SetCurrent(col, row);
    if (OnSelectCell)
        OnSelectCell();
}

void TResizeDrawGrid::mousePressEvent(QMouseEvent* event)
{
    int col = 0, row = 0;
    if (event->button() == Qt::LeftButton && MouseToCell(event->position().toPoint(), col, row)) {
        SetCurrent(col, row);
        if (OnSelectCell)
            OnSelectCell();
    }
    if (OnMouseDown)
        OnMouseDown(event);
    QAbstractScrollArea::mousePressEvent(event);
}

void TResizeDrawGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnMouseUp)
        OnMouseUp(event);
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TResizeDrawGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event);
    QAbstractScrollArea::mouseMoveEvent(event);
}

void TResizeDrawGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnDblClick)
        OnDblClick(event);
    else
        QAbstractScrollArea::mouseDoubleClickEvent(event);
}
