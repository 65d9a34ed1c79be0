#pragma once
// TForm1, the main window: it lives for the whole run and owns the folder
// tree, the thumbnail grid and detail list, the picture view, the side panels,
// the catalogue of the open folder with its cache file, at most one thumbnail
// maker, and the settings. Its members are defined in several files by concern:
//   MainForm.cpp          creation, showing, closing, destruction
//   MainFormLayout.cpp    the widgets and their arrangement
//   MainFormSettings.cpp  the registry groups read at creation and written at close
//   MainFormFolder.cpp    opening and refreshing folders, the current file, progress
//   MainFormMenus.cpp     menus, tool bars, actions, keys, pane and bar commands
//   MainFormThumbnails.cpp view types, the grid and list input, the thumbnail maker
//   MainFormPicture.cpp   the picture view: opening, zoom, stepping, turning
//   MainFormInfoFrame.cpp the metadata panel and its sort and select-same commands
//   MainFormHistogram.cpp the histogram panel, stored histograms and their recalculation

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/ViewModes.h"
#include "app/CurrentFileView.h"
#include "app/SettingsGroups.h"
#include "catalogue/CacheFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ImageCache.h"
#include "catalogue/ThumbnailMaker.h"
#include "catalogue/ui/ThumbnailMakerHost.h"
#include "colour/ColourManagement.h"
#include "fileops/Batch.h"
#include "imaging/Bitmap.h"
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
class TLossLessDialog;
class QMouseEvent;
class FolderTree;
class TResizeDrawGrid;
class CatalogueListModel;
class PictureView;
class QAction;
class QMenu;
class QSlider;
class QToolButton;
class QResizeEvent;
class QMimeData;
class TMoveFiles;
class TFileOperationDialog;
struct TMainActions;
class THistogramFrame;
class THistogramFileView;
class TInfoFrameView;
namespace metadata {
class TInfoFrame;
}
class TICCDialog;

class TForm1 : public QMainWindow, public TMainSettings {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- main controller operations used across the program
    void FolderOpen(const QString& path, bool force);
    // The same for a path in the file system's own bytes (names need not be valid UTF-8).
    void FolderOpen(const std::string& path, bool force);
    int CurrentIndex() const;
    // The number of records in the catalogue (read under its lock).
    int FileCount() const;
    // The catalogue index of a file by its full path, -1 when it is not listed.
    int IndexOfFile(const std::string& fileName) const;
    void ShowItemInfo(int index);
    void RepaintItem(int index);
    void ThumbnailProgress(int wParam, int lParam);
    void Refresh1Click();
    void PTShellTree1Change();
    // Posts the thumbnail progress message to this window (callable from any thread).
    void PostThumbnailProgress(int wParam, int lParam);
    // Registers a panel that follows the current file (not owned; it lives as long as the window).
    void AddCurrentFileView(ICurrentFileView* view);

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
    int ViewType = catalogue::kViewMedium;
    bool NoFileShown = false;
    int DragStartX = 0, DragStartY = 0;
    catalogue::TCatalogue Catalogue;
    std::unique_ptr<catalogue::TCacheFile> CacheFile;
    catalogue::TListConfigs ListConfig;

    // --- controls (named by role, as everywhere in the program)
    QWidget* MainWindow = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QWidget* FolderPanel = nullptr;
    FolderTree* PTShellTree1 = nullptr;
    QSplitter* FolderSplitter = nullptr; // folder pane | the rest
    QStackedWidget* Panel4 = nullptr;
    TResizeDrawGrid* DrawGrid1 = nullptr;
    QTreeView* ListView1 = nullptr;
    CatalogueListModel* ListModel = nullptr;
    QSplitter* InfoSplitter = nullptr; // file views | information panel
    QWidget* InfoPanel = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* HistogramPlace = nullptr;
    THistogramFrame* THistogramFrame1 = nullptr;
    QWidget* InfoFramePlace = nullptr;
    QWidget* PictureWindow = nullptr;
    QToolBar* PictTool = nullptr;
    PictureView* ImageEn1 = nullptr;
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
    // The widest information pane that still leaves the file view its minimum width.
    int MaxInfoPaneWidth() const;
    void SetInfoPaneWidth(int width);
    int HistogramHeight() const;
    void SetHistogramHeight(int height);
    void ChangeViewType(int viewType);
    // Sets the grid's column and row counts for its width and the file count, keeping the current file.
    void LayoutGrid();
    // Makes the grid cell of a file index the current one.
    void PlaceGridCurrent(int index);
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

