// The JPEG tools of the window: lossless rotation of the current file or of
// every checked JPEG file, and the marker editor with its profile export.
// The catalogue lock is held only while a record is read, never across a
// dialog or the folder refresh.
#include <QFileInfo>
#include <QMessageBox>
#include <QRadioButton>

#include "app/MainForm.h"
#include "app/PathText.h"
#include "fileops/ui/OkCancelBox.h"
#include "jpegtools/LosslessRotate.h"
#include "jpegtools/MarkerEdit.h"
#include "jpegtools/ui/EditMakerDialog.h"
#include "jpegtools/ui/LossLessDialog.h"
#include "platform/PathName.h"

namespace {

// The save settings of a dialog as a request for one file, asking through message boxes.
jpegtools::SaveRequest RequestFor(QWidget* owner, const std::string& path, jpegtools::SaveMode mode, bool conform)
{
    jpegtools::SaveRequest request;
    request.path = path;
    request.mode = mode;
    request.conform = conform;
    request.confirm
        = [owner](const std::string& question) { return AskOkCancelBox(owner, QString::fromStdString(question)); };
    return request;
}

// "処理しようとした PATH のWHATに失敗しました。" with the reason below it.
void ReportFailure(
    QWidget* owner, const QString& caption, const std::string& path, const QString& what, const std::string& reason)
{
    QMessageBox box(QMessageBox::Critical, caption,
        QStringLiteral("処理しようとした ") + DisplayPath(path) + QStringLiteral(" の") + what
            + QStringLiteral("に失敗しました。"),
        QMessageBox::Ok, owner);
    box.setInformativeText(QString::fromStdString(reason));
    box.exec();
}

struct JpegRecord {
    std::string FileName;
    uint8_t FileKind = 0;
    int Rotation = 0;
    bool Checked = false;
    bool HasExif = false;
    int32_t IccOffset = 0, IccLength = 0;
    bool HasComment = false;
    std::string Comment;
};

JpegRecord ReadRecord(catalogue::TCatalogue& catalogue, int index)
{
    catalogue::LockedItem item(catalogue, index);
    JpegRecord r;
    r.FileName = item->FileName;
    r.FileKind = item->FileKind;
    r.Rotation = item->Rotation;
    r.Checked = item->Checked;
    r.HasExif = item->Exif != nullptr;
    r.IccOffset = item->IccOffset;
    r.IccLength = item->IccLength;
    r.HasComment = item->HasComment;
    r.Comment = item->Comment;
    return r;
}

} // namespace

void TForm1::DoLossLessRolate(const std::string& path, int rotation, const TLossLessDialog& dialog)
{
    const jpegtools::LosslessSettings settings = dialog.Settings();
    const jpegtools::RotateOutcome outcome = jpegtools::RotateLosslessly(
        jpegtools::RotationCode(settings, rotation), RequestFor(this, path, settings.mode, settings.conform));
    if (outcome.Ok())
        ForgetRecord(outcome.newPath);
    else if (!outcome.skipped)
        ReportFailure(this, QStringLiteral("ロスレス回転"), path, QStringLiteral("ロスレス回転"), outcome.error);
}

void TForm1::ForgetRecord(const std::string& path)
{
    // The refresh keeps a record whose date is unchanged, as it is after a
    // rewrite within the same minute; the rewritten file must be read anew
    // (picture, thumbnail, metadata, no viewer rotation). No file has time 0.
    const int index = IndexOfFile(path);
    if (index < 0)
        return;
    catalogue::LockedItem record(Catalogue, index);
    record->FileTime = 0;
    record->DateText.clear();
}

void TForm1::LossLessRolateClick()
{
    const int index = CurrentIndex();
    if (index < 0)
        return;
    TLossLessDialog dialog(Registry(), this);
    const JpegRecord record = ReadRecord(Catalogue, index);
    if (!catalogue::IsJpegKind(record.FileKind))
        return;
    dialog.setWindowTitle(
        QStringLiteral("ロスレス回転 (") + DisplayPath(platform::FileNameOf(record.FileName)) + QStringLiteral(")"));
    if (record.Rotation != 0) {
        dialog.Def->setEnabled(true);
        dialog.Def->setChecked(true);
    } else {
        dialog.Def->setEnabled(false);
        if (dialog.Def->isChecked())
            dialog.Rolate90->setChecked(true);
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    DoLossLessRolate(record.FileName, record.Rotation, dialog);
    Refresh1Click();
}

void TForm1::SelLosslessClick()
{
    int count = 0;
    for (int i = 0; i < FileCount(); ++i) {
        const JpegRecord r = ReadRecord(Catalogue, i);
        count += r.Checked && catalogue::IsJpegKind(r.FileKind);
    }
    if (count == 0)
        return;
    TLossLessDialog dialog(Registry(), this);
    dialog.Def->setEnabled(true);
    dialog.Def->setChecked(true);
    dialog.setWindowTitle(QStringLiteral("ロスレス回転 (複数ファイル)"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The records are read one by one, each under the lock; the files are
    // rewritten outside it, since a question may be asked on the way.
    std::vector<JpegRecord> batch;
    for (int i = 0; i < FileCount(); ++i) {
        JpegRecord r = ReadRecord(Catalogue, i);
        if (r.Checked && catalogue::IsJpegKind(r.FileKind))
            batch.push_back(std::move(r));
    }
    for (const JpegRecord& r : batch)
        DoLossLessRolate(r.FileName, r.Rotation, dialog);
    Refresh1Click();
}

void TForm1::ICC1Click()
{
    const int index = CurrentIndex();
    if (index < 0)
        return;
    TEditMakerDialog dialog(this);
    const JpegRecord record = ReadRecord(Catalogue, index);
    if (!catalogue::IsJpegKind(record.FileKind))
        return;
    dialog.Setup(
        record.HasExif, record.IccOffset != 0, record.HasComment ? QString::fromStdString(record.Comment) : QString());
    dialog.ExportProfile = [this](const std::string& target) { ExportEmbeddedIcc(target); };
    if (dialog.exec() != QDialog::Accepted)
        return;
    jpegtools::MarkerEdit edit;
    std::string error;
    jpegtools::SaveOutcome outcome;
    if (dialog.Edit(edit, error))
        outcome = jpegtools::EditMarkers(edit, RequestFor(this, record.FileName, dialog.Mode(), dialog.NoQuestions()));
    else
        outcome.error = error;
    if (outcome.Ok())
        ForgetRecord(outcome.newPath);
    else
        ReportFailure(
            this, QStringLiteral("マーカー編集"), record.FileName, QStringLiteral("マーカー編集"), outcome.error);
    Refresh1Click();
}

void TForm1::ExportEmbeddedIcc(const std::string& target)
{
    const int index = CurrentIndex();
    std::string error = "no current file";
    if (index >= 0) {
        const JpegRecord record = ReadRecord(Catalogue, index);
        if (jpegtools::ExportEmbeddedProfile(record.FileName, record.IccOffset, record.IccLength, target, error))
            return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("JPEGマーカー編集"),
        QStringLiteral("プロファイル書き出しに失敗しました。"), QMessageBox::Ok, this);
    box.setInformativeText(QString::fromStdString(error));
    box.exec();
}
