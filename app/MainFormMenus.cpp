// The main window's menu bar, context menus, actions and tool bars; the pane
// and bar commands; the key lookup (the focused control's context menu, then
// the main menu, then the action lists).
#include <QActionGroup>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QSlider>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include "app/ActionIcons.h"
#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"

namespace {

// The dynamic property that names a control's own context menu.
const char* const kContextMenuProperty = "voviroContextMenu";

// An event filter that hands events to a function.
class TEventHook : public QObject {
public:
    using Handler = std::function<bool(QObject*, QEvent*)>;
    TEventHook(QObject* parent, Handler handler)
        : QObject(parent)
        , handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    Handler handler_;
};

// Keys are looked up by the window itself (MenuKeyLookup), so no entry's key
// reaches the toolkit's own shortcut handling, where equal keys would clash.
void SetKey(QAction* action, const QKeySequence& key)
{
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
}

QAction* Entry(QMenu* menu, const QString& text, QObject* context, std::function<void()> command = {},
    const QKeySequence& key = {})
{
    QAction* action = menu->addAction(text);
    SetKey(action, key);
    if (command)
        QObject::connect(action, &QAction::triggered, context, [command] { command(); });
    return action;
}

QAction* Checkable(QAction* action, bool checked = false)
{
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

// An entry that runs another action (the same command under another caption or key).
QAction* Proxy(QMenu* menu, const QString& text, QAction* target, const QKeySequence& key = {})
{
    QAction* action = menu->addAction(text);
    SetKey(action, key);
    QObject::connect(action, &QAction::triggered, target, [target] { target->trigger(); });
    return action;
}

QAction* Submenu(QMenu* parent, const QString& text)
{
    QMenu* menu = parent->addMenu(text);
    return menu->menuAction();
}

QAction* FindKey(const QList<QAction*>& actions, const QKeySequence& key)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible() || !action->isEnabled())
            continue;
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindKey(sub->actions(), key))
                return found;
            continue;
        }
        if (!action->shortcut().isEmpty() && action->shortcut() == key)
            return action;
    }
    return nullptr;
}

} // namespace

// --- building

void TForm1::BuildMenus()
{
    Actions->Action_ShowFolder = Checkable(new QAction(QStringLiteral("フォルダビュー"), this), true);
    Actions->Action_ShowFolder->setToolTip(QStringLiteral("フォルダビューを表示"));
    Actions->Action_ShowFolder->setIcon(ActionIcon(TActionIcon::FolderView));
    SetKey(Actions->Action_ShowFolder, Qt::Key_F1);
    connect(Actions->Action_ShowFolder, &QAction::triggered, this, [this] { ShowFolderView(); });
    Actions->Action_ShowInfo = Checkable(new QAction(QStringLiteral("インフォビュー"), this), true);
    Actions->Action_ShowInfo->setToolTip(QStringLiteral("インフォビューを表示"));
    Actions->Action_ShowInfo->setIcon(ActionIcon(TActionIcon::InfoView));
    SetKey(Actions->Action_ShowInfo, Qt::Key_F2);
    connect(Actions->Action_ShowInfo, &QAction::triggered, this, [this] { Action_ShowInfoExecute(); });
    Actions->Action_ShowStatusBar = Checkable(new QAction(QStringLiteral("ステータスバー"), this), true);
    connect(Actions->Action_ShowStatusBar, &QAction::triggered, this, [this] { Action_ShowStatusBarExecute(); });
    Actions->Action_ShowToolBar = Checkable(new QAction(QStringLiteral("ツールバー"), this), true);
    connect(Actions->Action_ShowToolBar, &QAction::triggered, this, [this] { Action_ShowToolBarExecute(); });
    for (QAction* a : { Actions->Action_ShowFolder, Actions->Action_ShowInfo, Actions->Action_ShowStatusBar,
             Actions->Action_ShowToolBar })
        a->setProperty("category", QStringLiteral("表示"));

    // The clipping and channel actions; their commands are built with the view modes.
    const auto action = [this](const QString& text, const char* category, const QKeySequence& key = {}) {
        auto* a = new QAction(text, this);
        SetKey(a, key);
        a->setProperty("category", QString::fromUtf8(category));
        return a;
    };
    Actions->TOBI_All = action(QStringLiteral("全チャンネル(&A)"), "飛び判定", Qt::Key_F4);
    Actions->TOBI_W = action(QStringLiteral("白(&W)"), "飛び判定");
    Actions->TOBI_R = action(QStringLiteral("赤(&R)"), "飛び判定");
    Actions->TOBI_G = action(QStringLiteral("緑(&G)"), "飛び判定");
    Actions->TOBI_B = action(QStringLiteral("青(&B)"), "飛び判定");
    Actions->CHANNEL_ALL = Checkable(action(QStringLiteral("全チャンネル(&A)"), "チャンネル", Qt::Key_F5));
    Actions->CHANNEL_R = Checkable(action(QStringLiteral("赤(&R)"), "チャンネル"));
    Actions->CHANNEL_G = Checkable(action(QStringLiteral("緑(&G)"), "チャンネル"));
    Actions->CHANNEL_B = Checkable(action(QStringLiteral("青(&B)"), "チャンネル"));
    Actions->CHANNEL_WOVER = Checkable(action(QStringLiteral("白飛び域"), "チャンネル", Qt::Key_F6));
    Actions->CHANNEL_ROVER = Checkable(action(QStringLiteral("赤飛び域"), "チャンネル", Qt::Key_F7));
    Actions->CHANNEL_GOVER = Checkable(action(QStringLiteral("緑飛び域"), "チャンネル", Qt::Key_F8));
    Actions->CHANNEL_BOVER = Checkable(action(QStringLiteral("青飛び域"), "チャンネル", Qt::Key_F9));

    BuildMainMenu();
    BuildPopupMenus();
    BuildToolBars();
    ConnectViewCommands();
    SetPictureModeEntries(false);

    // The window sees every key before its controls do.
    qApp->installEventFilter(new TEventHook(this, [this](QObject* w, QEvent* e) { return WindowKeyEvent(w, e); }));
    ListView1->setProperty(kContextMenuProperty, QVariant::fromValue<QObject*>(Actions->PopupMenu1));
    ImageEn1->setProperty(kContextMenuProperty, QVariant::fromValue<QObject*>(Actions->PopupMenu3));
    // A click in the list that leaves no row selected.
    ListView1->viewport()->installEventFilter(new TEventHook(this, [this](QObject*, QEvent* e) {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            if (!ListView1->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint()).isValid())
                ListView1->clearSelection();
            ListView1Click();
        }
        return false;
    }));
}

