#include "analysis/ui/HistogramFrame.h"
#include "app/MessageBoxes.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/HistogramChart.h"
#include "analysis/ui/ChartSave.h"
#include "analysis/ui/HistogramIcons.h"
#include "analysis/ui/HistogramSize.h"
#include "analysis/ui/QtChartCanvas.h"

using namespace analysis;

namespace {

struct ModeLook {
    const char* entry;
    int icon;
};
const ModeLook kModes[5] = {
    { "RGB モード", H_RGB },
    { "HSV モード", H_HSV },
    { "CIE &a*b* 色分布", H_LAB },
    { "CIE &u'v' 色度分布", H_LUV },
    { "CIE 3D L*a*b* プロット", H_3DLAB },
};

// Graph styles in menu order.
const TVX_Type kStyles[3] = { VX_SMOOTH, VX_DOT, VX_LINE };
const char* const kStyleNames[3] = { "スムース", "ドット", "ライン" };
int StyleIcon(TVX_Type type)
{
    return type == VX_SMOOTH ? H_SBAR : type == VX_DOT ? H_BAR : H_LINE;
}

const char* const kLayoutNames[3] = { "複合表示", "複数行表示", "複数列表示" };
const int kLayoutIcons[3] = { H_ONE, H_M1, H_M2 };

// Colour-space entries in menu order, with their ColorSpace values.
const char* const kSpaceNames[4] = { "sRGB(D65)", "sRGB(C)", "AdobeRGB", "NTSC(1952)" };
const int kSpaceValues[4] = { 0, 3, 1, 2 };

const char* const kSaveFilters[5] = {
    "JPEG Bitmap (JPG) (*.jpg)",
    "TIFF Bitmap (TIF) (*.tif)",
    "PaintBrush (PCX) (*.pcx)",
    "Portable Network Graphics (PNG) (*.png)",
    "Windows Bitmap (BMP) (*.bmp)",
};
const char* const kSaveExtensions[5] = { ".jpg", ".tif", ".pcx", ".png", ".bmp" };
const TChartFormat kSaveFormats[5]
    = { TChartFormat::Jpeg, TChartFormat::Tiff, TChartFormat::Pcx, TChartFormat::Png, TChartFormat::Bmp };

QToolButton* NewButton(QToolBar* bar, int icon, const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setIcon(HistogramIcon(icon));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

} // namespace

THistogramFrame::THistogramFrame(QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setIconSize(QSize(16, 16));
    column->addWidget(ToolBar1);
    Image1 = new THistogramChartView(this);
    column->addWidget(Image1, 1);
    BuildMenus();
    BuildToolBar();
    VX_Histogram1.LineColor = kGridGrey;
    UpdateTools();
}

THistogramFrame::~THistogramFrame() = default;

void THistogramFrame::BuildMenus()
{
    PopupMenu4 = new QMenu(this);
    modeGroup_ = new QActionGroup(this);
    for (int m = 0; m < 5; ++m) {
        modeEntries_[m] = PopupMenu4->addAction(QString::fromUtf8(kModes[m].entry), this, [this, m] { SelectMode(m); });
        modeEntries_[m]->setCheckable(true);
        modeGroup_->addAction(modeEntries_[m]);
    }

    PopupMenu1 = new QMenu(this);
    styleGroup_ = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        styleEntries_[i]
            = PopupMenu1->addAction(QString::fromUtf8(kStyleNames[i]), this, [this, i] { SetGraphType(kStyles[i]); });
        styleEntries_[i]->setCheckable(true);
        styleGroup_->addAction(styleEntries_[i]);
    }
    PopupMenu1->addSeparator();
    GridLines = PopupMenu1->addAction(QStringLiteral("目盛線"), this, [this] {
        VX_Histogram1.LineColor = VX_Histogram1.LineColor == kGridGrey ? kBlack : kGridGrey;
        UpdateTools();
        RefreshChart();
    });
    GridLines->setCheckable(true);

    PopupMenu2 = new QMenu(this);
    layoutGroup_ = new QActionGroup(this);
    for (int i = 0; i < 3; ++i) {
        layoutEntries_[i]
            = PopupMenu2->addAction(QString::fromUtf8(kLayoutNames[i]), this, [this, i] { SetLayout(i); });
        layoutEntries_[i]->setCheckable(true);
        layoutGroup_->addAction(layoutEntries_[i]);
    }

