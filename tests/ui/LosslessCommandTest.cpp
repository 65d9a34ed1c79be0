// The window's batch rotation: every checked JPEG file by its own viewer
// rotation, files without one and files of other kinds left alone.
#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegEncode.h"
#include "jpegtools/ui/LossLessDialog.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class LosslessCommandTest : public uitest::WindowTest {
protected:
    testsupport::TempDir photos;
};

std::vector<uint8_t> Jpeg(int width, int height)
{
    imaging::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            bitmap.Row(y)[x] = static_cast<uint8_t>(x * 5 + y * 3);
    std::vector<uint8_t> bytes;
    imaging::EncodeJpeg(bitmap, 90, bytes);
    return bytes;
}

QAction* ActionNamed(TForm1& form, const QString& text)
{
    for (QAction* a : form.findChildren<QAction*>())
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

TEST_F(LosslessCommandTest, BatchTurnsCheckedJpegFilesByTheirOwnRotation)
{
    const std::vector<uint8_t> photo = Jpeg(48, 32);
    for (const char* name : { "a.jpg", "b.jpg", "c.jpg", "d.png" })
        testsupport::WriteFile(photos.Path() / name, photo);
    TForm1 form;
    form.FolderOpen(QString::fromStdString(photos.Path().string()), false);
    ASSERT_EQ(form.FileCount(), 4);
    const int rotations[] = { 1, 0, 2, 1 };
    const bool checked[] = { true, true, false, true };
    for (int i = 0; i < 4; ++i) {
        catalogue::LockedItem item(form.Catalogue, i);
        item->Rotation = static_cast<uint8_t>(rotations[i]);
        item->Checked = checked[i];
    }
    QAction* batch = ActionNamed(form, QStringLiteral("一括ロスレス回転(&L)"));
    ASSERT_NE(batch, nullptr);
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TLossLessDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        EXPECT_TRUE(dialog->Def->isChecked());
        dialog->Rewrite->setChecked(true);
        dialog->accept();
    });
    batch->trigger();
    EXPECT_EQ(caption, QStringLiteral("ロスレス回転 (複数ファイル)"));
    // a: checked, rotation 1 → turned; b: rotation 0 → skipped; c: not checked; d: not a JPEG.
    EXPECT_NE(testsupport::ReadFile(photos.Path() / "a.jpg"), photo);
    for (const char* name : { "b.jpg", "c.jpg", "d.png" })
        EXPECT_EQ(testsupport::ReadFile(photos.Path() / name), photo) << name;
    // The folder was listed again: fresh records without the viewer rotation.
    EXPECT_EQ(catalogue::LockedItem(form.Catalogue, 0)->Rotation, 0);
}