    void SetPaneVisible(QWidget* pane, bool visible);
    void ApplyPaneSizes();
    void TakePaneSizes();
    int HistogramChrome() const;
    // Tells every registered view about the file (Index -1: no file).
    void TellCurrentFileChanged(const TCurrentFile& file);
    void TellNoCurrentFile() { TellCurrentFileChanged({}); }

    std::vector<ICurrentFileView*> currentFileViews_;
    // The histogram panel placed in the histogram pane and told of the current file.
    void BuildHistogramPanel();
    std::unique_ptr<THistogramFileView> histogramView_;

public:
    // Stores the panel's histogram for the current file when the panel shows it.
    void StoreHistogram();
    // The automatic calculation, two seconds after a preview histogram.
    void Timer1Timer();

private:
    // The file last shown in the panels: a new one restarts the automatic histogram timer.
    std::string panelsFile_;

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
    TMainThreadDispatcher makerDispatcher_ { makerQueue_, [this](int w, int l) { PostThumbnailProgress(w, l); } };
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
    // Commands built elsewhere that the grid and the list reach (the open, next-file,
    // popup and check-button ones are defined in MainFormMenus.cpp; the others do nothing yet).
    void OpenFileHook();
    void NextFileHook();
    void DeleteFileHook() { Delete2Click(); }
    void StartFileDragHook() { StartFileDrag(); }
    void FilePopupHook(const QPoint& globalPos);
    void FolderPopupHook(const QPoint& globalPos);
    void PictureCheckButtonHook(bool checked);
    // --- end of thumbnails

    // --- menus and actions (MainFormMenus.cpp)
public:
    // The window's actions, menus and tool bar controls (app/MainActions.h).
    std::unique_ptr<TMainActions> Actions;

    void ShowFolderView();
    void Action_ShowInfoExecute();
    void Action_ShowStatusBarExecute();
    void Action_ShowToolBarExecute();
    void N78Click();
    void UIUpdateAction();
    void ToolButton4Click();
    void FormResize();
    void PopupMenu1Popup();
    void PopupMenu3Popup();
    void ListView1Click();
    void ListView1ColumnRightClick(int column, const QPoint& globalPos);
    // The sort entries (tags 0 to 4).
    void SortByName1Click(int kind);
    // Enables the JPEG-only commands for the current file (called by ShowItemInfo).
    void UpdateFileCommands(const catalogue::TImageCache& record);
    // Looks a key up in the focused control's context menu and its parents',
    // then the main menu, then the action lists; true when an entry took it.
    bool MenuKeyLookup(QKeyEvent* event);

    // JPEG tools (MainFormJpegTools.cpp): lossless rotation and the marker editor.
    void LossLessRolateClick();
    void SelLosslessClick();
    void DoLossLessRolate(const std::string& path, int rotation, const TLossLessDialog& dialog);
    void ICC1Click();
    // Makes the next refresh read the file at path anew.
    void ForgetRecord(const std::string& path);
    // Writes the current file's embedded profile to target (the marker editor's export).
    void ExportEmbeddedIcc(const std::string& target);