    PopupMenu5 = new QMenu(this);
    spaceGroup_ = new QActionGroup(this);
    for (int i = 0; i < 4; ++i) {
        spaceEntries_[i] = PopupMenu5->addAction(
            QString::fromUtf8(kSpaceNames[i]), this, [this, i] { SetColourSpace(kSpaceValues[i]); });
        spaceEntries_[i]->setCheckable(true);
        spaceGroup_->addAction(spaceEntries_[i]);
    }

    PopupMenu3 = new QMenu(this);
    QAction* copy = PopupMenu3->addAction(
        QStringLiteral("コピー(&C)"), QKeySequence(QStringLiteral("Ctrl+C")), this, [this] { CopyChart(); });
    QAction* save = PopupMenu3->addAction(
        QStringLiteral("ファイルに保存(&S)"), QKeySequence(QStringLiteral("Ctrl+S")), this, [this] { SaveChart(); });
    // The keys work on the chart itself (clicked into), not across the window.
    for (QAction* action : { copy, save }) {
        action->setShortcutContext(Qt::WidgetShortcut);
        Image1->addAction(action);
    }
    Image1->setFocusPolicy(Qt::ClickFocus);
    CopyAtSizeEntry = PopupMenu3->addAction(QStringLiteral("サイズを指定してコピー"), this, [this] { CopyAtSize(); });
    SaveAtSizeEntry = PopupMenu3->addAction(QStringLiteral("サイズを指定して保存"), this, [this] { SaveAtSize(); });
    PopupMenu3->addSeparator();
    PopupMenu3->addAction(HistogramIcon(H_REFRESH), QStringLiteral("実画像から再計算(&R)"), this, [this] {
        if (RecalculateRequested)
            RecalculateRequested();
    });
}

void THistogramFrame::BuildToolBar()
{
    ToolButton8 = NewButton(ToolBar1, H_RGB, QStringLiteral("カラースペース"));
    ToolButton8->setMenu(PopupMenu4);
    ToolButton8->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ToolButton8, &QToolButton::clicked, this,
        [this] { SelectMode(settings_.Mode == ModeHsv ? ModeRgb : ModeHsv); });
    ToolBar1->addWidget(ToolButton8);
    QToolButton** channels[4] = { &ToolButton1, &ToolButton2, &ToolButton3, &ToolButton4 };
    const char* captions[4] = { "R", "G", "B", "V" };
    for (int i = 0; i < 4; ++i) {
        QToolButton* button = NewButton(ToolBar1, H_R + i, QString());
        button->setText(QString::fromUtf8(captions[i]));
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this,
            [this, button] { ChannelClicked(button, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier); });
        buttonActions_[i] = ToolBar1->addWidget(button);
        *channels[i] = button;
    }
    ToolBar1->addSeparator();
    ToolButton6 = NewButton(ToolBar1, H_SBAR, QStringLiteral("表示モード"));
    ToolButton6->setMenu(PopupMenu1);
    ToolButton6->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ToolButton6, &QToolButton::clicked, this, [this] {
        const TVX_Type t = VX_Histogram1.GraphType;
        SetGraphType(t == VX_LINE ? VX_SMOOTH : t == VX_SMOOTH ? VX_DOT : VX_LINE);
    });
    toolActions_[0] = ToolBar1->addWidget(ToolButton6);
    ToolButton7 = NewButton(ToolBar1, H_ONE, QStringLiteral("表示モード"));
    ToolButton7->setMenu(PopupMenu2);
    ToolButton7->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ToolButton7, &QToolButton::clicked, this, [this] { SetLayout((settings_.Style + 1) % 3); });
    toolActions_[1] = ToolBar1->addWidget(ToolButton7);
    ToolButton10 = NewButton(ToolBar1, H_COLORSPACE, QStringLiteral("画像の色空間"));
    ToolButton10->setMenu(PopupMenu5);
    ToolButton10->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ToolButton10, &QToolButton::clicked, this, [this] {
        const int next[4] = { 1, 2, 3, 0 };
        SetColourSpace(next[std::clamp(settings_.ColorSpace, 0, 3)]);
    });
    toolActions_[2] = ToolBar1->addWidget(ToolButton10);
}

