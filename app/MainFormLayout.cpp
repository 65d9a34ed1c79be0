// The main window's widgets and their arrangement, and the pane helpers.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"

namespace {

// A pane's header row: a caption and, at its right end, a small close button.
QWidget* PaneHeader(const QString& caption, QWidget* parent, const std::function<void()>& onClose)
{
    auto* header = new QWidget(parent);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(4, 1, 1, 1);
    row->addWidget(new QLabel(caption, header), 1);
    if (onClose) {
        auto* close = new QToolButton(header);
        close->setText(QStringLiteral("×"));
        close->setAutoRaise(true);
        close->setFixedSize(16, 16);
        QObject::connect(close, &QToolButton::clicked, header, onClose);
        row->addWidget(close);
    }
    return header;
}

QFrame* ThinLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void TForm1::BuildLayout()
{
    setWindowTitle(QStringLiteral("Voviro"));
    resize(802, 513);

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    setCentralWidget(central);

    // Browsing mode.
    MainWindow = new QWidget(central);
    auto* mainLayout = new QVBoxLayout(MainWindow);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);
    ToolBar3 = new QToolBar(MainWindow);
    ToolBar3->setFixedHeight(28);
    mainLayout->addWidget(ToolBar3);

    FolderSplitter = new QSplitter(Qt::Horizontal, MainWindow);
    FolderSplitter->setHandleWidth(3);
    FolderSplitter->setChildrenCollapsible(false);
    mainLayout->addWidget(FolderSplitter, 1);

    FolderPanel = new QWidget(FolderSplitter);
    auto* folderLayout = new QVBoxLayout(FolderPanel);
    folderLayout->setContentsMargins(0, 0, 0, 0);
    folderLayout->setSpacing(0);
    folderLayout->addWidget(PaneHeader(QStringLiteral("フォルダ"), FolderPanel, [this] { SetFolderPaneVisible(false); }));
    folderLayout->addWidget(ThinLine(FolderPanel));
    PTShellTree1 = new FolderTree(FolderPanel);
    folderLayout->addWidget(PTShellTree1, 1);
    FolderPanel->setMinimumWidth(100);

    Panel4 = new QStackedWidget(FolderSplitter);
    Panel4->setMinimumWidth(20);
    DrawGrid1 = new TResizeDrawGrid(Panel4);
    Panel4->addWidget(DrawGrid1);
    ListView1 = new QTreeView(Panel4);
    ListModel = new CatalogueListModel(Catalogue, ListView1);
    ListView1->setModel(ListModel);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setStretchLastSection(false);
    ListModel->RowStyle = [this](int row, int role) { return ListRowStyle(row, role); };
    Panel4->addWidget(ListView1);

    InfoPanel = new QWidget(FolderSplitter);
    auto* infoLayout = new QVBoxLayout(InfoPanel);
    infoLayout->setContentsMargins(0, 0, 0, 0);
    infoLayout->setSpacing(0);
    Splitter1 = new QSplitter(Qt::Vertical, InfoPanel);
    Splitter1->setHandleWidth(4);
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: black; }"));
    auto* histogramBox = new QWidget(Splitter1);
    auto* histogramLayout = new QVBoxLayout(histogramBox);
    histogramLayout->setContentsMargins(0, 0, 0, 0);
    histogramLayout->setSpacing(0);
    histogramLayout->addWidget(PaneHeader(QStringLiteral("ヒストグラム"), histogramBox, [this] { SetInfoPaneVisible(false); }));
    histogramLayout->addWidget(ThinLine(histogramBox));
    HistogramPlace = new QWidget(histogramBox);
    histogramLayout->addWidget(HistogramPlace, 1);
    auto* infoBox = new QWidget(Splitter1);
    auto* infoBoxLayout = new QVBoxLayout(infoBox);
    infoBoxLayout->setContentsMargins(0, 0, 0, 0);
    infoBoxLayout->setSpacing(0);
    infoBoxLayout->addWidget(PaneHeader(QStringLiteral("画像情報"), infoBox, {}));
    InfoFramePlace = new QWidget(infoBox);
    infoBoxLayout->addWidget(InfoFramePlace, 1);
    infoLayout->addWidget(Splitter1, 1);
    InfoPanel->setMinimumWidth(100);

    FolderSplitter->setStretchFactor(0, 0);
    FolderSplitter->setStretchFactor(1, 1);
    FolderSplitter->setStretchFactor(2, 0);
    ApplyPaneSizes();
    connect(FolderSplitter, &QSplitter::splitterMoved, this, [this] { TakePaneSizes(); });
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { TakePaneSizes(); });
    centralLayout->addWidget(MainWindow, 1);

    // Picture mode.
    PictureWindow = new QWidget(central);
    auto* pictureLayout = new QVBoxLayout(PictureWindow);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    pictureLayout->setSpacing(0);
    PictTool = new QToolBar(PictureWindow);
    pictureLayout->addWidget(PictTool);
    PictureViewPlace = new QWidget(PictureWindow);
    PictureViewPlace->setStyleSheet(QStringLiteral("background: black;"));
    pictureLayout->addWidget(PictureViewPlace, 1);
    ErrorLabel = new QLabel(PictureViewPlace);
    ErrorLabel->move(8, 8);
    ErrorLabel->setStyleSheet(QStringLiteral("color: silver; background: transparent;"));
    ErrorLabel->hide();
    PictureWindow->hide();
    centralLayout->addWidget(PictureWindow, 1);

    // Status bar: message, view mode, task name, task progress.
    StatusBarIn = new QLabel(this);
    ChannelPl = new QLabel(this);
    ChannelPl->setFixedWidth(98);
    ChannelPl->setFrameShape(QFrame::Panel);
    ChannelPl->setFrameShadow(QFrame::Sunken);
    TaskLabel = new QLabel(this);
    TaskLabel->setFixedWidth(124);
    TaskLabel->setFrameShape(QFrame::Panel);
    TaskLabel->setFrameShadow(QFrame::Sunken);
    TaskProgress = new QProgressBar(this);
    TaskProgress->setFixedWidth(150);
    TaskProgress->setRange(0, 100);
    TaskProgress->setValue(0);
    TaskProgress->setTextVisible(false);
    statusBar()->addWidget(StatusBarIn, 1);
    statusBar()->addPermanentWidget(ChannelPl);
    statusBar()->addPermanentWidget(TaskLabel);
    statusBar()->addPermanentWidget(TaskProgress);
    statusBar()->setFixedHeight(21);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(400);

    connect(PTShellTree1, &FolderTree::Changed, this, [this] { PTShellTree1Change(); });
    DrawGrid1->OnDrawCell = [this](int col, int row, const QRect& rect, bool selected, QPainter& painter) {
        DrawGrid1DrawCell(col, row, rect, selected, painter);
    };
    DrawGrid1->OnSelectCell = [this] { ShowItemInfo(CurrentIndex()); };
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowItemInfo(CurrentIndex()); });
    SetupThumbnailViews();
}

