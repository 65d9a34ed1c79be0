// The registry groups the main window reads at creation and writes at close.
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "analysis/ui/HistogramFrame.h"
#include "app/FolderTree.h"
#include <algorithm>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/ScreenFit.h"
#include "metadata/ui/InfoFrame.h"

using platform::RegistryKey;

namespace {
// Keys below \Software\Zovide.
const char* const kWindowKey = "Main\\Window";
const char* const kFolderKey = "Main\\Folder";
const char* const kInfoPanelKey = "Main\\InfoPanel";
const char* const kThumbnailKey = "Main\\Thumbnail";
const char* const kMainOtherKey = "Main\\Other";
const char* const kApplicationKey = "Application";
const char* const kCmsKey = "CMS";
const char* const kOtherKey = "Other";
} // namespace

void TForm1::ReadSettings()
{
    platform::RegistryStore& reg = Registry();
    // Maximized when State reads 2 (only its low byte counts).
    int state = 0;
    Guarded([&] { state = RegistryKey(reg, kWindowKey).ReadInteger("State") & 0xFF; });
    TWindowPlacement placement;
    Guarded([&] { ReadWindowGroup(RegistryKey(reg, kWindowKey), placement); });
    ApplyWindowPlacement(placement, state);

    TPaneSettings panes;
    Guarded([&] { ReadFolderGroup(RegistryKey(reg, kFolderKey), panes); });
    if (panes.FolderWidth.present)
        SetFolderPaneWidth(panes.FolderWidth.value);
    if (panes.FolderVisible.present && !panes.FolderVisible.value)
        SetFolderPaneVisible(false);

    Guarded([&] { ReadInfoPanelGroup(RegistryKey(reg, kInfoPanelKey), panes); });
    // A stored width that leaves the file view no room is narrowed to leave it its minimum.
    if (panes.InfoWidth.present)
        SetInfoPaneWidth(std::min(panes.InfoWidth.value, MaxInfoPaneWidth()));
    if (panes.InfoSplitHeight.present)
        SetHistogramHeight(panes.InfoSplitHeight.value);
    if (panes.InfoVisible.present && !panes.InfoVisible.value)
        SetInfoPaneVisible(false);

    Guarded([&] { ReadThumbnailGroup(RegistryKey(reg, kThumbnailKey), panes); });
    // A view type that is not one of the five leaves the medium thumbnails set at creation.
    if (panes.ThumbnailType.present)
        ChangeViewType(panes.ThumbnailType.value);

    Guarded([&] { ReadMainOtherGroup(RegistryKey(reg, kMainOtherKey), panes); });
    if (panes.StatusVisible.present && !panes.StatusVisible.value)
        statusBar()->hide();
    if (panes.ToolBarVisible.present && !panes.ToolBarVisible.value)
        ToolBar3->hide();
    if (panes.ToolBarVisible2.present && !panes.ToolBarVisible2.value) {
        PictTool->hide();
        Actions->N78->setChecked(false);
    }

    // A table read only in part keeps the entries read so far.
    Guarded([&] { ReadApplicationGroup(RegistryKey(reg, kApplicationKey), *this); });
    Guarded([&] { ReadCmsGroup(RegistryKey(reg, kCmsKey), *this); });
    Guarded([&] { ReadOtherGroup(RegistryKey(reg, kOtherKey), *this); });
}

void TForm1::ApplyWindowPlacement(const TWindowPlacement& placement, int state)
{
    if (placement.complete) {
        QRect rect(QPoint(placement.NormalLeft, placement.NormalTop),
            QPoint(placement.NormalRight - 1, placement.NormalBottom - 1));
        // A stored rectangle that no screen could show (damaged or from another
        // display) keeps the design size rather than making the window unusable.
        // One that lies off every screen now is brought onto the nearest one.
        if (rect.width() >= 200 && rect.height() >= 150 && rect.width() <= 20000 && rect.height() <= 20000)
            setGeometry(FitIntoScreens(rect, AvailableScreenAreas()));
    }
    if (state == 2)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::WriteWindowPlacement()
{
    TWindowPlacement p;
    p.State = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    p.NormalLeft = normal.left();
    p.NormalTop = normal.top();
    p.NormalRight = normal.left() + normal.width();
    p.NormalBottom = normal.top() + normal.height();
    Guarded([&] {
        RegistryKey key(Registry(), kWindowKey);
        WriteWindowGroup(key, p);
    });
}

void TForm1::WriteSettings()
{
    platform::RegistryStore& reg = Registry();
    TakePaneSizes();
    Guarded([&] {
        RegistryKey key(reg, kFolderKey);
        key.WriteInteger("Width", FolderPaneWidth());
        key.WriteBool("Visible", FolderPaneVisible());
        // Stored as the file system's bytes, without the closing slash.
        std::string path = PTShellTree1->SelectedNativePath();
        if (path.size() > 1 && path.back() == '/')
            path.pop_back();
        key.WriteString("Path", path);
    });
    Guarded([&] {
        RegistryKey key(reg, kInfoPanelKey);
        key.WriteInteger("Width", InfoPaneWidth());
        key.WriteBool("Visible", InfoPaneVisible());
        key.WriteInteger("SplitHeight", HistogramHeight());
    });
    Guarded([&] { RegistryKey(reg, kThumbnailKey).WriteInteger("ThumbnailType", ViewType); });
    Guarded([&] {
        RegistryKey key(reg, kMainOtherKey);
        key.WriteBool("StatusVisible", !statusBar()->isHidden());
        key.WriteBool("ToolbarVisible", !ToolBar3->isHidden());
        key.WriteBool("ToolbarVisible2", !PictTool->isHidden());
    });
    Guarded([&] {
        RegistryKey key(reg, kApplicationKey);
        WriteApplicationGroup(key, *this);
    });
    Guarded([&] {
        RegistryKey key(reg, kCmsKey);
        WriteCmsGroup(key, *this);
    });
    Guarded([&] {
        RegistryKey key(reg, kOtherKey);
        WriteOtherGroup(key, *this);
    });
    Guarded([&] { THistogramFrame1->RegSave(reg); });
    Guarded([&] { TInfoFrame1->SaveSettings(reg); });
    // A settings folder that cannot be written loses only this session's changes.
    Guarded([&] { reg.Save(); });
}