void TForm1::BuildMainMenu()
{
    QMenuBar* bar = menuBar();
    Actions->N5 = bar->addAction(QStringLiteral("戻る(&ESC)"));
    SetKey(Actions->N5, Qt::Key_Escape);
    connect(Actions->N5, &QAction::triggered, this, [this] { N5Click(); });

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    view->addAction(Actions->Action_ShowFolder);
    view->addAction(Actions->Action_ShowInfo);
    view->addAction(Actions->Action_ShowStatusBar);
    Actions->ToolBarEntry
        = Checkable(Proxy(view, QStringLiteral("ツールバー(通常画面)"), Actions->Action_ShowToolBar), true);
    Actions->N78 = Checkable(Entry(view, QStringLiteral("ツールバー(画像画面)"), this, [this] { N78Click(); }), true);
    view->addSeparator();
    Actions->AutoFit1 = Entry(view, QStringLiteral("サイズ自動調整(&A)"), this, [this] { AutoFit1Click(); });
    Actions->AutoFit1->setIcon(ActionIcon(TActionIcon::Fit));
    Actions->N15001 = Entry(view, QStringLiteral("実寸表示(&100%)"), this, [this] { N15001Click(100); });
    Actions->N15001->setIcon(ActionIcon(TActionIcon::ActualSize));
    Actions->ZoomSub = Submenu(view, QStringLiteral("倍率指定(&S)"));
    for (int percent : { 1000, 500, 250, 150, 75, 25 })
        Entry(Actions->ZoomSub->menu(), QStringLiteral("%1%").arg(percent), this, [this, percent] {
            N15001Click(percent);
        })->setData(percent);
    view->addSeparator();
    Actions->SortSub = Submenu(view, QStringLiteral("並び替え(&O)"));
    auto* sortGroup = new QActionGroup(this);
    const QString sortCaptions[5] = { QStringLiteral("名前順(&N)"), QStringLiteral("種類順(&T)"),
        QStringLiteral("更新日時順(&F)"), QStringLiteral("ファイルサイズ順(&S)"), QStringLiteral("画像サイズ順(&I)") };
    for (int kind = 0; kind < 5; ++kind) {
        Actions->SortEntries[kind] = Checkable(
            Entry(Actions->SortSub->menu(), sortCaptions[kind], this, [this, kind] { SortByName1Click(kind); }),
            kind == 0);
        Actions->SortEntries[kind]->setData(kind);
        sortGroup->addAction(Actions->SortEntries[kind]);
    }
    QAction* previous = Entry(
        view, QStringLiteral("前のファイル〔←〕"), this, [this] { BeforeFile(Actions->N5); },
        QKeySequence(Qt::ALT | Qt::Key_Left));
    previous->setIcon(ActionIcon(TActionIcon::Previous));
    QAction* next = Entry(
        view, QStringLiteral("次のファイル〔→〕"), this, [this] { NextFile(Actions->N5); },
        QKeySequence(Qt::ALT | Qt::Key_Right));
    next->setIcon(ActionIcon(TActionIcon::Next));
    view->addSeparator();
    Entry(view, QStringLiteral("最新の情報に更新(&R)"), this, [this] {
        Refresh1Click();
    })->setIcon(ActionIcon(TActionIcon::Refresh));

    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    Actions->SelectAll1 = Entry(edit, QStringLiteral("すべて選択(&L)"), this, [this] { SelectAllClick(true); });
    Actions->DeselectAll1 = Entry(edit, QStringLiteral("すべて解除(&D)"), this, [this] { SelectAllClick(false); });
    Actions->DeSelectRev1 = Entry(edit, QStringLiteral("選択の反転(&R)"), this, [this] { DeSelectRevClick(); });
    Actions->BatchSub = Submenu(edit, QStringLiteral("一括処理(&A)"));
    AddBatchEntries(Actions->BatchSub->menu(), QString());
    edit->addSeparator();
    Actions->C1 = Entry(edit, QStringLiteral("画像としてコピー(&C)"), this, [this] { C1Click(); });
    Actions->C1->setIcon(ActionIcon(TActionIcon::Copy));

    QMenu* tobi = bar->addMenu(QStringLiteral("飛び判定(&T)"));
    Actions->TobiSub = tobi->menuAction();
    tobi->addAction(Actions->TOBI_All);
    tobi->addSeparator();
    tobi->addActions({ Actions->TOBI_W, Actions->TOBI_R, Actions->TOBI_G, Actions->TOBI_B });

    QMenu* channel = bar->addMenu(QStringLiteral("チャンネル(&C)"));
    Actions->ChannelSub = channel->menuAction();
    Actions->ChannelAllMain
        = Checkable(Proxy(channel, QStringLiteral("全チャンネル(元画像)"), Actions->CHANNEL_ALL, Qt::Key_F5));
    Actions->ColorManagement = Checkable(Entry(
        channel, QStringLiteral("カラーマネジメント"), this, [this] { ColorManagementClick(); }, Qt::Key_F12));
    channel->addSeparator();
    channel->addActions({ Actions->CHANNEL_R, Actions->CHANNEL_G, Actions->CHANNEL_B });
    channel->addSeparator();
    channel->addActions(
        { Actions->CHANNEL_WOVER, Actions->CHANNEL_ROVER, Actions->CHANNEL_GOVER, Actions->CHANNEL_BOVER });
    channel->addSeparator();
    Actions->YCbCrWarning = Checkable(Entry(channel, QStringLiteral("YCbCr クリッピング警告"), this, {}, Qt::Key_F10));
    channel->addSeparator();
    Entry(channel, QStringLiteral("色管理の設定"), this, [this] { N43Click(); });

    QMenu* image = bar->addMenu(QStringLiteral("画像処理(&I)"));
    Entry(image, QStringLiteral("画像補正(&P)"), this, [this] { aaa1Click(); });
    image->addSeparator();
    Entry(image, QStringLiteral("近似画素ぼかし(&B)"), this, [this] { N57Click(); });
    Entry(image, QStringLiteral("アスペクト比固定トリミング(&A)"), this, [this] { N56Click(); });
    Entry(image, QStringLiteral("長時間露光ノイズ除去(&N)"), this, [this] { NoiseReductionClick(); });
    Entry(image, QStringLiteral("拡大縮小(&Z)"), this, [this] { N65Click(); });
    Actions->N66 = Submenu(image, QStringLiteral("回転(&R)"));
    connect(Actions->N66->menu(), &QMenu::aboutToShow, this, [this] { N66Click(); });
    AddRotationEntries(Actions->N66->menu());
    image->addSeparator();
    Actions->N55 = Entry(image, QStringLiteral("現在のチャンネルを保存(&S)"), this, [this] { N55Click(); });

    Actions->ToolsMenu = bar->addMenu(QStringLiteral("ツール(&A)"));
    Actions->LosslessEntry
        = Entry(Actions->ToolsMenu, QStringLiteral("ロスレス回転実行(&L)"), this, [this] { LossLessRolateClick(); });
    Actions->LosslessEntry->setIcon(ActionIcon(TActionIcon::Lossless));
    Actions->MarkerEntry
        = Entry(Actions->ToolsMenu, QStringLiteral("JPEGマーカー編集(&M)"), this, [this] { ICC1Click(); });
    Actions->MarkerEntry->setIcon(ActionIcon(TActionIcon::Marker));
    Actions->LosslessEntry->setEnabled(false);
    Actions->MarkerEntry->setEnabled(false);
    Entry(Actions->ToolsMenu, QStringLiteral("ヒストグラム再計算(&H)"), this, [this] { THistogramFrame1N5Click(); });
    Entry(Actions->ToolsMenu, QStringLiteral("ファイル名変更(&M)"), this, [this] { R6Click(); });
    Entry(Actions->ToolsMenu, QStringLiteral("削除(&D)"), this, [this] { Delete2Click(); });
    Actions->ToolsMenu->addSeparator();
    Actions->NewFolderEntry
        = Entry(Actions->ToolsMenu, QStringLiteral("フォルダ新規作成(&C)"), this, [this] { C2Click(); });
    Actions->NewFolderEntry->setIcon(ActionIcon(TActionIcon::NewFolder));
    Actions->ToolsMenu->addSeparator();
    Entry(Actions->ToolsMenu, QStringLiteral("アプリケーション登録(&R)"), this, [this] { N9Click(); });
    Entry(Actions->ToolsMenu, QStringLiteral("オプション(&O)"), this, [this] { O1Click(); });
    // The registered applications follow this separator.
    Actions->ToolsMenu->addSeparator();

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    Entry(help, QStringLiteral("ホームページ(&H)"), this, [this] { N45Click(); });
    Entry(help, QStringLiteral("ヘルプ(&T)"), this, [this] { Help2Click(); });
    help->addSeparator();
    Entry(help, QStringLiteral("バージョン情報(&A)"), this, [this] { About1Click(); });
}