    // Commands built elsewhere; their entries are in place and do nothing yet.
    // --- histograms (MainFormHistogram.cpp)
    void DoRecalcMenu();
    void THistogramFrame1N5Click();
    void N9Click() { }
    void O1Click() { }
    void N45Click() { }
    void Help2Click() { }
    void About1Click() { }
    void N3Click() { }
    void aaa1Click() { }
    void N57Click() { }
    void N56Click() { }
    void NoiseReductionClick() { }
    void N65Click() { }
    void N55Click() { }
    void N43Click();
    void ColorManagementClick();
    void CHANNEL_ALLExecute();
    void ResetViewModeChecks();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus();
    void BuildMainMenu();
    void BuildPopupMenus();
    void BuildToolBars();
    // The batch commands on the checked files ("一括" before the first four in the file menu).
    void AddBatchEntries(QMenu* menu, const QString& prefix);
    // Rotate left (Ctrl+E) and rotate right (Ctrl+R), as the file and picture menus hold them.
    void AddTurnEntries(QMenu* menu);
    // The four explicit rotation entries, radio-checked, as a menu's content.
    void AddRotationEntries(QMenu* menu);
    void SetPictureModeEntries(bool pictureMode);
    bool WindowKeyEvent(QObject* watched, QEvent* event);
    bool inFormResize_ = false;

    // --- file operations (MainFormFiles.cpp)
public:
    // Check marks of every file: set or cleared (すべて選択 / すべて解除), or each one inverted.
    void SelectAllClick(bool check);
    void DeSelectRevClick();
    // Batch copy, move and delete (to the trash) of the checked files; protect and unprotect them.
    void SelCopyClick();
    void SelMoveClick();
    void SelDeleteClick();
    void SetProtect();
    void UnsetProtect();
    // The current file: toggle its protection, delete it (to the trash), rename it.
    void ProtectClick();
    void Delete2Click();
    void R6Click();
    // A new sub-folder in the folder tree's selected folder, its name opened for editing.
    void C2Click();
    // Drags the current file, or every checked file when the current one is checked, out of the window.
    void StartFileDrag();
    // The files a drag out carries (native paths).
    std::vector<std::string> DragFileList() const;
    // A drop on the file views or the picture view: one folder opens it; files are copied
    // (or moved, as the drop asks) into the open folder.
    void DropFileTarget1Drop(const std::vector<std::string>& paths, Qt::DropAction action);
    // True when the user declines to leave a folder that has checked files.
    bool ConfirmLeaveChecked();
    // Asked before the user moves the folder tree to newPath (native, ending in '/'):
    // false keeps the tree on the open folder.
    bool PTShellTree1Changing(const std::string& newPath);
    // The checked files in catalogue order.
    std::vector<std::string> CheckedFiles() const;
    // The path of the file at index; empty when there is none.
    std::string FileNameAt(int index) const;

    // The questions and messages of these commands: message boxes unless set (tests answer them).
    std::function<bool(const QString& text)> AskOkCancel; // caption 確認, OK / Cancel
    std::function<bool(QString& name)> AskNewFileName; // the rename input box; false on Cancel
    std::function<void(const QString& text)> ShowError; // caption エラー
    // Shows the destination dialog; true on OK (tests select the folder and accept).
    std::function<bool(TMoveFiles& dialog)> RunMoveFiles;
    // Adjusts each progress dialog before it runs (tests answer its questions).
    std::function<void(TFileOperationDialog& dialog)> FileOperationSetup;
    // Runs a drag of these files (tests look at the data instead); by default a QDrag.
    std::function<void(QMimeData* data)> RunFileDrag;

private:
    void SetupFileOperations();
    bool OkCancel(const QString& text);
    void ErrorBox(const QString& text);
    // Runs an operation through the progress dialog, tells about failures and returns the results.
    std::vector<fileops::ItemResult> RunFileOperation(
        fileops::Operation op, const std::vector<std::string>& files, const std::string& destFolder = {});
    void BatchTransfer(fileops::Operation op);
    void SetProtection(int index, bool protect, std::vector<fileops::ItemResult>& failures);
    void ProtectChecked(bool protect);
    void RepaintViews();
    // Takes the record of a deleted file out of the catalogue and moves on to the next file.
    void RemoveDeletedRecord(int index);
    // --- end of file operations

    // --- picture view (MainFormPicture.cpp)
public:
    // The unaltered copy kept by the view modes; opening a photo discards it.
    std::unique_ptr<imaging::Bitmap> SourcePicture;
    // Timer2's counter (the remaining blink steps).
    int Timer2Tag = 0;
    // Asks a Yes/No question (caption "確認"); true for Yes. Tests answer it themselves.
    std::function<bool(const QString& text)> Confirm;

