#pragma once
// TForm1, the main window: it lives for the whole run and owns the folder
// tree, the thumbnail grid and detail list, the picture view, the side panels,
// the catalogue of the open folder with its cache file, at most one thumbnail
// maker, and the settings. Its members are defined in several files by concern:
//   MainForm.cpp          creation, showing, closing, destruction
//   MainFormLayout.cpp    the widgets and their arrangement
//   MainFormSettings.cpp  the registry groups read at creation and written at close
//   MainFormFolder.cpp    opening and refreshing folders, the current file, progress

#include <QMainWindow>
#include <QString>
#include <memory>

#include "app/SettingsGroups.h"
#include "catalogue/CacheFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ImageCache.h"
#include "catalogue/ThumbnailMaker.h"
#include "catalogue/ui/ThumbnailMakerHost.h"
#include "platform/MainThreadQueue.h"

class QLabel;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;
class QTreeView;
class QWidget;
class QPainter;
class QKeyEvent;
class QMouseEvent;
class FolderTree;
class TResizeDrawGrid;
class CatalogueListModel;

// The thumbnail progress message (WM_USER + 10) posted by the thumbnail maker.
inline constexpr int kThumbnailProgressMessage = 1024 + 10;

class TForm1 : public QMainWindow, public TMainSettings {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- main controller operations used across the program
    void FolderOpen(const QString& path, bool force);
    int CurrentIndex() const;
    void ShowItemInfo(int index);
    void RepaintItem(int index);
    void ThumbnailProgress(int wParam, int lParam);
    void Refresh1Click();
    void PTShellTree1Change();
    // Posts the thumbnail progress message to this window (callable from any thread).
    void PostThumbnailProgress(int wParam, int lParam);

    // --- lifecycle handlers
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormClose();
    void FormDestroy();

    // --- state
    std::string CurrentFolder; // always ends in '/'
    int SortKind = 0;
    int32_t SortTag = 0;
    int ViewType = 4;
    bool NoFileShown = false;
    // The file the histogram panel shows (its CurrentFile), compared and set by ShowItemInfo.
    std::string HistogramCurrentFile;
    int DragStartX = 0, DragStartY = 0;
    catalogue::TCatalogue Catalogue;
    std::unique_ptr<catalogue::TCacheFile> CacheFile;
    catalogue::TListConfigs ListConfig;

    // --- controls (named by role, as everywhere in the program)
    QWidget* MainWindow = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QWidget* FolderPanel = nullptr;
    FolderTree* PTShellTree1 = nullptr;
    QSplitter* FolderSplitter = nullptr; // the horizontal splitter of the browsing panes
    QStackedWidget* Panel4 = nullptr;
    TResizeDrawGrid* DrawGrid1 = nullptr;
    QTreeView* ListView1 = nullptr;
    CatalogueListModel* ListModel = nullptr;
    QWidget* InfoPanel = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* HistogramPlace = nullptr;
    QWidget* InfoFramePlace = nullptr;
    QWidget* PictureWindow = nullptr;
    QToolBar* PictTool = nullptr;
    QWidget* PictureViewPlace = nullptr;
    QLabel* ErrorLabel = nullptr;
    QLabel* StatusBarIn = nullptr;
    QLabel* ChannelPl = nullptr;
    QLabel* TaskLabel = nullptr;
    QProgressBar* TaskProgress = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // The settings store (the per-user registry).
    platform::RegistryStore& Registry() { return *registry_; }

    // --- panes (the pane commands and view switching)
    bool FolderPaneVisible() const;
    void SetFolderPaneVisible(bool visible);
    bool InfoPaneVisible() const;
    void SetInfoPaneVisible(bool visible);
    int FolderPaneWidth() const;
    void SetFolderPaneWidth(int width);
    int InfoPaneWidth() const;
    void SetInfoPaneWidth(int width);
    int HistogramHeight() const;
    void SetHistogramHeight(int height);
    void ChangeViewType(int viewType);
    void LayoutGrid();
    bool PictureMode() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildLayout();
    void ReadSettings();
    void WriteSettings();
    void WriteWindowPlacement();
    void ApplyWindowPlacement(const TWindowPlacement& placement, int state);
    void StopThumbnailMaker();
    void StartThumbnailMaker();
    void DrawGrid1DrawCell(int col, int row, const QRect& rect, bool selected, QPainter& painter);
    QVariant ListRowStyle(int row, int role) const;
    void SetStatusText(const QString& text);
    void UpdateWindowCaption();

    void ApplyPaneSizes();
    void TakePaneSizes();
    int HistogramChrome() const;

    std::unique_ptr<platform::RegistryStore> registry_;
    int folderWidth_ = 185;
    int infoWidth_ = 263;
    int histogramHeight_ = 114;
    bool shown_ = false;
    bool closed_ = false;
    bool destroyed_ = false;

    // --- thumbnails (MainFormThumbnails.cpp)
private:
    void SetupThumbnailViews();
    void DrawGrid1Resize();
    void SetCurrentChecked(bool checked);
    void GridMouseDown(QMouseEvent* event);
    void GridMouseUp(QMouseEvent* event);
    void ViewMouseMove(QMouseEvent* event);
    bool GridKeyDown(QKeyEvent* event);
    bool ListViewEvent(QObject* watched, QEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Declared before the maker so that they outlive it.
    platform::MainThreadQueue makerQueue_;
    TMainThreadDispatcher makerDispatcher_{makerQueue_};
    TThumbnailMakerUiHost makerHost_;
    bool dragAllowed_ = false;

public:
    // The four thumbnail entries (view types 5, 4, 3, 9) and the list view entry.
    void ChangeThumnailMode(int viewType);
    void ListViewClick();
    // Toggles the current file's check mark and repaints it.
    void CheckMarkClick();
    // The Space, T and F keys of the list, the grid and the picture view: true when taken.
    bool MarkKeyPress(QKeyEvent* event);
    bool ThumbnailMakerRunning() const { return ThumbnailMaker && !ThumbnailMaker->Finished(); }
    // Adjusts the options of every maker started from now on (tests slow it down or give stand-in readers).
    std::function<void(catalogue::TThumbnailMakerOptions&)> ThumbnailMakerSetup;
    std::unique_ptr<catalogue::TThumbnailMaker> ThumbnailMaker;
    // Commands built elsewhere that the grid and the list reach; they do nothing yet.
    void OpenFileHook() {}
    void NextFileHook() {}
    void DeleteFileHook() {}
    void StartFileDragHook() {}
    void FilePopupHook(const QPoint&) {}
    void FolderPopupHook(const QPoint&) {}
    void PictureCheckButtonHook(bool) {}
    // --- end of thumbnails
};

