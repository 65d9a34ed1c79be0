#pragma once
// TMainActions: the main window's actions, menus and tool bar controls, held
// apart from TForm1 so that adding a command recompiles only the files that
// use the actions. The window builds them (MainFormMenus.cpp) and parents every
// one of them, so the holder only points at them.

class QAction;
class QMenu;
class QSlider;
class QToolButton;

struct TMainActions {
    QMenu* PopupMenu1 = nullptr; // files in the grid and the list
    QMenu* PopupMenu2 = nullptr; // view type (drop-down of the view-type button)
    QMenu* PopupMenu3 = nullptr; // the picture view
    QMenu* PopupMenu4 = nullptr; // an empty part of the grid
    QMenu* RolatePopupMenu = nullptr; // drop-down of the rotate-right buttons
    QMenu* ListPopup = nullptr; // list column headers from the third column on
    QMenu* ToolsMenu = nullptr; // registered applications are appended at its end
    // The pane and bar actions (category "表示").
    QAction* Action_ShowFolder = nullptr;
    QAction* Action_ShowInfo = nullptr;
    QAction* Action_ShowStatusBar = nullptr;
    QAction* Action_ShowToolBar = nullptr;
    // The clipping and channel actions (categories "飛び判定" and "チャンネル").
    QAction* TOBI_All = nullptr;
    QAction* TOBI_W = nullptr;
    QAction* TOBI_R = nullptr;
    QAction* TOBI_G = nullptr;
    QAction* TOBI_B = nullptr;
    QAction* CHANNEL_ALL = nullptr;
    QAction* CHANNEL_R = nullptr;
    QAction* CHANNEL_G = nullptr;
    QAction* CHANNEL_B = nullptr;
    QAction* CHANNEL_ROVER = nullptr;
    QAction* CHANNEL_GOVER = nullptr;
    QAction* CHANNEL_BOVER = nullptr;
    QAction* CHANNEL_WOVER = nullptr;
    // Main menu entries the window enables, checks or shows.
    QAction* N5 = nullptr; // 戻る(&ESC)
    QAction* AutoFit1 = nullptr;
    QAction* N15001 = nullptr; // 実寸表示(&100%)
    QAction* ZoomSub = nullptr; // 倍率指定(&S)
    QAction* N78 = nullptr; // ツールバー(画像画面)
    QAction* ToolBarEntry = nullptr; // ツールバー(通常画面)
    QAction* SortSub = nullptr; // 並び替え(&O)
    QAction* SortEntries[5] = {}; // by name, type, date, size, picture size
    QAction* SelectAll1 = nullptr;
    QAction* DeselectAll1 = nullptr;
    QAction* DeSelectRev1 = nullptr;
    QAction* BatchSub = nullptr; // 一括処理(&A)
    QAction* C1 = nullptr; // 画像としてコピー(&C)
    QAction* TobiSub = nullptr; // 飛び判定(&T) of the main menu
    QAction* ChannelSub = nullptr; // チャンネル(&C) of the main menu
    QAction* PopupTobiSub = nullptr; // the same two in the picture view's menu
    QAction* PopupChannelSub = nullptr;
    QAction* ChannelAllMain = nullptr; // 全チャンネル(元画像)
    QAction* ColorManagement = nullptr;
    QAction* YCbCrWarning = nullptr;
    QAction* N66 = nullptr; // 回転(&R) of the image-processing menu
    QAction* N55 = nullptr; // 現在のチャンネルを保存(&S)
    QAction* LosslessEntry = nullptr; // ロスレス回転実行(&L)
    QAction* MarkerEntry = nullptr; // JPEGマーカー編集(&M)
    QAction* NewFolderEntry = nullptr; // フォルダ新規作成(&C) of the tools menu
    // File context menu entries that follow the file under the menu.
    QAction* PopupCheck = nullptr; // 選択(&T)
    QAction* PopupProtect = nullptr; // プロテクト(&P)
    QAction* PopupBatch = nullptr; // 一括処理
    QAction* PopupLossless = nullptr; // ロスレス回転実行(&F)
    QAction* PopupMarker = nullptr; // JPEGマーカー編集(&E)
    QAction* PictureCheck = nullptr; // 選択(&T) of the picture view's menu
    // Tool bar buttons.
    QToolButton* ViewTypeButton = nullptr;
    QToolButton* MirrorButton = nullptr; // 左右反転
    QToolButton* FlipButton = nullptr; // 上下反転
    QToolButton* LosslessButton = nullptr;
    QToolButton* MarkerButton = nullptr;
    QToolButton* PictCheckButton = nullptr; // 選択 of the picture tool bar
    QSlider* FileTrack = nullptr;
};