void THistogramFrame::InitPanel(platform::RegistryStore& store)
{
    settings_ = {};
    ReadHistogramSettings(store, settings_);
    VX_Histogram1.GraphType = settings_.Type;
    VX_Histogram1.LineColor = settings_.LineColor;
    cloud_.Theta1 = 190;
    cloud_.Theta2 = 260;
    cloud_.Theta3 = 88;
    SelectMode(settings_.Mode);
}

void THistogramFrame::RegSave(platform::RegistryStore& store)
{
    settings_.Type = VX_Histogram1.GraphType;
    settings_.LineColor = VX_Histogram1.LineColor;
    WriteHistogramSettings(store, settings_);
    cloud_.Free();
}

void THistogramFrame::SelectMode(int mode)
{
    settings_.Mode = std::clamp(mode, 0, 4);
    VX_Histogram1.Mode = settings_.Mode;
    UpdateTools();
    const auto& s = settings_.Sel;
    const bool rgb = settings_.Mode == ModeRgb, hsv = settings_.Mode == ModeHsv;
    ToolButton1->setChecked(rgb ? s.SelR : hsv ? s.SelH : settings_.CieNormal);
    ToolButton2->setChecked(rgb ? s.SelG : hsv ? s.SelS : settings_.CieDirect);
    ToolButton3->setChecked(rgb ? s.SelB : hsv && s.SelV);
    ToolButton4->setChecked(rgb && s.SelY);
    ChannelsChanged();
}

void THistogramFrame::ChannelClicked(QToolButton* clicked, bool shift)
{
    QToolButton* const buttons[4] = { ToolButton1, ToolButton2, ToolButton3, ToolButton4 };
    const bool radio = settings_.Mode != ModeRgb;
    if (shift || (radio && clicked->isChecked())) {
        for (QToolButton* b : buttons)
            b->setChecked(b == clicked);
    }
    ChannelsChanged();
}

void THistogramFrame::ChannelsChanged()
{
    auto& s = settings_.Sel;
    const bool b1 = ToolButton1->isChecked(), b2 = ToolButton2->isChecked();
    const bool b3 = ToolButton3->isChecked(), b4 = ToolButton4->isChecked();
    if (settings_.Mode == ModeRgb) {
        s.SelR = b1;
        s.SelG = b2;
        s.SelB = b3;
        s.SelY = b4;
    } else if (settings_.Mode == ModeHsv) {
        s.SelH = b1;
        s.SelS = b2;
        s.SelV = b3;
    } else {
        settings_.CieNormal = b1;
        settings_.CieDirect = b2;
    }
    RefreshChart();
}

void THistogramFrame::SetGraphType(TVX_Type type)
{
    VX_Histogram1.GraphType = type;
    UpdateTools();
    RefreshChart();
}

void THistogramFrame::SetLayout(int style)
{
    settings_.Style = std::clamp(style, 0, 2);
    layoutEntries_[settings_.Style]->setChecked(true);
    ToolButton7->setIcon(HistogramIcon(kLayoutIcons[settings_.Style]));
    RefreshChart();
}

void THistogramFrame::SetColourSpace(int space)
{
    settings_.ColorSpace = space;
    UpdateTools();
    RefreshChart();
}

