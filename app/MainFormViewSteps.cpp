// The picture steps of the channel, clipping and colour-management views:
// each works on the displayed picture and keeps the source picture, so every
// view starts again from the unaltered photo.
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "analysis/ViewModes.h"
#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "colour/ColourManagement.h"
#include "colour/ui/DesktopProfile.h"
#include "colour/ui/ICCDialog.h"
#include "platform/PathName.h"

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

void TForm1::ConnectViewCommands()
{
    const struct {
        QAction* action;
        int mode;
    } commands[] = {
        { Actions->TOBI_All, analysis::kModeTobiAll },
        { Actions->TOBI_W, analysis::kModeTobiWhite },
        { Actions->TOBI_R, analysis::kModeTobiRed },
        { Actions->TOBI_G, analysis::kModeTobiGreen },
        { Actions->TOBI_B, analysis::kModeTobiBlue },
        { Actions->CHANNEL_ALL, analysis::kModeAllChannels },
        { Actions->CHANNEL_R, analysis::kModeRed },
        { Actions->CHANNEL_G, analysis::kModeGreen },
        { Actions->CHANNEL_B, analysis::kModeBlue },
        { Actions->CHANNEL_ROVER, analysis::kModeRedOver },
        { Actions->CHANNEL_GOVER, analysis::kModeGreenOver },
        { Actions->CHANNEL_BOVER, analysis::kModeBlueOver },
        { Actions->CHANNEL_WOVER, analysis::kModeWhiteOver },
        { Actions->YCbCrWarning, analysis::kModeYccWarning },
    };
    for (const auto& c : commands)
        connect(c.action, &QAction::triggered, this, [this, mode = c.mode] { ViewCommand(mode); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
}

QAction* TForm1::ViewModeAction(int mode) const
{
    switch (mode) {
    case analysis::kModeAllChannels:
        return Actions->CHANNEL_ALL;
    case analysis::kModeRed:
        return Actions->CHANNEL_R;
    case analysis::kModeGreen:
        return Actions->CHANNEL_G;
    case analysis::kModeBlue:
        return Actions->CHANNEL_B;
    case analysis::kModeRedOver:
        return Actions->CHANNEL_ROVER;
    case analysis::kModeGreenOver:
        return Actions->CHANNEL_GOVER;
    case analysis::kModeBlueOver:
        return Actions->CHANNEL_BOVER;
    case analysis::kModeWhiteOver:
        return Actions->CHANNEL_WOVER;
    case analysis::kModeYccWarning:
        return Actions->YCbCrWarning;
    default:
        return nullptr;
    }
}

void TForm1::ViewCommand(int mode)
{
    ChannelPl->clear();
    if (!PictureMode()) {
        Open1Click();
        // From the browser the all-channel view only opens the photo.
        if (mode == analysis::kModeAllChannels || !PictureMode())
            return;
    }
    if (mode == analysis::kModeYccWarning) {
        TaskProgress->setRange(0, 100);
        TaskProgress->setValue(0);
    }
    const bool shown = ApplyViewMode(mode), blinks = analysis::IsBlinkMode(mode);
    if (blinks)
        return;
    ResetViewModeChecks();
    if (QAction* own = ViewModeAction(mode))
        own->setChecked(shown);
    if (mode == analysis::kModeAllChannels)
        Actions->ChannelAllMain->setChecked(true);
    if (shown)
        ChannelPl->setText(Q(analysis::ViewModeChannelText(mode)));
}

void TForm1::CHANNEL_ALLExecute()
{
    ViewCommand(analysis::kModeAllChannels);
}

void TForm1::ShowTask(int mode)
{
    ShowTaskText(Q(analysis::ViewModeTaskText(mode)));
}

void TForm1::ShowTaskText(const QString& text)
{
    TaskLabel->setText(text);
    TaskLabel->repaint();
}

void TForm1::EndTask()
{
    TaskLabel->clear();
    TaskProgress->setRange(0, 100);
    TaskProgress->setValue(0);
    ImageEn1->Update();
}

bool TForm1::ApplyViewMode(int mode)
{
    if (Timer2->isActive()) {
        // An earlier blink ends where it is.
        Timer2->stop();
        Timer2Tag = 0;
    }
    ShowTask(mode);
    imaging::Bitmap& displayed = ImageEn1->MutableBitmap();
    bool shown = true;
    if (mode == analysis::kModeAllChannels) {
        if (SourcePicture)
            displayed = *SourcePicture;
        else
            BlinkFrames.Clear(); // a newly opened photo: the last one's frames go
        EndTask();
        return true;
    }
    if (!SourcePicture) {
        SourcePicture = std::make_unique<imaging::Bitmap>(displayed);
        BlinkFrames.Clear(); // another photo: the frames of the last one go
    }
    const imaging::Bitmap& source = *SourcePicture;
    const analysis::RowProgressFn progress = [this](int row, int height) {
        TaskProgress->setRange(0, height);
        TaskProgress->setValue(row);
    };
    if (analysis::IsBlinkMode(mode)) {
        BlinkFrames.Start(mode, source, displayed, progress);
        Timer2Tag = analysis::kBlinkSteps;
        Timer2Timer();
        Timer2->start();
    } else if (analysis::HasPixelRule(mode)) {
        // The rule reads the source and writes every displayed pixel: no copy first.
        analysis::ApplyPixelRule(mode, source, displayed, progress);
    } else if (mode == analysis::kModeColourManaged) {
        DoColorManagement();
        return true;
    } else if (mode == analysis::kModeYccWarning) {
        shown = ShowYccWarning(displayed, progress);
    } else {
        displayed = source;
    }
    EndTask();
    return shown;
}

bool TForm1::ShowYccWarning(imaging::Bitmap& displayed, const analysis::RowProgressFn& progress)
{
    const int i = CurrentIndex();
    if (i < 0)
        return false;
    std::string error, name;
    bool ok = false;
    {
        catalogue::LockedItem record(Catalogue, i);
        name = platform::FileNameOf(record->FileName);
        ok = analysis::ShowYccClipping(
            record->FileName, record->Rotation, record->Flipped, record->Mirrored, displayed, progress, &error);
    }
    if (!ok) {
        // The photo comes back and the status bar says why.
        displayed = *SourcePicture;
        StatusBarIn->setText(Q(name) + QStringLiteral(" のYCbCrデータを読み込めませんでした"));
    }
    return ok;
}

void TForm1::Timer2Timer()
{
    imaging::Bitmap& displayed = ImageEn1->MutableBitmap();
    BlinkFrames.Step(Timer2Tag, displayed);
    --Timer2Tag;
    if (Timer2Tag <= 0) {
        Timer2Tag = 0;
        Timer2->stop();
        if (SourcePicture)
            displayed = *SourcePicture;
        ResetViewModeChecks();
        Actions->CHANNEL_ALL->setChecked(true);
        Actions->ChannelAllMain->setChecked(true);
        ChannelPl->clear();
    }
    ImageEn1->Update();
}

colour::ColourSettings TForm1::ColourSettings() const
{
    return { InputProfileName, OutputProfileName, EnableICM, UseICC, UseMaker, UseWB, ICCMatch };
}

void TForm1::DoColorManagement()
{
    imaging::Bitmap& displayed = ImageEn1->MutableBitmap();
    if (!SourcePicture)
        SourcePicture = std::make_unique<imaging::Bitmap>(displayed);
    const colour::ColourSettings settings = ColourSettings();
    if (!settings.OutputProfileName.empty()) {
        ChannelPl->setText(Q(colour::kStatusIcm));
        colour::InputChoice input;
        const int i = CurrentIndex();
        if (i >= 0) {
            // The record stays locked until its embedded profile is read.
            catalogue::LockedItem record(Catalogue, i);
            const colour::PhotoColour photo { record->FileName, record->IccOffset, record->IccLength,
                record->Exif.get() };
            input = colour::ChooseInputProfile(settings, &photo);
        } else {
            input = colour::ChooseInputProfile(settings, nullptr);
        }
        const colour::ColourOutcome outcome = colour::ConvertForMonitor(
            settings, std::move(input), *SourcePicture, displayed, [this](int row, int height) {
                TaskProgress->setRange(0, height);
                TaskProgress->setValue(row);
            });
        ChannelPl->setText(Q(outcome.status));
        if (!outcome.converted)
            displayed = *SourcePicture;
    } else {
        displayed = *SourcePicture;
    }
    // Every path ends the task, the one without a monitor profile included.
    EndTask();
}

void TForm1::ColorManagementClick()
{
    // As every view command, so the text of the view it replaces does not stay.
    ChannelPl->clear();
    if (!PictureMode()) {
        Open1Click();
        if (!PictureMode())
            return;
    }
    ApplyViewMode(analysis::kModeColourManaged);
    ResetViewModeChecks();
    Actions->ColorManagement->setChecked(true);
}

void TForm1::N43Click()
{
    TICCDialog dialog(this);
    dialog.SetSettings(ColourSettings());
    dialog.SetDesktopProfile(colour::DesktopMonitorProfile(), colour::DesktopProfileSavePath());
    if (ICCDialogHook ? !ICCDialogHook(dialog) : dialog.exec() != QDialog::Accepted)
        return;
    const colour::ColourSettings s = dialog.Settings();
    InputProfileName = s.InputProfileName;
    OutputProfileName = s.OutputProfileName;
    EnableICM = s.EnableICM;
    UseICC = s.UseICC;
    UseMaker = s.UseMaker;
    ICCMatch = s.ICCMatch;
    UseWB = s.UseWB;
    // The new settings show at once on a colour-managed picture.
    if (PictureMode() && (Actions->ColorManagement->isChecked() || EnableICM))
        ColorManagementClick();
}
