// The picture view as the main window drives it: opening a photo and going
// back, fit and fixed zoom, the wheel, previous and next file with their
// questions, the file track bar, turning and flipping (which also turns the
// cached thumbnail), copying to the clipboard, progress.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/MessageBoxes.h"
#include "app/PathText.h"
#include "app/PictureView.h"
#include "catalogue/BitmapUtils.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/BitmapTransform.h"
#include "imaging/LoadPicture.h"
#include "imaging/ViewGeometry.h"
#include "platform/PathName.h"

void TForm1::SetupPictureView()
{
    Confirm = [this](const QString& text) { return AskYesNo(this, text); };
    connect(ImageEn1, &PictureView::WheelTurned, this,
        [this](int delta, QPoint, Qt::KeyboardModifiers, bool* handled) { ImageEn1MouseWheel(delta, handled); });
    connect(ImageEn1, &PictureView::Progress, this, [this](int percent) { ImageEn1Progress2(percent); });
    connect(ImageEn1, &PictureView::KeyPressed, this, [this](QKeyEvent* e) {
        if (MarkKeyPress(e))
            e->accept();
    });
    connect(ImageEn1, &PictureView::KeyReleased, this, [this](QKeyEvent* e) {
        if (PictureKeyRelease(e))
            e->accept();
    });
    ImageEn1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ImageEn1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu3Popup();
        Actions->PopupMenu3->popup(ImageEn1->viewport()->mapToGlobal(pos));
    });

    // The track bar moves to a file when the thumb is let go; while dragging it shows the position.
    Actions->FileTrack->setTracking(false);
    connect(Actions->FileTrack, &QSlider::valueChanged, this, [this](int position) { FileTrackChange(position); });
    connect(Actions->FileTrack, &QSlider::sliderMoved, this,
        [this](int position) { QToolTip::showText(QCursor::pos(), QString::number(position), Actions->FileTrack); });
    Actions->FileTrack->setFocusPolicy(Qt::ClickFocus);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == Actions->FileTrack)
            FileTrackEnter();
    });
}

// --- opening and going back

bool TForm1::LoadPicture(const std::string& fileName)
{
    // The previous picture goes first, so that a large one is never held twice.
    ImageEn1->Clear();
    imaging::PictureLoadOptions options;
    options.fastJpeg = setup_useIntel;
    options.progress = ImageEn1->ProgressCallback();
    imaging::Bitmap loaded;
    if (!imaging::LoadPicture(fileName, loaded, options))
        return false;
    ImageEn1->SetBitmap(std::move(loaded));
    return true;
}

// Turned by the record's quarter turns after being flipped and mirrored in its own axes.
void TForm1::OrientPicture(int rotation, bool flipped, bool mirrored)
{
    if (imaging::OrientBitmap(ImageEn1->MutableBitmap(), rotation, flipped, mirrored))
        ImageEn1->Update();
}

void TForm1::Open1Click(QObject* sender)
{
    openPending_ = false;
    SourcePicture.reset();
    Timer2->stop();
    Timer2Tag = 0;
    Timer1->stop();
    const int i = CurrentIndex();
    if (i == -1)
        return;
    const int count = FileCount();
    {
        const QSignalBlocker quiet(Actions->FileTrack);
        Actions->FileTrack->setMaximum(count - 1);
        Actions->FileTrack->setValue(i);
    }

    // The record stays locked until the photo is shown, so the thumbnail maker waits meanwhile.
    catalogue::LockedItem record(Catalogue, i);
    setWindowTitle(QStringLiteral("Voviro - ") + DisplayPath(record->FileName));
    const bool wasPictureMode = PictureMode();
    const int oldWidth = ImageEn1->Bitmap().Width();
    const int oldHeight = ImageEn1->Bitmap().Height();

    if (LoadPicture(record->FileName)) {
        ErrorLabel->hide();
    } else {
        ImageEn1->Clear();
        ErrorLabel->setText(
            DisplayPath(platform::FileNameOf(record->FileName)) + QStringLiteral(" の読み込みに失敗しました"));
        ErrorLabel->adjustSize();
        ErrorLabel->show();
        ErrorLabel->raise();
    }
    ImageEn1->setEnabled(true);

    ResetViewModeChecks();
    Actions->YCbCrWarning->setEnabled(catalogue::IsJpegKind(record->FileKind));
    const bool trueColour = ImageEn1->Bitmap().BitsPerPixel() == 24;
    for (QAction* a :
        { Actions->TobiSub, Actions->ChannelSub, Actions->PopupTobiSub, Actions->PopupChannelSub, Actions->TOBI_All,
            Actions->TOBI_W, Actions->TOBI_R, Actions->TOBI_G, Actions->TOBI_B, Actions->CHANNEL_ALL,
            Actions->CHANNEL_R, Actions->CHANNEL_G, Actions->CHANNEL_B, Actions->CHANNEL_ROVER, Actions->CHANNEL_GOVER,
            Actions->CHANNEL_BOVER, Actions->CHANNEL_WOVER, Actions->ChannelAllMain, Actions->ColorManagement })
        a->setEnabled(trueColour);
    Actions->CHANNEL_ALL->setChecked(true);
    Actions->ChannelAllMain->setChecked(true);
    SetPictureModeEntries(true);
    ChannelPl->clear();
    Actions->PictCheckButton->setChecked(record->Checked);

    openSender_ = sender;
    PictureLoaded();
    openSender_ = nullptr;

    MainWindow->hide();
    PictureWindow->show();
    // Lay the picture window out now, so that fitting sees the view's real size.
    centralWidget()->layout()->activate();
    PictureWindow->layout()->activate();

    const int width = ImageEn1->Bitmap().Width();
    const int height = ImageEn1->Bitmap().Height();
    const bool keepZoom
        = wasPictureMode && ((width == oldWidth && height == oldHeight) || (width <= oldWidth && height <= oldHeight));
    if (!keepZoom)
        ImageEn1->Fit();
    ImageEn1->setFocus();
}