void THistogramFrame::UpdateTools()
{
    const TVX_Type type = VX_Histogram1.GraphType;
    for (int i = 0; i < 3; ++i)
        styleEntries_[i]->setChecked(kStyles[i] == type);
    ToolButton6->setIcon(HistogramIcon(StyleIcon(type)));
    GridLines->setChecked(VX_Histogram1.LineColor == kGridGrey);
    layoutEntries_[std::clamp(settings_.Style, 0, 2)]->setChecked(true);
    ToolButton7->setIcon(HistogramIcon(kLayoutIcons[std::clamp(settings_.Style, 0, 2)]));
    for (int i = 0; i < 4; ++i)
        spaceEntries_[i]->setChecked(kSpaceValues[i] == settings_.ColorSpace);

    const int mode = settings_.Mode;
    for (int m = 0; m < 5; ++m)
        modeEntries_[m]->setChecked(m == mode);
    ToolButton8->setIcon(HistogramIcon(kModes[mode].icon));
    const bool cie = mode >= ModeAb;
    // Widgets on a tool bar are shown and hidden through their actions.
    buttonActions_[2]->setVisible(!cie);
    buttonActions_[3]->setVisible(mode == ModeRgb);
    toolActions_[0]->setVisible(!cie);
    toolActions_[1]->setVisible(mode == ModeRgb);
    toolActions_[2]->setVisible(cie);
    if (mode == ModeRgb) {
        const char* hints[4] = { "Red/赤成分", "Green/緑成分", "Blue/青成分", "Brightness/輝度" };
        QToolButton* const buttons[4] = { ToolButton1, ToolButton2, ToolButton3, ToolButton4 };
        for (int i = 0; i < 4; ++i) {
            buttons[i]->setToolTip(QString::fromUtf8(hints[i]));
            buttons[i]->setIcon(HistogramIcon(H_R + i));
        }
    } else if (mode == ModeHsv) {
        ToolButton1->setToolTip(QStringLiteral("Hue/色相"));
        ToolButton2->setToolTip(QStringLiteral("Saturation/彩度"));
        ToolButton3->setToolTip(QStringLiteral("Value/明度"));
        ToolButton1->setIcon(HistogramIcon(HSV_H));
        ToolButton2->setIcon(HistogramIcon(HSV_S));
        ToolButton3->setIcon(HistogramIcon(HSV_V));
    } else {
        ToolButton1->setToolTip(QStringLiteral("通常モード(色域外クリッピング)"));
        ToolButton2->setToolTip(QStringLiteral("JPEG YCbCr直接取得"));
        ToolButton1->setIcon(HistogramIcon(H_RGB2));
        ToolButton2->setIcon(HistogramIcon(H_YCC));
    }
    CopyAtSizeEntry->setEnabled(mode != ModeLab3D);
    SaveAtSizeEntry->setEnabled(mode != ModeLab3D);
}

void THistogramFrame::ClearChart()
{
    VX_Histogram1.Clear();
    CurrentFile.clear();
    RefreshChart();
}

void THistogramFrame::ShowBitmapHistogram(const imaging::Bitmap& bitmap)
{
    VX_Histogram1.Compute(bitmap);
    RefreshChart();
}

void THistogramFrame::ShowStoredHistogram(const uint8_t* levels, const uint8_t* hues)
{
    VX_Histogram1.LoadLevelCounts(levels);
    VX_Histogram1.LoadHueCounts(hues);
    RefreshChart();
}

void THistogramFrame::PaintOnto(QImage& image)
{
    QtChartCanvas canvas(image);
    if (settings_.Mode <= ModeHsv) {
        PaintHistogramChart(canvas, VX_Histogram1, settings_.Mode, settings_.Sel, settings_.Style);
        return;
    }
    const bool normal = ToolButton1->isChecked(), direct = ToolButton2->isChecked();
    if (SetTask)
        SetTask(settings_.Mode == ModeUv ? QStringLiteral("L*u*v*計算") : QStringLiteral("L*a*b*計算"));
    try {
        PaintCieChart(
            canvas, settings_.Mode, CurrentFile, normal, direct, settings_.ColorSpace, cloud_, [this](int percent) {
                if (SetProgress)
                    SetProgress(percent);
            });
    } catch (...) {
        // an unreadable picture leaves the chart as far as it was drawn
    }
    if (SetProgress)
        SetProgress(0);
    if (SetTask)
        SetTask(QString());
}

QImage THistogramFrame::PaintPanel(int width, int height)
{
    QImage image = NewChartImage(width, height);
    PaintOnto(image);
    return image;
}

void THistogramFrame::RefreshChart()
{
    const QSize size = Image1->size().expandedTo(QSize(1, 1));
    lastSize_ = size;
    ShowSurface(PaintPanel(size.width(), size.height()));
}

void THistogramFrame::ShowSurface(QImage image)
{
    surface_ = std::move(image);
    Image1->update();
}

