// The histogram panel in the window: feeding it from the current file,
// storing full histograms in the cache file, the automatic calculation after
// a preview, the recalculation of the current file and the batch over the
// checked files.
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "analysis/HistogramFile.h"
#include "analysis/ui/HistProgress.h"
#include "analysis/ui/HistogramFrame.h"
#include "app/HistogramFileView.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/StoredHistogram.h"

void THistogramFileView::CurrentFileChanged(const TCurrentFile& file)
{
    if (!file.Record) {
        panel_.ClearChart();
        return;
    }
    const catalogue::TImageCache& record = *file.Record;
    if (panel_.CurrentFile == record.FileName)
        return;
    panel_.CurrentFile = record.FileName;
    if (window_.CacheFile && catalogue::LoadStoredHistogram(*window_.CacheFile, record, panel_.VX_Histogram1)) {
        panel_.RefreshChart();
        return;
    }
    imaging::Bitmap thumbnail;
    if (record.ThumbOffset != -1 && window_.CacheFile
        && window_.CacheFile->ReadThumbnail(record.ThumbOffset, thumbnail)) {
        panel_.ShowBitmapHistogram(thumbnail);
        return;
    }
    // No thumbnail yet: flat curves, but the chart keeps its file so that the
    // colour charts, which read the file itself, still show it.
    panel_.VX_Histogram1.Clear();
    panel_.RefreshChart();
}

void TForm1::BuildHistogramPanel()
{
    auto* layout = new QVBoxLayout(HistogramPlace);
    layout->setContentsMargins(0, 0, 0, 0);
    THistogramFrame1 = new THistogramFrame(HistogramPlace);
    layout->addWidget(THistogramFrame1);
    THistogramFrame1->SetTask = [this](const QString& task) { ShowTaskText(task); };
    THistogramFrame1->SetProgress = [this](int percent) {
        TaskProgress->setValue(percent);
        TaskProgress->repaint();
    };
    THistogramFrame1->RecalculateRequested = [this] { THistogramFrame1N5Click(); };
    histogramView_ = std::make_unique<THistogramFileView>(*this, *THistogramFrame1);
    AddCurrentFileView(histogramView_.get());
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TForm1::StoreHistogram()
{
    const int index = CurrentIndex();
    if (index == -1 || !CacheFile)
        return;
    catalogue::LockedItem record(Catalogue, index);
    if (record->FileName != THistogramFrame1->CurrentFile)
        return;
    catalogue::StoreHistogramBlocks(*CacheFile, *record, THistogramFrame1->VX_Histogram1);
}

void TForm1::Timer1Timer()
{
    if (!setup_autorecalc || TaskLabel->text() == QStringLiteral("サムネイル作成"))
        return;
    Timer1->stop();
    const int index = CurrentIndex();
    if (index == -1)
        return;
    // The record is only read here; the picture is decoded without holding the catalogue's lock.
    std::string fileName;
    {
        catalogue::LockedItem record(Catalogue, index);
        if (record->FileName != THistogramFrame1->CurrentFile || record->HistState != 0)
            return;
        fileName = record->FileName;
    }
    ShowTaskText(QStringLiteral("ヒストグラム自動計算"));
    bool computed = false;
    try {
        if (PictureWindow->isVisible()) {
            // The unaltered picture, not a channel view or a processed one.
            const imaging::Bitmap& picture = SourcePicture ? *SourcePicture : ImageEn1->Bitmap();
            THistogramFrame1->VX_Histogram1.Compute(picture);
            computed = picture.BitsPerPixel() == 24 && !picture.Empty();
        } else {
            imaging::Bitmap picture;
            computed = analysis::ComputeFileHistogram(
                fileName, THistogramFrame1->VX_Histogram1, picture, [this](int percent) {
                    TaskProgress->setValue(percent);
                    TaskProgress->repaint();
                    return true;
                }).Ok;
        }
        if (computed) {
            THistogramFrame1->RefreshChart();
            StoreHistogram();
        }
    } catch (...) {
        // automatic calculation fails silently; the file is tried again after its next preview
    }
    TaskLabel->clear();
    TaskProgress->setValue(0);
}

void TForm1::THistogramFrame1N5Click()
{
    ShowTaskText(QStringLiteral("ヒストグラム再計算"));
    TaskProgress->setMaximum(100);
    TaskProgress->setValue(0);
    const std::string file = THistogramFrame1->CurrentFile;
    imaging::Bitmap picture;
    // A file that does not load leaves the chart and the stored histogram as they were.
    if (!file.empty()
        && analysis::ComputeFileHistogram(file, THistogramFrame1->VX_Histogram1, picture, [this](int percent) {
               TaskProgress->setValue(percent);
               TaskProgress->repaint();
               return true;
           }).Ok) {
        picture = {};
        StoreHistogram();
        THistogramFrame1->RefreshChart();
    }
    TaskProgress->setValue(0);
    TaskLabel->clear();
}

void TForm1::DoRecalcMenu()
{
    if (!CacheFile)
        return;
    THistProgress dialog(
        [this](THistProgress& progress) {
            catalogue::THistogramBatchHooks hooks;
            hooks.Running = [&progress] { return progress.Running(); };
            hooks.Progress = [&progress](int percent) {
                progress.SetProgress(percent);
                return true;
            };
            hooks.Stored = [this](int index) {
                // The current file's new histogram is shown at once in the histogram modes.
                if (index == CurrentIndex() && THistogramFrame1->Mode() <= 1) {
                    THistogramFrame1->CurrentFile.clear();
                    ShowItemInfo(index);
                }
            };
            catalogue::RecalcCheckedHistograms(Catalogue, *CacheFile, hooks);
        },
        this);
    dialog.exec();
}