void TForm1::BuildPopupMenus()
{
    Actions->PopupMenu1 = new QMenu(this);
    QAction* show
        = Entry(Actions->PopupMenu1, QStringLiteral("表示(&O)"), this, [this] { Open1Click(Actions->PopupMenu1); });
    Actions->PopupMenu1->setDefaultAction(show); // drawn bold
    Actions->PopupMenu1->addSeparator();
    Actions->PopupCheck
        = Checkable(Entry(Actions->PopupMenu1, QStringLiteral("選択(&T)"), this, [this] { CheckMarkClick(); }));
    Actions->PopupProtect
        = Checkable(Entry(Actions->PopupMenu1, QStringLiteral("プロテクト(&P)"), this, [this] { ProtectClick(); }));
    Entry(Actions->PopupMenu1, QStringLiteral("ヒストグラム再計算(&H)"), this, [this] { THistogramFrame1N5Click(); });
    Entry(Actions->PopupMenu1, QStringLiteral("最新の情報に更新(&R)"), this, [this] { Refresh1Click(); });
    Actions->PopupMenu1->addSeparator();
    Actions->PopupBatch = Submenu(Actions->PopupMenu1, QStringLiteral("一括処理"));
    AddBatchEntries(Actions->PopupBatch->menu(), QStringLiteral("一括"));
    Actions->PopupBatch->setVisible(false);
    AddTurnEntries(Actions->PopupMenu1);
    Actions->PopupLossless
        = Entry(Actions->PopupMenu1, QStringLiteral("ロスレス回転実行(&F)"), this, [this] { LossLessRolateClick(); });
    Actions->PopupMarker
        = Entry(Actions->PopupMenu1, QStringLiteral("JPEGマーカー編集(&E)"), this, [this] { ICC1Click(); });
    Entry(Actions->PopupMenu1, QStringLiteral("名前を変更(&M)"), this, [this] { R6Click(); });
    Entry(Actions->PopupMenu1, QStringLiteral("削除(&D)"), this, [this] { Delete2Click(); });
    Actions->PopupMenu1->addSeparator();
    Entry(Actions->PopupMenu1, QStringLiteral("標準アプリケーションで開く(&D)"), this, [this] { N3Click(); });
    // The registered applications follow.

    Actions->PopupMenu2 = new QMenu(this);
    Entry(
        Actions->PopupMenu2, QStringLiteral("リスト表示"), this, [this] { ChangeViewType(catalogue::kViewList); },
        QKeySequence(Qt::CTRL | Qt::Key_L));
    Actions->PopupMenu2->addSeparator();
    Entry(Actions->PopupMenu2, QStringLiteral("サムネイル 小 (&S)"), this,
        [this] { ChangeViewType(catalogue::kViewSmall); });
    Entry(Actions->PopupMenu2, QStringLiteral("サムネイル 中 (&M)"), this,
        [this] { ChangeViewType(catalogue::kViewMedium); });
    Entry(Actions->PopupMenu2, QStringLiteral("サムネイル 大 (&L)"), this,
        [this] { ChangeViewType(catalogue::kViewLarge); });
    Entry(Actions->PopupMenu2, QStringLiteral("撮影情報・サムネイル(&T)"), this,
        [this] { ChangeViewType(catalogue::kViewShooting); });

    Actions->RolatePopupMenu = new QMenu(this);
    connect(Actions->RolatePopupMenu, &QMenu::aboutToShow, this, [this] { RolatePopupMenuPopup(); });
    AddRotationEntries(Actions->RolatePopupMenu);

    Actions->PopupMenu3 = new QMenu(this);
    Entry(Actions->PopupMenu3, QStringLiteral("戻る(&ESC)"), this, [this] {
        N5Click();
    })->setIcon(ActionIcon(TActionIcon::Back));
    Actions->PopupMenu3->addSeparator();
    Actions->PictureCheck
        = Checkable(Entry(Actions->PopupMenu3, QStringLiteral("選択(&T)"), this, [this] { CheckMarkClick(); }));
    Entry(Actions->PopupMenu3, QStringLiteral("サイズ自動調整(&A)"), this, [this] { AutoFit1Click(); });
    Entry(Actions->PopupMenu3, QStringLiteral("実寸表示(&100%)"), this, [this] { N15001Click(100); });
    Actions->PopupMenu3->addSeparator();
    Actions->PopupTobiSub = Submenu(Actions->PopupMenu3, QStringLiteral("飛び判定(&T)"));
    QMenu* tobi = Actions->PopupTobiSub->menu();
    Proxy(tobi, QStringLiteral("全チャンネル(&A)"), Actions->TOBI_All, Qt::Key_F5);
    tobi->addSeparator();
    Proxy(tobi, QStringLiteral("白(&W)"), Actions->TOBI_W, Qt::Key_F6);
    Proxy(tobi, QStringLiteral("赤(&R)"), Actions->TOBI_R, Qt::Key_F7);
    Proxy(tobi, QStringLiteral("緑(&G)"), Actions->TOBI_G, Qt::Key_F8);
    Proxy(tobi, QStringLiteral("青(&B)"), Actions->TOBI_B, Qt::Key_F9);
    Actions->PopupChannelSub = Submenu(Actions->PopupMenu3, QStringLiteral("チャンネル(&C)"));
    QMenu* channel = Actions->PopupChannelSub->menu();
    channel->addAction(Actions->CHANNEL_ALL);
    channel->addSeparator();
    channel->addActions({ Actions->CHANNEL_R, Actions->CHANNEL_G, Actions->CHANNEL_B });
    channel->addSeparator();
    channel->addActions(
        { Actions->CHANNEL_WOVER, Actions->CHANNEL_ROVER, Actions->CHANNEL_GOVER, Actions->CHANNEL_BOVER });
    AddTurnEntries(Actions->PopupMenu3);
    Actions->PopupMenu3->addSeparator();
    Entry(Actions->PopupMenu3, QStringLiteral("前のファイル〔←〕"), this, [this] {
        BeforeFile(Actions->PopupMenu3);
    })->setIcon(ActionIcon(TActionIcon::Previous));
    Entry(Actions->PopupMenu3, QStringLiteral("次のファイル〔→〕"), this, [this] {
        NextFile(Actions->PopupMenu3);
    })->setIcon(ActionIcon(TActionIcon::Next));

    Actions->PopupMenu4 = new QMenu(this);
    Entry(Actions->PopupMenu4, QStringLiteral("最新の情報に更新(&R)"), this, [this] { Refresh1Click(); });
    Entry(Actions->PopupMenu4, QStringLiteral("フォルダ新規作成(&C)"), this, [this] { C2Click(); });

    // The column header's menu; its entry has no command.
    Actions->ListPopup = new QMenu(this);
    Actions->ListPopup->addAction(QStringLiteral("列削除(&D)"));
}