void THistogramFrame::SurfaceResized()
{
    const QSize size = Image1->size().expandedTo(QSize(1, 1));
    if (size == lastSize_)
        return;
    if (settings_.Mode <= ModeHsv) {
        RefreshChart();
    } else if (settings_.Mode == ModeLab3D && cloud_.Ready) {
        lastSize_ = size;
        QImage image = NewChartImage(size.width(), size.height());
        QtChartCanvas canvas(image);
        RenderLabCloud(cloud_, canvas);
        ShowSurface(std::move(image));
    }
    // the 2D colour charts keep their last picture: redrawing means decoding again
}

void THistogramFrame::CopyChart()
{
    QApplication::clipboard()->setImage(surface_);
}

void THistogramFrame::SaveImage(const QImage& image)
{
    QFileDialog dialog(this, QStringLiteral("ヒストグラム出力"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const char* f : kSaveFilters)
        filters << QString::fromUtf8(f);
    dialog.setNameFilters(filters);
    const std::optional<TChartFormat> last = ChartFormatOfName(saveName_.toStdString());
    int preselected = 1;
    for (int i = 0; i < 5; ++i)
        if (last && kSaveFormats[i] == *last)
            preselected = i;
    dialog.selectNameFilter(filters[preselected]);
    dialog.selectFile(saveName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString name = dialog.selectedFiles().first();
    std::optional<TChartFormat> format = ChartFormatOfName(name.toStdString());
    if (!format) {
        const int chosen = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
        name += QString::fromUtf8(kSaveExtensions[chosen]);
        format = kSaveFormats[chosen];
    }
    saveName_ = name;
    std::string error;
    if (!SaveChartImage(image, QFile::encodeName(name).toStdString(), *format, error))
        ShowError(this, QStringLiteral("ヒストグラムを保存できませんでした。\n") + QString::fromStdString(error));
}

void THistogramFrame::SaveChart()
{
    SaveImage(surface_);
}

bool THistogramFrame::AskSize()
{
    THistogramSize dialog(settings_.CustomWidth, settings_.CustomHeight, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings_.CustomWidth = dialog.ChartWidth();
    settings_.CustomHeight = dialog.ChartHeight();
    return true;
}

void THistogramFrame::CopyAtSize()
{
    if (AskSize())
        QApplication::clipboard()->setImage(PaintPanel(settings_.CustomWidth, settings_.CustomHeight));
}

void THistogramFrame::SaveAtSize()
{
    if (AskSize())
        SaveImage(PaintPanel(settings_.CustomWidth, settings_.CustomHeight));
}

void THistogramFrame::MousePressed(QPoint at)
{
    pressAt_ = at;
    pressTheta1_ = cloud_.Theta1;
    pressTheta2_ = cloud_.Theta2;
}

void THistogramFrame::MouseMoved(QPoint at, bool onlyLeft)
{
    if (settings_.Mode != ModeLab3D || !onlyLeft || !cloud_.Ready)
        return;
    RotateCloud(cloud_, pressTheta1_, pressTheta2_, pressAt_.x(), pressAt_.y(), at.x(), at.y());
    QImage image = NewChartImage(surface_.width(), surface_.height());
    QtChartCanvas canvas(image);
    RenderLabCloud(cloud_, canvas);
    ShowSurface(std::move(image));
}

THistogramChartView::THistogramChartView(THistogramFrame* frame)
    : QWidget(frame)
    , frame_(frame)
{
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void THistogramChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QImage& surface = frame_->Surface();
    painter.drawImage((width() - surface.width()) / 2, (height() - surface.height()) / 2, surface);
}

void THistogramChartView::resizeEvent(QResizeEvent*)
{
    frame_->SurfaceResized();
}

QPoint THistogramChartView::OnSurface(QPoint at) const
{
    const QImage& surface = frame_->Surface();
    return at - QPoint((width() - surface.width()) / 2, (height() - surface.height()) / 2);
}

void THistogramChartView::mousePressEvent(QMouseEvent* event)
{
    frame_->MousePressed(OnSurface(event->pos()));
}

void THistogramChartView::mouseMoveEvent(QMouseEvent* event)
{
    frame_->MouseMoved(OnSurface(event->pos()), event->buttons() == Qt::LeftButton);
}

void THistogramChartView::contextMenuEvent(QContextMenuEvent* event)
{
    frame_->PopupMenu3->popup(event->globalPos());
}
