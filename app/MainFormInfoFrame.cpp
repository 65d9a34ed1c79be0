// The metadata panel in the information pane, and the window's two commands
// of its pop-up menu: sort the folder by the selected item and check the
// files whose item has the same value.
#include <QActionGroup>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/InfoFrameView.h"
#include "app/MainActions.h"
#include "app/MainForm.h"
#include "catalogue/ui/ResizeDrawGrid.h"

void TForm1::SetupInfoFrame()
{
    auto* layout = new QVBoxLayout(InfoFramePlace);
    layout->setContentsMargins(0, 0, 0, 0);
    TInfoFrame1 = new metadata::TInfoFrame(InfoFramePlace);
    TInfoFrame1->setObjectName("TInfoFrame1");
    layout->addWidget(TInfoFrame1);
    infoFrameView_ = std::make_unique<TInfoFrameView>(*TInfoFrame1);
    AddCurrentFileView(infoFrameView_.get());
    connect(TInfoFrame1->SortByItem, &QAction::triggered, this, [this] { TInfoFrame1SortByItemClick(); });
    connect(TInfoFrame1->SelItem, &QAction::triggered, this, [this] { TInfoFrame1SelItemClick(); });
}

void TForm1::TInfoFrame1SortByItemClick()
{
    const metadata::TInfoRow* row = TInfoFrame1->SelectedRow();
    if (!row || row->Key == 0 || !row->Sortable)
        return;
    // The file-information rows sort as the window's own sort entries.
    if (row->Key >= -5 && row->Key <= -1) {
        SortByName1Click(-1 - row->Key); // -1 name, -2 kind, -3 date, -4 file size, -5 picture size
        return;
    }
    SortKind = -1;
    SortTag = row->Key;
    catalogue::SortCatalogue(Catalogue, { SortKind, SortTag });
    // None of the sort entries describes this order.
    QActionGroup* group = Actions->SortEntries[0]->actionGroup();
    if (QAction* checked = group ? group->checkedAction() : nullptr) {
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        checked->setChecked(false);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    }
    ListView1->viewport()->update();
    DrawGrid1->viewport()->update();
    if (ThumbnailMakerRunning())
        Refresh1Click();
}

void TForm1::TInfoFrame1SelItemClick()
{
    const metadata::TInfoRow* row = TInfoFrame1->SelectedRow();
    if (!row || !metadata::OffersSelectSame(*row))
        return;
    const int32_t key = row->Key;
    const std::string value = row->Value;
    const metadata::TInfoRecord& shown = TInfoFrame1->Record();
    const int64_t area = static_cast<int64_t>(shown.Width) * shown.Height;
    const int count = FileCount();
    for (int i = 0; i < count; ++i) {
        std::lock_guard lock(Catalogue.Mutex());
        if (i >= Catalogue.Count())
            break;
        catalogue::TImageCache& record = Catalogue.At(i);
        if (key == -5)
            record.Checked = static_cast<int64_t>(record.ImageWidth) * record.ImageHeight == area;
        else if (key == -2)
            record.Checked = record.FileKind == shown.FileKind;
        else
            record.Checked = record.Exif && metadata::GetExifValueText(key, *record.Exif) == value;
    }
    ListView1->viewport()->update();
    DrawGrid1->viewport()->update();
}