void TForm1::AddBatchEntries(QMenu* menu, const QString& prefix)
{
    Entry(menu, prefix + QStringLiteral("コピー(&C)"), this, [this] { SelCopyClick(); });
    Entry(menu, prefix + QStringLiteral("移動(&M)"), this, [this] { SelMoveClick(); });
    Entry(menu, prefix + QStringLiteral("削除(&D)"), this, [this] { SelDeleteClick(); });
    Entry(menu, prefix + QStringLiteral("ロスレス回転(&L)"), this, [this] { SelLosslessClick(); });
    menu->addSeparator();
    Entry(menu, QStringLiteral("プロテクト指定"), this, [this] { SetProtect(); });
    Entry(menu, QStringLiteral("プロテクト解除"), this, [this] { UnsetProtect(); });
    Entry(menu, QStringLiteral("ヒストグラム再計算"), this, [this] { DoRecalcMenu(); });
}

void TForm1::AddTurnEntries(QMenu* menu)
{
    Entry(
        menu, QStringLiteral("左回転(&L)"), this, [this] { RolateTool2Click(); }, QKeySequence(Qt::CTRL | Qt::Key_E))
        ->setIcon(ActionIcon(TActionIcon::RotateLeft));
    Entry(
        menu, QStringLiteral("右回転(&R)"), this, [this] { Rolate_90Plus(); }, QKeySequence(Qt::CTRL | Qt::Key_R))
        ->setIcon(ActionIcon(TActionIcon::RotateRight));
}