    // Opens the current file in the picture view; `sender` is the requesting control, if any.
    void Open1Click(QObject* sender = nullptr);
    void N5Click();
    void AutoFit1Click();
    void N15001Click(int percent);
    void ImageEn1MouseWheel(int delta, bool* handled);
    void NextFile(QObject* sender = nullptr);
    void BeforeFile(QObject* sender = nullptr);
    void FileTrackChange(int position);
    void FileTrackEnter();
    enum class TRolate { Right, Left, Explicit };
    void RolateSub(TRolate kind, int value = 0);
    void Rolate_0Click() { RolateSub(TRolate::Explicit, 0); }
    void Rolate_90Click() { RolateSub(TRolate::Explicit, 1); }
    void Rolate_180Click() { RolateSub(TRolate::Explicit, 2); }
    void Rolate_270Click() { RolateSub(TRolate::Explicit, 3); }
    void Rolate_90Plus() { RolateSub(TRolate::Right); }
    void RolateTool2Click() { RolateSub(TRolate::Left); }
    void RolatePopupMenuPopup();
    void N66Click();
    void FlipReverseSub(bool flip, bool mirror);
    void Menu_FlipClick() { FlipReverseSub(true, false); }
    void Menu_ReverseClick() { FlipReverseSub(false, true); }
    void C1Click();
    void ImageEn1Progress2(int percent);
    // Makes the file at index the current one in the grid or the list (which shows it in the panels).
    void SelectFile(int index);
    // The steps after a photo's pixels are in the view, in this order: the record's
    // orientation, colour management (when the opening asked for it), the view
    // mode, then the registered views hear of the opened picture.
    void PictureLoaded();
    // Colour-manages the displayed picture from the source picture (MainFormViewSteps.cpp).
    void DoColorManagement();
    // Prepares and draws a channel, clipping or correction view of the displayed
    // picture (MainFormViewSteps.cpp); kViewModeAllChannels shows the photo unchanged.
    // False when the view could not be made (the YCbCr warning of an unreadable file).
    bool ApplyViewMode(int mode);
    static constexpr int kViewModeAllChannels = analysis::kModeAllChannels;
    // A TOBI or CHANNEL command, or the YCbCr warning, by its view mode.
    void ViewCommand(int mode);
    // One blink step every 400 ms while a clipping check blinks.
    void Timer2Timer();
    // The two frames a clipping check alternates.
    analysis::TBlinkFrames BlinkFrames;
    // The colour-management settings as one value.
    colour::ColourSettings ColourSettings() const;
    // Tests answer the settings dialog here instead of showing it (true for OK).
    std::function<bool(TICCDialog&)> ICCDialogHook;

private:
    void ConnectViewCommands();
    QAction* ViewModeAction(int mode) const;
    void ShowTask(int mode);
    // Shows a task text in the status bar at once.
    void ShowTaskText(const QString& text);
    void EndTask();
    bool ShowYccWarning(imaging::Bitmap& displayed, const analysis::RowProgressFn& progress);
    void SetupPictureView();
    bool LoadPicture(const std::string& fileName);
    void OrientPicture(int rotation, bool flipped, bool mirrored);
    void StepBy(int step, QObject* sender);
    void StepFile(int target, QObject* sender);
    bool PictureKeyRelease(QKeyEvent* event);
    void MarkRotation(QMenu* menu);
    // Auto-repeated keys only move the selection; the photo is opened once they stop coming.
    bool keyRepeating_ = false;
    // The requesting control of the opening in progress (null when none was given).
    QObject* openSender_ = nullptr;
    bool openPending_ = false;
    QObject* pendingSender_ = nullptr;
    // --- end of picture view

    // --- metadata panel (MainFormInfoFrame.cpp)
public:
    metadata::TInfoFrame* TInfoFrame1 = nullptr;
    // Sorts the folder by the panel's selected item (file-information rows as the sort entries).
    void TInfoFrame1SortByItemClick();
    // Checks the files whose selected item has the panel's value, unchecks all others.
    void TInfoFrame1SelItemClick();

private:
    void SetupInfoFrame();
    std::unique_ptr<TInfoFrameView> infoFrameView_;
};
