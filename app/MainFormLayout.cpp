// The main window's widgets and their arrangement, and the pane helpers.
//
//   MainWindow (browsing mode)        PictureWindow (picture mode)
//     ToolBar3                          PictTool
//     FolderSplitter                    ImageEn1 with ErrorLabel on it
//       FolderPanel | InfoSplitter
//                       Panel4 | InfoPanel
//   status bar: StatusBarIn, ChannelPl, TaskLabel, TaskProgress
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
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
#include "app/PictureView.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"

namespace {

constexpr int kSplitterWidth = 3;
constexpr int kMinPaneWidth = 100;
// The design size of the client area (below the menu bar).
constexpr int kDesignWidth = 802;
constexpr int kDesignHeight = 513;

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

QVBoxLayout* Column(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

QSplitter* PaneSplitter(QWidget* parent)
{
    auto* splitter = new QSplitter(Qt::Horizontal, parent);
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);
    return splitter;
}

QLabel* SunkenPart(QWidget* parent, int width)
{
    auto* label = new QLabel(parent);
    label->setFixedWidth(width);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

void TForm1::BuildLayout()
{
    setWindowTitle(QStringLiteral("Voviro"));

    auto* central = new QWidget(this);
    QVBoxLayout* centralLayout = Column(central);
    setCentralWidget(central);

    // Browsing mode.
    MainWindow = new QWidget(central);
    QVBoxLayout* mainLayout = Column(MainWindow);
    ToolBar3 = new QToolBar(MainWindow);
    ToolBar3->setFixedHeight(28);
    mainLayout->addWidget(ToolBar3);

    FolderSplitter = PaneSplitter(MainWindow);
    mainLayout->addWidget(FolderSplitter, 1);

    FolderPanel = new QWidget(FolderSplitter);
    QVBoxLayout* folderLayout = Column(FolderPanel);
    folderLayout->addWidget(PaneHeader(QStringLiteral("フォルダ"), FolderPanel, [this] { ShowFolderView(); }));
    folderLayout->addWidget(ThinLine(FolderPanel));
    PTShellTree1 = new FolderTree(FolderPanel);
    folderLayout->addWidget(PTShellTree1, 1);
    FolderPanel->setMinimumWidth(kMinPaneWidth);

    InfoSplitter = PaneSplitter(FolderSplitter);

    // The file view may get narrower than the panes' minimum: FormResize then makes room.
    Panel4 = new QStackedWidget(InfoSplitter);
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

    InfoPanel = new QWidget(InfoSplitter);
    QVBoxLayout* infoLayout = Column(InfoPanel);
    Splitter1 = new QSplitter(Qt::Vertical, InfoPanel);
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: black; }"));
    auto* histogramBox = new QWidget(Splitter1);
    QVBoxLayout* histogramLayout = Column(histogramBox);
    histogramLayout->addWidget(
        PaneHeader(QStringLiteral("ヒストグラム"), histogramBox, [this] { Action_ShowInfoExecute(); }));
    histogramLayout->addWidget(ThinLine(histogramBox));
    HistogramPlace = new QWidget(histogramBox);
    histogramLayout->addWidget(HistogramPlace, 1);
    auto* infoBox = new QWidget(Splitter1);
    QVBoxLayout* infoBoxLayout = Column(infoBox);
    infoBoxLayout->addWidget(PaneHeader(QStringLiteral("画像情報"), infoBox, {}));
    InfoFramePlace = new QWidget(infoBox);
    infoBoxLayout->addWidget(InfoFramePlace, 1);
    infoLayout->addWidget(Splitter1, 1);
    InfoPanel->setMinimumWidth(kMinPaneWidth);

    // Extra width goes to the file view; the side panes keep theirs.
    FolderSplitter->setStretchFactor(0, 0);
    FolderSplitter->setStretchFactor(1, 1);
    InfoSplitter->setStretchFactor(0, 1);
    InfoSplitter->setStretchFactor(1, 0);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    connect(FolderSplitter, &QSplitter::splitterMoved, this, [this] { TakePaneSizes(); });
    connect(InfoSplitter, &QSplitter::splitterMoved, this, [this] { TakePaneSizes(); });
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { TakePaneSizes(); });
    centralLayout->addWidget(MainWindow, 1);

    // Picture mode.
    PictureWindow = new QWidget(central);
    QVBoxLayout* pictureLayout = Column(PictureWindow);
    PictTool = new QToolBar(PictureWindow);
    pictureLayout->addWidget(PictTool);
    ImageEn1 = new PictureView(PictureWindow);
    pictureLayout->addWidget(ImageEn1, 1);
    // On the view itself rather than its viewport, so that scrolling never moves it.
    ErrorLabel = new QLabel(ImageEn1);
    ErrorLabel->move(8, 8);
    ErrorLabel->setStyleSheet(QStringLiteral("color: silver; background: transparent;"));
    ErrorLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    ErrorLabel->hide();
    PictureWindow->hide();
    centralLayout->addWidget(PictureWindow, 1);