void TForm1::AddRotationEntries(QMenu* menu)
{
    auto* group = new QActionGroup(menu);
    const QString captions[4] = { QStringLiteral("回転なし"), QStringLiteral("90度回転"), QStringLiteral("180度回転"),
        QStringLiteral("270度回転") };
    for (int r = 0; r < 4; ++r) {
        QAction* a = Checkable(Entry(menu, captions[r], this, [this, r] { RolateSub(TRolate::Explicit, r); }), r == 0);
        a->setData(r);
        group->addAction(a);
    }
}

namespace {

QToolButton* Button(QToolBar* bar, TActionIcon icon, const QString& hint, int width)
{
    auto* button = new QToolButton(bar);
    button->setIcon(ActionIcon(icon));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(width);
    bar->addWidget(button);
    return button;
}

// A button with a drop-down menu beside it: a click runs the button's own command.
QToolButton* DropDown(QToolBar* bar, TActionIcon icon, const QString& hint, int width, QMenu* menu)
{
    QToolButton* button = Button(bar, icon, hint, width + 13);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    return button;
}

} // namespace

void TForm1::BuildToolBars()
{
    constexpr int kMainWidth = 33;
    constexpr int kPictureWidth = 31;
    ToolBar3->setMovable(false);
    ToolBar3->setIconSize(QSize(20, 20));
    Actions->ViewTypeButton
        = DropDown(ToolBar3, TActionIcon::ViewType, QStringLiteral("表示タイプ"), kMainWidth, Actions->PopupMenu2);
    connect(Actions->ViewTypeButton, &QToolButton::clicked, this, [this] { ToolButton4Click(); });
    ToolBar3->addSeparator();
    for (QAction* a : { Actions->Action_ShowFolder, Actions->Action_ShowInfo }) {
        auto* button = new QToolButton(ToolBar3);
        button->setDefaultAction(a);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(kMainWidth);
        ToolBar3->addWidget(button);
    }
    ToolBar3->addSeparator();
    connect(Button(ToolBar3, TActionIcon::NewFolder, QStringLiteral("フォルダ新規作成"), kMainWidth),
        &QToolButton::clicked, this, [this] { C2Click(); });
    ToolBar3->addSeparator();
    Actions->MirrorButton = Button(ToolBar3, TActionIcon::Mirror, QStringLiteral("左右反転"), kMainWidth);
    Actions->MirrorButton->setCheckable(true);
    connect(Actions->MirrorButton, &QToolButton::clicked, this, [this] { Menu_ReverseClick(); });
    Actions->FlipButton = Button(ToolBar3, TActionIcon::Flip, QStringLiteral("上下反転"), kMainWidth);
    Actions->FlipButton->setCheckable(true);
    connect(Actions->FlipButton, &QToolButton::clicked, this, [this] { Menu_FlipClick(); });
    connect(Button(ToolBar3, TActionIcon::RotateLeft, QStringLiteral("左回転"), kMainWidth), &QToolButton::clicked,
        this, [this] { RolateTool2Click(); });
    connect(
        DropDown(ToolBar3, TActionIcon::RotateRight, QStringLiteral("右回転"), kMainWidth, Actions->RolatePopupMenu),
        &QToolButton::clicked, this, [this] { Rolate_90Plus(); });
    ToolBar3->addSeparator();
    Actions->LosslessButton = Button(ToolBar3, TActionIcon::Lossless, QStringLiteral("JPEGロスレス回転"), kMainWidth);
    Actions->LosslessButton->setEnabled(false);
    connect(Actions->LosslessButton, &QToolButton::clicked, this, [this] { LossLessRolateClick(); });
    Actions->MarkerButton = Button(ToolBar3, TActionIcon::Marker, QStringLiteral("JPEG マーカー編集"), kMainWidth);
    Actions->MarkerButton->setEnabled(false);
    connect(Actions->MarkerButton, &QToolButton::clicked, this, [this] { ICC1Click(); });
    ToolBar3->addSeparator();
    connect(Button(ToolBar3, TActionIcon::Refresh, QStringLiteral("最新の情報に更新"), kMainWidth),
        &QToolButton::clicked, this, [this] { Refresh1Click(); });

    PictTool->setMovable(false);
    PictTool->setIconSize(QSize(20, 20));
    connect(Button(PictTool, TActionIcon::Back, QStringLiteral("戻る"), kPictureWidth), &QToolButton::clicked, this,
        [this] { N5Click(); });
    PictTool->addSeparator();
    QToolButton* left = Button(PictTool, TActionIcon::RotateLeft, QStringLiteral("左回転"), kPictureWidth);
    connect(left, &QToolButton::clicked, this, [this] { RolateTool2Click(); });
    QToolButton* right = DropDown(
        PictTool, TActionIcon::RotateRight, QStringLiteral("右回転"), kPictureWidth, Actions->RolatePopupMenu);
    connect(right, &QToolButton::clicked, this, [this] { Rolate_90Plus(); });
    PictTool->addSeparator();
    connect(Button(PictTool, TActionIcon::Fit, QStringLiteral("サイズ自動調整"), kPictureWidth), &QToolButton::clicked,
        this, [this] { AutoFit1Click(); });
    connect(Button(PictTool, TActionIcon::ActualSize, QStringLiteral("実寸表示"), kPictureWidth), &QToolButton::clicked,
        this, [this] { N15001Click(100); });
    PictTool->addSeparator();
    QToolButton* previous = Button(PictTool, TActionIcon::Previous, QStringLiteral("前のファイル"), kPictureWidth);
    connect(previous, &QToolButton::clicked, this, [this, previous] { BeforeFile(previous); });
    Actions->FileTrack = new QSlider(Qt::Horizontal, PictTool);
    Actions->FileTrack->setFixedWidth(106);
    Actions->FileTrack->setTickPosition(QSlider::NoTicks);
    Actions->FileTrack->setRange(0, 0);
    PictTool->addWidget(Actions->FileTrack);
    QToolButton* next = Button(PictTool, TActionIcon::Next, QStringLiteral("次のファイル"), kPictureWidth);
    connect(next, &QToolButton::clicked, this, [this, next] { NextFile(next); });
    PictTool->addSeparator();
    Actions->PictCheckButton = Button(PictTool, TActionIcon::Check, QStringLiteral("選択"), kPictureWidth);
    Actions->PictCheckButton->setCheckable(true);
    connect(Actions->PictCheckButton, &QToolButton::clicked, this, [this] { CheckMarkClick(); });
}