void TForm1::PictureLoaded()
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    catalogue::LockedItem record(Catalogue, i);
    OrientPicture(record->Rotation, record->Flipped, record->Mirrored);
    ApplyViewMode(kViewModeAllChannels);
    // Only an opening the user asked for through a control colour-manages by itself.
    if (openSender_ && EnableICM && ImageEn1->Bitmap().BitsPerPixel() == 24) {
        ApplyViewMode(analysis::kModeColourManaged);
        ResetViewModeChecks();
        Actions->ColorManagement->setChecked(true);
    }
    const TCurrentFile file { i, &*record };
    for (ICurrentFileView* view : currentFileViews_)
        view->PictureOpened(file, ImageEn1->Bitmap());
}

void TForm1::N5Click()
{
    openPending_ = false;
    ResetViewModeChecks();
    ChannelPl->clear();
    Timer2->stop();
    Timer2Tag = 0;
    ImageEn1->SetZoomCursor(false);
    PictureWindow->hide();
    MainWindow->show();
    SetPictureModeEntries(false);
    if (Panel4->currentWidget() == DrawGrid1)
        DrawGrid1->setFocus();
    else
        ListView1->setFocus();
    setWindowTitle(QStringLiteral("Voviro - ") + DisplayPath(CurrentFolder));
}

// --- zoom

void TForm1::AutoFit1Click()
{
    // Fits now and again whenever the view changes size, until a fixed zoom or the wheel.
    ImageEn1->SetAutoFit(true);
}

void TForm1::N15001Click(int percent)
{
    ImageEn1->SetAutoFit(false);
    ImageEn1->SetZoom(percent);
}

void TForm1::ImageEn1MouseWheel(int delta, bool* handled)
{
    ImageEn1->SetAutoFit(false);
    if (handled)
        *handled = true;
    const double next = imaging::WheelZoomStep(ImageEn1->Zoom(), delta);
    if (!(next > 0))
        return;
    const QSize client = ImageEn1->ClientSize();
    const QPointF centre(std::nearbyint(client.width() / 2.0), std::nearbyint(client.height() / 2.0));
    ImageEn1->ZoomAt(next, centre);
}

// --- stepping through the folder

void TForm1::SelectFile(int index)
{
    if (index < 0)
        return;
    if (ViewType == catalogue::kViewList) {
        const QModelIndex row = ListModel->index(index, 0);
        ListView1->setCurrentIndex(row);
        ListView1->scrollTo(row);
        return; // the list's selection change shows the file in the panels
    }
    PlaceGridCurrent(index);
    ShowItemInfo(CurrentIndex());
}

void TForm1::StepFile(int target, QObject* sender)
{
    SelectFile(target);
    if (!PictureMode())
        return;
    if (!keyRepeating_) {
        Open1Click(sender);
        return;
    }
    // A held key: the steps that arrive while a photo decodes only move the
    // selection, and the photo of wherever they end up is opened once.
    pendingSender_ = sender;
    if (openPending_)
        return;
    openPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (openPending_)
            Open1Click(pendingSender_);
    });
}

