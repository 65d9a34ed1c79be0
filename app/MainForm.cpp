// The main window's creation, showing, closing and destruction.
#include "app/MainForm.h"
#include "app/MainActions.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QTimer>

#include "analysis/ui/HistogramFrame.h"
#include "app/FolderTree.h"
#include "app/HistogramFileView.h"
#include "app/InfoFrameView.h"
#include "app/PathText.h"
#include "app/ThumbnailProgressEvent.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "colour/Profile.h"

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent)
    , registry_(std::make_unique<platform::RegistryStore>())
{
    Actions = std::make_unique<TMainActions>();
    BuildLayout();
    BuildHistogramPanel();
    SetupInfoFrame();
    FormCreate();
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::FormCreate()
{
    colour::UseQuietLibrary();
    ChangeViewType(catalogue::kViewMedium);
    ReadSettings();
    THistogramFrame1->InitPanel(Registry());
    TInfoFrame1->LoadSettings(Registry());
    SortKind = 0;
    try {
        CacheFile = catalogue::CreateCatalogue(Catalogue);
    } catch (const std::exception&) {
        // Without a cache file the folder is still listed; thumbnails are then not kept.
        CacheFile.reset();
    }
    catalogue::InitListConfig(ListConfig);
    ListModel->SetupListColumns(ListConfig);
    for (int c = 0; c < ListConfig.Count; ++c)
        ListView1->setColumnWidth(c, ListConfig.Items[c].Width);
}

void TForm1::FormShow()
{
    std::string folder;
    if (setup_useFolder) {
        folder = setup_Folder;
    } else {
        Guarded([&] {
            platform::RegistryKey key(Registry(), "Main\\Folder");
            folder = key.ReadString("Path");
        });
    }
    if (folder.empty())
        folder = NativePath(FolderTree::DefaultFolder());
    PTShellTree1->SelectNativePath(folder);
    UIUpdateAction();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TForm1::FormHide()
{
    WriteWindowPlacement();
}

void TForm1::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    FormHide();
    hide();
    WriteSettings();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TForm1::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    Timer1->stop();
    Timer2->stop();
    StopThumbnailMaker();
    catalogue::ClearCatalogue(Catalogue, CacheFile.get());
    catalogue::DestroyCatalogue(Catalogue, CacheFile); // closes and deletes the cache file
}

bool TForm1::event(QEvent* event)
{
    if (event->type() == TThumbnailProgressEvent::kType) {
        const auto* e = static_cast<TThumbnailProgressEvent*>(event);
        ThumbnailProgress(e->wParam, e->lParam);
        return true;
    }
    return QMainWindow::event(event);
}