// --- the grid's and list's hooks

void TForm1::OpenFileHook()
{
    Open1Click(Panel4);
}

void TForm1::NextFileHook()
{
    NextFile(Panel4);
}

void TForm1::FilePopupHook(const QPoint& globalPos)
{
    PopupMenu1Popup();
    Actions->PopupMenu1->popup(globalPos);
}

void TForm1::FolderPopupHook(const QPoint& globalPos)
{
    Actions->PopupMenu4->popup(globalPos);
}

void TForm1::PictureCheckButtonHook(bool checked)
{
    Actions->PictCheckButton->setChecked(checked);
}

// --- panes and bars

void TForm1::ShowFolderView()
{
    // The list is not repainted until both the pane and its splitter have changed.
    ListView1->setUpdatesEnabled(false);
    SetFolderPaneVisible(!FolderPaneVisible());
    ListView1->setUpdatesEnabled(true);
    UIUpdateAction();
}

void TForm1::Action_ShowInfoExecute()
{
    SetInfoPaneVisible(!InfoPaneVisible());
    UIUpdateAction();
}

void TForm1::Action_ShowStatusBarExecute()
{
    statusBar()->setVisible(statusBar()->isHidden());
    UIUpdateAction();
}

void TForm1::Action_ShowToolBarExecute()
{
    ToolBar3->setVisible(ToolBar3->isHidden());
    UIUpdateAction();
}