void TForm1::StepBy(int step, QObject* sender)
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    const int count = FileCount();
    int target = i + step;
    if (target < 0 || target >= count) {
        // Past either end the user decides whether to wrap around.
        if (!Confirm(step > 0 ? QStringLiteral("先頭のファイルに戻りますか？")
                              : QStringLiteral("最終ファイルに移動しますか？")))
            return;
        target = step > 0 ? 0 : count - 1;
    }
    StepFile(target, sender);
}

void TForm1::NextFile(QObject* sender)
{
    StepBy(1, sender);
}

void TForm1::BeforeFile(QObject* sender)
{
    StepBy(-1, sender);
}

void TForm1::FileTrackChange(int position)
{
    SelectFile(position);
    if (PictureMode())
        Open1Click(Actions->FileTrack);
    ImageEn1->setFocus();
}

void TForm1::FileTrackEnter()
{
    ImageEn1->setFocus();
}

bool TForm1::PictureKeyRelease(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Left:
        BeforeFile();
        return true;
    case Qt::Key_Right:
        NextFile();
        return true;
    case Qt::Key_Up:
        Rolate_90Plus();
        return true;
    case Qt::Key_Down:
        RolateTool2Click();
        return true;
    case Qt::Key_Delete:
        DeleteFileHook();
        return true;
    default:
        return false;
    }
}

// --- turning and flipping

void TForm1::RolateSub(TRolate kind, int value)
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    catalogue::LockedItem record(Catalogue, i);
    const int before = record->Rotation;
    int after = value & 3;
    if (kind == TRolate::Right)
        after = (before + 1) % 4;
    else if (kind == TRolate::Left)
        after = (before + 3) % 4;
    if (after == before)
        return;
    const int turns = (after - before + 4) % 4;

    if (PictureMode()) {
        if (!Actions->CHANNEL_ALL->isChecked())
            CHANNEL_ALLExecute();
        ImageEn1->RotateClockwise(turns);
        // The view modes start again from the turned picture.
        SourcePicture = std::make_unique<imaging::Bitmap>(ImageEn1->Bitmap());
    }
    if (record->ThumbOffset != -1 && CacheFile) {
        imaging::Bitmap thumbnail;
        if (CacheFile->ReadThumbnail(record->ThumbOffset, thumbnail))
            if (auto turned = catalogue::RotateBitmap(360 - 90 * turns, thumbnail))
                CacheFile->RewriteThumbnail(record->ThumbOffset, *turned);
    }
    record->Rotation = static_cast<uint8_t>(after);
    RepaintItem(i);
}

void TForm1::MarkRotation(QMenu* menu)
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    const int rotation = catalogue::LockedItem(Catalogue, i)->Rotation;
    for (QAction* a : menu->actions())
        if (a->isCheckable())
            a->setChecked(a->data().toInt() == rotation);
}

void TForm1::RolatePopupMenuPopup()
{
    MarkRotation(Actions->RolatePopupMenu);
}

void TForm1::N66Click()
{
    MarkRotation(Actions->N66->menu());
}

void TForm1::FlipReverseSub(bool flip, bool mirror)
{
    const int i = CurrentIndex();
    if (i < 0) {
        Actions->FlipButton->setChecked(false);
        Actions->MirrorButton->setChecked(false);
        return;
    }
    catalogue::LockedItem record(Catalogue, i);
    if (flip)
        record->Flipped = !record->Flipped;
    if (mirror)
        record->Mirrored = !record->Mirrored;
    // The cached thumbnail is stored turned, so a quarter turn exchanges its axes.
    if (record->Rotation == 1 || record->Rotation == 3)
        std::swap(flip, mirror);
    if (record->ThumbOffset != -1 && CacheFile) {
        imaging::Bitmap thumbnail;
        try {
            if (CacheFile->ReadThumbnail(record->ThumbOffset, thumbnail))
                CacheFile->RewriteThumbnail(record->ThumbOffset, catalogue::FlipBitmap(flip, mirror, thumbnail));
        } catch (const catalogue::BitmapError&) {
            // A thumbnail that is not 24-bit stays as it is.
        }
    }
    Actions->FlipButton->setChecked(record->Flipped);
    Actions->MirrorButton->setChecked(record->Mirrored);
    RepaintItem(i);
}

// --- clipboard and progress

void TForm1::C1Click()
{
    if (!PictureMode())
        Open1Click(nullptr);
    if (PictureMode()) // without a current file nothing opens and nothing is copied
        ImageEn1->CopyToClipboard();
}

void TForm1::ImageEn1Progress2(int percent)
{
    if (ImageEn1->Tag() == 1 && percent % 10 == 0)
        TaskProgress->setValue(percent);
}
