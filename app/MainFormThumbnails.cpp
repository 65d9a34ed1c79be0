// The thumbnail grid and the thumbnail maker as the main window drives them:
// view types, grid layout, cell drawing, starting and stopping the maker.
#include <QPainter>
#include <QStackedWidget>
#include <QTreeView>

#include "app/MainForm.h"
#include "app/PathText.h"
#include "catalogue/ui/ResizeDrawGrid.h"

void TForm1::LayoutGrid()
{
    int count = 0;
    {
        std::lock_guard lock(Catalogue.Mutex());
        count = Catalogue.Count();
    }
    const int cols = std::max(1, (DrawGrid1->width() - 20) / DrawGrid1->DefaultColWidth());
    DrawGrid1->SetColCount(cols);
    DrawGrid1->SetRowCount(std::max(1, (count + cols - 1) / cols));
}

void TForm1::ChangeViewType(int viewType)
{
    ViewType = viewType;
    // The grid's cell sizes by view type.
    int width = 100, height = 100;
    switch (viewType) {
    case 5: width = 64; height = 62; break;
    case 4: width = 103; height = 94; break;
    case 3: width = 155; height = 141; break;
    case 9: width = 154; height = 220; break;
    default: break;
    }
    if (viewType == 0) {
        Panel4->setCurrentWidget(ListView1);
    } else {
        DrawGrid1->SetDefaultColWidth(width);
        DrawGrid1->SetDefaultRowHeight(height);
        Panel4->setCurrentWidget(DrawGrid1);
        LayoutGrid();
    }
}

void TForm1::DrawGrid1DrawCell(int col, int row, const QRect& rect, bool selected, QPainter& painter)
{
    const int index = col + row * DrawGrid1->ColCount();
    std::lock_guard lock(Catalogue.Mutex());
    if (index >= Catalogue.Count()) {
        painter.fillRect(rect, Qt::white);
        return;
    }
    const catalogue::TImageCache& record = Catalogue.At(index);
    const QRect inner = rect.adjusted(2, 2, -2, -2);
    painter.fillRect(inner, record.Checked ? QColor(255, 209, 134) : QColor(239, 239, 239));
    painter.setPen(selected ? QColor(255, 0, 0) : QColor(0, 0, 0));
    painter.drawText(inner.adjusted(2, 2, -2, -2), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                     QString::fromUtf8(BaseName(record.FileName)));
}

void TForm1::StopThumbnailMaker() {}

void TForm1::StartThumbnailMaker() {}