void TForm1::N78Click()
{
    PictTool->setVisible(PictTool->isHidden());
    Actions->N78->setChecked(!PictTool->isHidden());
}

void TForm1::UIUpdateAction()
{
    Actions->Action_ShowFolder->setChecked(FolderPaneVisible());
    Actions->Action_ShowInfo->setChecked(InfoPaneVisible());
    Actions->Action_ShowStatusBar->setChecked(!statusBar()->isHidden());
    Actions->Action_ShowToolBar->setChecked(!ToolBar3->isHidden());
    Actions->ToolBarEntry->setChecked(!ToolBar3->isHidden());
}

void TForm1::ToolButton4Click()
{
    switch (ViewType) {
    case catalogue::kViewList:
        ChangeViewType(catalogue::kViewSmall);
        break;
    case catalogue::kViewSmall:
        ChangeViewType(catalogue::kViewMedium);
        break;
    case catalogue::kViewMedium:
        ChangeViewType(catalogue::kViewLarge);
        break;
    case catalogue::kViewLarge:
        ChangeViewType(catalogue::kViewShooting);
        break;
    default:
        ChangeViewType(catalogue::kViewList);
        break;
    }
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    if (inFormResize_ || !InfoPaneVisible())
        return;
    // Before the first showing nothing is laid out yet.
    if (!isVisible())
        return;
    QWidget* fileView = Panel4->currentWidget();
    if (!fileView || fileView->width() >= 100)
        return;
    inFormResize_ = true;
    const int w = width() - (FolderPaneVisible() ? FolderPaneWidth() : 0) - 100;
    if (w > 100)
        SetInfoPaneWidth(w);
    else
        Action_ShowInfoExecute();
    inFormResize_ = false;
}

// --- menus that follow the current file

void TForm1::PopupMenu1Popup()
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    catalogue::LockedItem record(Catalogue, i);
    Actions->PopupCheck->setChecked(record->Checked);
    Actions->PopupBatch->setVisible(record->Checked);
    const bool jpeg = catalogue::IsJpegKind(record->FileKind);
    Actions->PopupLossless->setVisible(jpeg);
    Actions->PopupMarker->setVisible(jpeg);
    Actions->PopupProtect->setChecked(record->ReadOnly);
    Actions->PopupLossless->setEnabled(true);
}

void TForm1::PopupMenu3Popup()
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    Actions->PictureCheck->setChecked(catalogue::LockedItem(Catalogue, i)->Checked);
}