    // Status bar: message, view mode, task name, task progress, 3 pixels apart.
    auto* parts = new QWidget(this);
    auto* partsLayout = new QHBoxLayout(parts);
    partsLayout->setContentsMargins(0, 0, 0, 0);
    partsLayout->setSpacing(3);
    StatusBarIn = new QLabel(parts);
    StatusBarIn->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StatusBarIn->setMinimumWidth(1);
    ChannelPl = SunkenPart(parts, 98);
    TaskLabel = SunkenPart(parts, 124);
    TaskProgress = new QProgressBar(parts);
    TaskProgress->setFixedWidth(150);
    TaskProgress->setRange(0, 100);
    TaskProgress->setValue(0);
    TaskProgress->setTextVisible(false);
    partsLayout->addWidget(StatusBarIn, 1);
    partsLayout->addWidget(ChannelPl);
    partsLayout->addWidget(TaskLabel);
    partsLayout->addWidget(TaskProgress);
    statusBar()->addWidget(parts, 1);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(21);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(400);

    connect(PTShellTree1, &FolderTree::Changed, this, [this] { PTShellTree1Change(); });
    PTShellTree1->Changing = [this](const std::string& folder) { return PTShellTree1Changing(folder); };
    DrawGrid1->OnDrawCell = [this](int col, int row, const QRect& rect, bool selected, QPainter& painter) {
        DrawGrid1DrawCell(col, row, rect, selected, painter);
    };
    DrawGrid1->OnSelectCell = [this] { ShowItemInfo(CurrentIndex()); };
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this] { ShowItemInfo(CurrentIndex()); });
    SetupThumbnailViews();
    BuildMenus();
    SetupPictureView();
    SetupFileOperations();

    resize(kDesignWidth, kDesignHeight + menuBar()->sizeHint().height());
    ApplyPaneSizes();
}

bool TForm1::PictureMode() const
{
    return !PictureWindow->isHidden();
}

bool TForm1::FolderPaneVisible() const
{
    return !FolderPanel->isHidden();
}

void TForm1::SetFolderPaneVisible(bool visible)
{
    SetPaneVisible(FolderPanel, visible);
}

bool TForm1::InfoPaneVisible() const
{
    return !InfoPanel->isHidden();
}

void TForm1::SetInfoPaneVisible(bool visible)
{
    SetPaneVisible(InfoPanel, visible);
}

void TForm1::SetPaneVisible(QWidget* pane, bool visible)
{
    if (visible == !pane->isHidden())
        return;
    // A pane's size is remembered while it is hidden and given back when it shows again.
    if (!visible)
        TakePaneSizes();
    // The splitter hides its handle with the pane, so the handle stays on the pane's side.
    pane->setVisible(visible);
    if (visible)
        ApplyPaneSizes();
}

// The pane sizes are kept in fields so that they are right before the window is
// first shown and while a pane is hidden; dragging a splitter updates them.
void TForm1::ApplyPaneSizes()
{
    // Before the window is laid out the splitters have no width yet; the sizes
    // given then are taken as proportions and the side panes keep theirs.
    const int minimumInner = infoWidth_ + kSplitterWidth + kMinPaneWidth;
    const int folderShare = FolderPaneVisible() ? folderWidth_ + kSplitterWidth : 0;
    const int inner = std::max(FolderSplitter->width() - folderShare, minimumInner);
    FolderSplitter->setSizes({ folderWidth_, inner });
    InfoSplitter->setSizes({ inner - infoWidth_ - kSplitterWidth, infoWidth_ });
    const int histogramBox = histogramHeight_ + HistogramChrome();
    const int column = std::max(Splitter1->height(), histogramBox + 100);
    Splitter1->setSizes({ histogramBox, column - histogramBox });
}

void TForm1::TakePaneSizes()
{
    // Before the first showing the splitters hold proportions, not the panes' widths.
    if (!shown_)
        return;
    const QList<int> outer = FolderSplitter->sizes();
    if (FolderPaneVisible() && !outer.isEmpty() && outer[0] > 0)
        folderWidth_ = outer[0];
    const QList<int> inner = InfoSplitter->sizes();
    if (InfoPaneVisible() && inner.size() > 1 && inner[1] > 0)
        infoWidth_ = inner[1];
    const QList<int> column = Splitter1->sizes();
    if (InfoPaneVisible() && !column.isEmpty() && column[0] > 0)
        histogramHeight_ = std::max(column[0] - HistogramChrome(), 0);
}

int TForm1::HistogramChrome() const
{
    return HistogramPlace->parentWidget()->layout()->itemAt(0)->sizeHint().height()
        + HistogramPlace->parentWidget()->layout()->itemAt(1)->sizeHint().height();
}

int TForm1::FolderPaneWidth() const
{
    return folderWidth_;
}

void TForm1::SetFolderPaneWidth(int width)
{
    folderWidth_ = std::max(width, kMinPaneWidth);
    ApplyPaneSizes();
}

int TForm1::MaxInfoPaneWidth() const
{
    const int folderShare = FolderPaneVisible() ? folderWidth_ + kSplitterWidth : 0;
    return std::max(width() - folderShare - kSplitterWidth - kMinPaneWidth, kMinPaneWidth);
}

int TForm1::InfoPaneWidth() const
{
    return infoWidth_;
}

void TForm1::SetInfoPaneWidth(int width)
{
    infoWidth_ = std::max(width, kMinPaneWidth);
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