bool TForm1::PictureMode() const
{
    return PictureWindow->isVisible();
}

bool TForm1::FolderPaneVisible() const
{
    return !FolderPanel->isHidden();
}

void TForm1::SetFolderPaneVisible(bool visible)
{
    FolderPanel->setVisible(visible);
}

bool TForm1::InfoPaneVisible() const
{
    return !InfoPanel->isHidden();
}

void TForm1::SetInfoPaneVisible(bool visible)
{
    InfoPanel->setVisible(visible);
}

// The pane sizes are kept in fields so that they are right before the window is
// first shown and while a pane is hidden; dragging a splitter updates them.
void TForm1::ApplyPaneSizes()
{
    const int total = std::max(FolderSplitter->width(), folderWidth_ + infoWidth_ + 100);
    FolderSplitter->setSizes({folderWidth_, std::max(total - folderWidth_ - infoWidth_, 1), infoWidth_});
    const int total2 = std::max(Splitter1->height(), histogramHeight_ + HistogramChrome() + 100);
    Splitter1->setSizes({histogramHeight_ + HistogramChrome(), total2 - histogramHeight_ - HistogramChrome()});
}

void TForm1::TakePaneSizes()
{
    const QList<int> sizes = FolderSplitter->sizes();
    if (FolderPaneVisible() && sizes.size() > 0 && sizes[0] > 0)
        folderWidth_ = sizes[0];
    if (InfoPaneVisible() && sizes.size() > 2 && sizes[2] > 0)
        infoWidth_ = sizes[2];
    const QList<int> sizes1 = Splitter1->sizes();
    if (InfoPaneVisible() && !sizes1.isEmpty() && sizes1[0] > 0)
        histogramHeight_ = std::max(sizes1[0] - HistogramChrome(), 0);
}

int TForm1::HistogramChrome() const
{
    return HistogramPlace->parentWidget()->layout()->itemAt(0)->sizeHint().height() +
           HistogramPlace->parentWidget()->layout()->itemAt(1)->sizeHint().height();
}

int TForm1::FolderPaneWidth() const
{
    return folderWidth_;
}

void TForm1::SetFolderPaneWidth(int width)
{
    folderWidth_ = std::max(width, 100);
    ApplyPaneSizes();
}

int TForm1::InfoPaneWidth() const
{
    return infoWidth_;
}

void TForm1::SetInfoPaneWidth(int width)
{
    infoWidth_ = std::max(width, 100);
    ApplyPaneSizes();
}

int TForm1::HistogramHeight() const
{
    return histogramHeight_;
}

void TForm1::SetHistogramHeight(int height)
{
    histogramHeight_ = std::max(height, 0);
    ApplyPaneSizes();
}
