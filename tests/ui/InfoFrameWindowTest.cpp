// The window's commands of the metadata panel: sort the folder by the
// selected item and check the files whose item has the same value.
#include <QActionGroup>
#include <QApplication>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "imaging/ImageIO.h"
#include "metadata/ExifBuilder.h"
#include "metadata/ui/InfoFrame.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class InfoFrameWindowTest : public uitest::WindowTest {
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        // a.jpg and c.jpg at 1/250 s, b.jpg at 1/60 s, d.bmp without metadata.
        Jpeg("a.jpg", 250, 64, 48);
        Jpeg("b.jpg", 60, 64, 48);
        Jpeg("c.jpg", 250, 40, 96);
        ASSERT_TRUE(imaging::SaveBmpFile(photos.Folder() + "d.bmp", imaging::Bitmap(48, 64)));
        form = std::make_unique<TForm1>();
        form->show();
        uitest::OpenFolderAndWait(*form, photos.Folder());
        QApplication::processEvents();
    }
    void TearDown() override
    {
        form.reset();
        uitest::WindowTest::TearDown();
    }
    void Jpeg(const std::string& name, uint32_t denominator, int width, int height)
    {
        exiftest::TiffBuilder tiff(false);
        tiff.ifd0.Ascii(271, "Canon");
        tiff.exif.Rational(33434, { { 1, denominator } });
        tiff.withExif = true;
        testsupport::WriteFile(
            photos.Folder() + name, exiftest::JpegBuilder().Exif(tiff.Build().bytes).Frame(width, height).Build());
    }
    // Shows the file and selects the panel's row of that name.
    void SelectRow(int file, const QString& name)
    {
        form->SelectFile(file);
        QApplication::processEvents();
        QTreeWidget* tree = form->TInfoFrame1->ElTree;
        tree->clearSelection();
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->text(0) == name)
                (*it)->setSelected(true);
        ASSERT_NE(form->TInfoFrame1->SelectedRow(), nullptr) << name.toStdString();
    }
    std::string Checked()
    {
        std::string out;
        std::lock_guard lock(form->Catalogue.Mutex());
        for (int i = 0; i < form->Catalogue.Count(); ++i)
            if (form->Catalogue.At(i).Checked)
                out += form->Catalogue.At(i).FileName.substr(photos.Folder().size()) + " ";
        return out;
    }
    std::string Order()
    {
        std::string out;
        std::lock_guard lock(form->Catalogue.Mutex());
        for (int i = 0; i < form->Catalogue.Count(); ++i)
            out += form->Catalogue.At(i).FileName.substr(photos.Folder().size()) + " ";
        return out;
    }

    testsupport::TempDir photos;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(InfoFrameWindowTest, SelectSameChecksExactlyTheEqualValues)
{
    ASSERT_EQ(Order(), "a.jpg b.jpg c.jpg d.bmp ");
    {
        std::lock_guard lock(form->Catalogue.Mutex());
        form->Catalogue.At(1).Checked = true; // checked before: unchecked by the command
        form->Catalogue.At(3).Checked = true; // no metadata: unchecked too
    }
    SelectRow(0, "露出時間");
    form->TInfoFrame1SelItemClick();
    EXPECT_EQ(Checked(), "a.jpg c.jpg ");

    // Picture size compares width × height: 64 × 48 and 48 × 64 both match, 40 × 96 does not.
    SelectRow(0, "画像サイズ");
    form->TInfoFrame1SelItemClick();
    EXPECT_EQ(Checked(), "a.jpg b.jpg d.bmp ");

    SelectRow(3, "種類");
    form->TInfoFrame1SelItemClick();
    EXPECT_EQ(Checked(), "d.bmp ");
}

TEST_F(InfoFrameWindowTest, SortByAMetadataItemPutsFilesWithoutMetadataFirst)
{
    SelectRow(0, "露出時間");
    form->TInfoFrame1SortByItemClick();
    EXPECT_EQ(form->SortKind, -1);
    EXPECT_EQ(form->SortTag, 33434);
    const std::string order = Order();
    // By the value texts: "1/250秒" before "1/60秒"; a.jpg and c.jpg tie in either order.
    EXPECT_EQ(order.rfind("d.bmp ", 0), 0u) << order;
    EXPECT_EQ(order.substr(order.size() - 6), "b.jpg ") << order;
    for (QAction* entry : form->Actions->SortEntries)
        EXPECT_FALSE(entry->isChecked());

    // A file-information row sorts as the window's own entry.
    SelectRow(0, "ファイル名");
    form->TInfoFrame1SortByItemClick();
    EXPECT_EQ(form->SortKind, 0);
    EXPECT_TRUE(form->Actions->SortEntries[0]->isChecked());
    EXPECT_EQ(Order(), "a.jpg b.jpg c.jpg d.bmp ");
}