void TForm1::UpdateFileCommands(const catalogue::TImageCache& record)
{
    const bool jpeg = catalogue::IsJpegKind(record.FileKind);
    Actions->YCbCrWarning->setEnabled(jpeg);
    Actions->LosslessButton->setEnabled(jpeg);
    Actions->LosslessEntry->setEnabled(jpeg);
    Actions->MarkerButton->setEnabled(jpeg);
    Actions->MarkerEntry->setEnabled(jpeg);
    Actions->FlipButton->setChecked(record.Flipped);
    Actions->MirrorButton->setChecked(record.Mirrored);
}

void TForm1::ResetViewModeChecks()
{
    for (QAction* a : { Actions->CHANNEL_ALL, Actions->CHANNEL_R, Actions->CHANNEL_G, Actions->CHANNEL_B,
             Actions->CHANNEL_ROVER, Actions->CHANNEL_GOVER, Actions->CHANNEL_BOVER, Actions->CHANNEL_WOVER,
             Actions->ChannelAllMain, Actions->YCbCrWarning, Actions->ColorManagement })
        a->setChecked(false);
}

void TForm1::SetPictureModeEntries(bool pictureMode)
{
    for (QAction* a : { Actions->N5, Actions->AutoFit1, Actions->ZoomSub, Actions->N15001 })
        a->setEnabled(pictureMode);
    if (pictureMode)
        Actions->N55->setEnabled(true);
    for (QAction* a : { Actions->SortSub, Actions->SelectAll1, Actions->DeselectAll1, Actions->DeSelectRev1,
             Actions->BatchSub, Actions->NewFolderEntry })
        a->setEnabled(!pictureMode);
}

// --- the list

void TForm1::ListView1Click()
{
    if (ViewType != catalogue::kViewList || CurrentIndex() != -1)
        return;
    SetStatusText(QStringLiteral("%1 個のファイル").arg(ListModel->ItemCount()));
    TellNoCurrentFile();
}

void TForm1::ListView1ColumnRightClick(int column, const QPoint& globalPos)
{
    if (column < 2)
        return;
    Actions->ListPopup->popup(globalPos);
}

// --- sorting

void TForm1::SortByName1Click(int kind)
{
    catalogue::SortCatalogue(Catalogue, { kind, SortTag });
    SortKind = kind;
    if (kind >= 0 && kind < 5)
        Actions->SortEntries[kind]->setChecked(true);
    // The maker works through the records in their order, so it starts again on the new one.
    if (ThumbnailMaker)
        Refresh1Click();
    ListView1->viewport()->update();
    DrawGrid1->viewport()->update();
}

// --- keys

bool TForm1::MenuKeyLookup(QKeyEvent* event)
{
    const int key = event->key();
    if (key == 0 || key == Qt::Key_unknown || key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt
        || key == Qt::Key_Meta || key == Qt::Key_AltGr)
        return false;
    const QKeySequence sequence(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(key)));
    const auto run = [](QAction* action) {
        if (!action)
            return false;
        action->trigger();
        return true;
    };
    // The context menus of the focused control and of its parents.
    for (QWidget* w = QApplication::focusWidget(); w && w->window() == this; w = w->parentWidget()) {
        if (auto* menu = qobject_cast<QMenu*>(w->property(kContextMenuProperty).value<QObject*>()))
            if (run(FindKey(menu->actions(), sequence)))
                return true;
    }
    if (run(FindKey(menuBar()->actions(), sequence)))
        return true;
    if (run(FindKey(
            { Actions->Action_ShowFolder, Actions->Action_ShowInfo, Actions->Action_ShowStatusBar,
                Actions->Action_ShowToolBar, Actions->TOBI_All, Actions->TOBI_W, Actions->TOBI_R, Actions->TOBI_G,
                Actions->TOBI_B, Actions->CHANNEL_ALL, Actions->CHANNEL_R, Actions->CHANNEL_G, Actions->CHANNEL_B,
                Actions->CHANNEL_ROVER, Actions->CHANNEL_GOVER, Actions->CHANNEL_BOVER, Actions->CHANNEL_WOVER },
            sequence)))
        return true;
    // The view-type drop-down's key (Ctrl+L) works wherever its button shows.
    if (!PictureMode() && !ToolBar3->isHidden())
        return run(FindKey(Actions->PopupMenu2->actions(), sequence));
    return false;
}

bool TForm1::WindowKeyEvent(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress) {
        keyRepeating_ = false;
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    // Once per key: at the control that has the focus (or the window when none has).
    QWidget* focus = QApplication::focusWidget();
    if (widget != (focus ? focus : this))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Shift) {
        if (PictureMode())
            ImageEn1->SetZoomCursor(type == QEvent::KeyPress);
        return false;
    }
    keyRepeating_ = key->isAutoRepeat();
    if (type == QEvent::KeyRelease)
        return false;
    // In picture mode the focus stays on the picture.
    if (PictureMode() && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab))
        return true;
    return MenuKeyLookup(key);
}
