// The main window's menus, bars and keys: the menu tables as the user sees
// them, the pane and bar commands, the view-type cycle, narrowing the window,
// the file context menu, and which menu a key reaches.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include "app/MainActions.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

using testsupport::TempDir;

// One line per entry: caption, then [key], then "v" for a checked or "o" for
// an unchecked check mark, "-" for a disabled entry; sub-menus indented.
void Describe(const QList<QAction*>& actions, const QString& indent, QStringList& out)
{
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            out << indent + "-";
            continue;
        }
        QString line = indent + a->text();
        if (!a->shortcut().isEmpty())
            line += " [" + a->shortcut().toString() + "]";
        if (a->isCheckable())
            line += a->isChecked() ? " v" : " o";
        if (!a->isEnabled())
            line += " -";
        if (!a->isVisible())
            line += " (hidden)";
        out << line;
        if (QMenu* sub = a->menu())
            Describe(sub->actions(), indent + "  ", out);
    }
}

std::string Menu(QMenu* menu)
{
    QStringList out;
    Describe(menu->actions(), QString(), out);
    return out.join('\n').toStdString();
}

QMenu* MainMenu(TForm1& form, const QString& caption)
{
    for (QAction* a : form.menuBar()->actions())
        if (a->text() == caption)
            return a->menu();
    return nullptr;
}

class MainWindowMenus : public uitest::WindowTest {
protected:
    // A shown window over a folder of small pictures, active so that keys reach the focused control.
    std::unique_ptr<TForm1> Open(int files)
    {
        for (int i = 0; i < files; ++i) {
            imaging::Bitmap b(8 + i, 6);
            b.Fill(200, 100, 50);
            imaging::SaveBmpFile(photos.Folder() + "p" + std::to_string(10 + i) + ".bmp", b);
        }
        auto form = std::make_unique<TForm1>();
        form->show();
        form->FolderOpen(QString::fromStdString(photos.Folder()), false);
        form->activateWindow();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
        return form;
    }
    static void Focus(QWidget* w)
    {
        w->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), w);
    }

    TempDir photos;
};

TEST_F(MainWindowMenus, MenusReadAsDesigned)
{
    TForm1 form;
    QStringList top;
    for (QAction* a : form.menuBar()->actions())
        top << a->text() + (a->isEnabled() ? "" : " -");
    EXPECT_EQ(top.join('|').toStdString(),
        "戻る(&ESC) -|表示(&V)|編集(&E)|飛び判定(&T)|チャンネル(&C)|画像処理(&I)|ツール(&A)|ヘルプ(&H)");
    EXPECT_EQ(form.Actions->N5->shortcut(), QKeySequence(Qt::Key_Escape));

    EXPECT_EQ(Menu(MainMenu(form, "表示(&V)")),
        "フォルダビュー [F1] v\nインフォビュー [F2] v\nステータスバー v\nツールバー(通常画面) v\n"
        "ツールバー(画像画面) v\n-\nサイズ自動調整(&A) -\n実寸表示(&100%) -\n倍率指定(&S) -\n"
        "  1000%\n  500%\n  250%\n  150%\n  75%\n  25%\n-\n並び替え(&O)\n  名前順(&N) v\n  種類順(&T) o\n"
        "  更新日時順(&F) o\n  ファイルサイズ順(&S) o\n  画像サイズ順(&I) o\n前のファイル〔←〕 [Alt+Left]\n"
        "次のファイル〔→〕 [Alt+Right]\n-\n最新の情報に更新(&R)");
    EXPECT_EQ(Menu(MainMenu(form, "編集(&E)")),
        "すべて選択(&L)\nすべて解除(&D)\n選択の反転(&R)\n一括処理(&A)\n  コピー(&C)\n  移動(&M)\n  削除(&D)\n"
        "  ロスレス回転(&L)\n  -\n  プロテクト指定\n  プロテクト解除\n  ヒストグラム再計算\n-\n画像としてコピー(&C)");
    EXPECT_EQ(Menu(MainMenu(form, "飛び判定(&T)")), "全チャンネル(&A) [F4]\n-\n白(&W)\n赤(&R)\n緑(&G)\n青(&B)");
    EXPECT_EQ(Menu(MainMenu(form, "チャンネル(&C)")),
        "全チャンネル(元画像) [F5] o\nカラーマネジメント [F12] o\n-\n赤(&R) o\n緑(&G) o\n青(&B) o\n-\n"
        "白飛び域 [F6] o\n赤飛び域 [F7] o\n緑飛び域 [F8] o\n青飛び域 [F9] o\n-\n"
        "YCbCr クリッピング警告 [F10] o\n-\n色管理の設定");
    EXPECT_EQ(Menu(MainMenu(form, "画像処理(&I)")),
        "画像補正(&P)\n-\n近似画素ぼかし(&B)\nアスペクト比固定トリミング(&A)\n長時間露光ノイズ除去(&N)\n"
        "拡大縮小(&Z)\n回転(&R)\n  回転なし v\n  90度回転 o\n  180度回転 o\n  270度回転 o\n-\n"
        "現在のチャンネルを保存(&S)");
    EXPECT_EQ(Menu(MainMenu(form, "ツール(&A)")),
        "ロスレス回転実行(&L) -\nJPEGマーカー編集(&M) -\nヒストグラム再計算(&H)\nファイル名変更(&M)\n削除(&D)\n-\n"
        "フォルダ新規作成(&C)\n-\nアプリケーション登録(&R)\nオプション(&O)\n-");
    EXPECT_EQ(Menu(MainMenu(form, "ヘルプ(&H)")), "ホームページ(&H)\nヘルプ(&T)\n-\nバージョン情報(&A)");

    EXPECT_EQ(Menu(form.Actions->PopupMenu1),
        "表示(&O)\n-\n選択(&T) o\nプロテクト(&P) o\nヒストグラム再計算(&H)\n最新の情報に更新(&R)\n-\n"
        "一括処理 - (hidden)\n  一括コピー(&C)\n  一括移動(&M)\n  一括削除(&D)\n  一括ロスレス回転(&L)\n  -\n"
        "  プロテクト指定\n  プロテクト解除\n  ヒストグラム再計算\n左回転(&L) [Ctrl+E]\n右回転(&R) [Ctrl+R]\n"
        "ロスレス回転実行(&F)\nJPEGマーカー編集(&E)\n名前を変更(&M)\n削除(&D)\n-\n標準アプリケーションで開く(&D)");
    EXPECT_EQ(form.Actions->PopupMenu1->defaultAction()->text(), "表示(&O)");
    EXPECT_EQ(Menu(form.Actions->PopupMenu2),
        "リスト表示 [Ctrl+L]\n-\nサムネイル 小 (&S)\nサムネイル 中 (&M)\n"
        "サムネイル 大 (&L)\n撮影情報・サムネイル(&T)");
    EXPECT_EQ(Menu(form.Actions->RolatePopupMenu), "回転なし v\n90度回転 o\n180度回転 o\n270度回転 o");
    EXPECT_EQ(Menu(form.Actions->PopupMenu3),
        "戻る(&ESC)\n-\n選択(&T) o\nサイズ自動調整(&A)\n実寸表示(&100%)\n-\n飛び判定(&T)\n"
        "  全チャンネル(&A) [F5]\n  -\n  白(&W) [F6]\n  赤(&R) [F7]\n  緑(&G) [F8]\n  青(&B) [F9]\n"
        "チャンネル(&C)\n  全チャンネル(&A) [F5] o\n  -\n  赤(&R) o\n  緑(&G) o\n  青(&B) o\n  -\n"
        "  白飛び域 [F6] o\n  赤飛び域 [F7] o\n  緑飛び域 [F8] o\n  青飛び域 [F9] o\n"
        "左回転(&L) [Ctrl+E]\n右回転(&R) [Ctrl+R]\n-\n前のファイル〔←〕\n次のファイル〔→〕");
    EXPECT_EQ(Menu(form.Actions->PopupMenu4), "最新の情報に更新(&R)\nフォルダ新規作成(&C)");
    EXPECT_EQ(Menu(form.Actions->ListPopup), "列削除(&D)");

    // Tool bar hints left to right, "|" for a separator.
    const auto hints = [](QToolBar* bar) {
        QStringList out;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator()) {
                out << "|";
            } else if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
                out << b->toolTip() + (b->isEnabled() ? "" : " -");
            } else {
                out << "track";
            }
        }
        return out.join(' ').toStdString();
    };
    EXPECT_EQ(hints(form.ToolBar3),
        "表示タイプ | フォルダビューを表示 インフォビューを表示 | フォルダ新規作成 | "
        "左右反転 上下反転 左回転 右回転 | JPEGロスレス回転 - JPEG マーカー編集 - | "
        "最新の情報に更新");
    EXPECT_EQ(hints(form.PictTool),
        "戻る | 左回転 右回転 | サイズ自動調整 実寸表示 | 前のファイル track 次のファイル | 選択");
}

TEST_F(MainWindowMenus, PaneAndBarCommandsFollowTheirChecks)
{
    auto form = Open(3);
    // F1 from the grid hides the folder pane; its splitter handle goes with it.
    Focus(form->DrawGrid1);
    uitest::TypeKey(form->DrawGrid1, Qt::Key_F1);
    QApplication::processEvents();
    EXPECT_FALSE(form->FolderPaneVisible());
    EXPECT_FALSE(form->Actions->Action_ShowFolder->isChecked());
    EXPECT_TRUE(form->FolderSplitter->handle(1)->isHidden());
    form->ShowFolderView();
    EXPECT_TRUE(form->FolderPaneVisible());
    EXPECT_TRUE(form->Actions->Action_ShowFolder->isChecked());
    EXPECT_EQ(form->FolderSplitter->indexOf(form->FolderPanel), 0) << "the pane stays left of its splitter";
    QApplication::processEvents();
    EXPECT_EQ(form->FolderPanel->width(), 185);

    uitest::TypeKey(form->DrawGrid1, Qt::Key_F2);
    EXPECT_FALSE(form->InfoPaneVisible());
    EXPECT_FALSE(form->Actions->Action_ShowInfo->isChecked());
    form->Action_ShowInfoExecute();
    EXPECT_TRUE(form->InfoPaneVisible());
    EXPECT_EQ(form->InfoSplitter->indexOf(form->InfoPanel), 1);

    form->Actions->Action_ShowStatusBar->trigger();
    EXPECT_TRUE(form->statusBar()->isHidden());
    EXPECT_FALSE(form->Actions->Action_ShowStatusBar->isChecked());
    form->Actions->ToolBarEntry->trigger();
    EXPECT_TRUE(form->ToolBar3->isHidden());
    EXPECT_FALSE(form->Actions->ToolBarEntry->isChecked());
    form->Actions->N78->trigger();
    EXPECT_TRUE(form->PictTool->isHidden());
    EXPECT_FALSE(form->Actions->N78->isChecked());
}

TEST_F(MainWindowMenus, StoredBarVisibilityShowsInTheChecks)
{
    testsupport::WriteFile(settings.Folder() + "registry.reg",
        std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Folder]\n"
                    "\"Width\"=dword:000000c8\n\"Visible\"=dword:00000000\n"
                    "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Other]\n"
                    "\"StatusVisible\"=dword:00000000\n\"ToolBarVisible\"=dword:00000001\n"
                    "\"ToolBarVisible2\"=dword:00000000\n"));
    TForm1 form;
    form.show();
    EXPECT_FALSE(form.Actions->Action_ShowFolder->isChecked());
    EXPECT_TRUE(form.Actions->Action_ShowInfo->isChecked());
    EXPECT_FALSE(form.Actions->Action_ShowStatusBar->isChecked());
    EXPECT_TRUE(form.Actions->ToolBarEntry->isChecked());
    EXPECT_FALSE(form.Actions->N78->isChecked());
    // Shown again, the folder pane comes back at its stored width.
    form.ShowFolderView();
    QApplication::processEvents();
    EXPECT_EQ(form.FolderPanel->width(), 200);
}

TEST_F(MainWindowMenus, ViewTypeButtonCyclesThroughAllFiveTypes)
{
    auto form = Open(1);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        form->Actions->ViewTypeButton->click();
        seen.push_back(form->ViewType);
    }
    EXPECT_EQ(seen, (std::vector<int> { 3, 9, 0, 5, 4 }));
    EXPECT_EQ(form->Panel4->currentWidget(), form->DrawGrid1);
}

TEST_F(MainWindowMenus, NarrowingTheWindowMakesRoomForTheFileView)
{
    auto form = Open(1);
    form->resize(700, 500);
    QApplication::processEvents();
    form->resize(470, 500);
    QApplication::processEvents();
    ASSERT_TRUE(form->InfoPaneVisible());
    EXPECT_EQ(form->InfoPaneWidth(), 470 - 185 - 100);
    // Too narrow for a right panel of more than 100 pixels: it goes.
    form->resize(385, 500);
    QApplication::processEvents();
    EXPECT_FALSE(form->InfoPaneVisible());
    EXPECT_FALSE(form->Actions->Action_ShowInfo->isChecked());
}

TEST_F(MainWindowMenus, FileMenuFollowsTheFileUnderIt)
{
    testsupport::WriteFile(photos.Path() / "a.jpg", std::string("\xFF\xD8\xFF\xD9", 4));
    auto form = Open(1); // a.jpg, p10.bmp
    form->DrawGrid1->SetCurrent(0, 0);
    form->PopupMenu1Popup();
    EXPECT_FALSE(form->Actions->PopupBatch->isVisible());
    EXPECT_TRUE(form->Actions->PopupLossless->isVisible());
    catalogue::LockedItem(form->Catalogue, 1)->Checked = true;
    catalogue::LockedItem(form->Catalogue, 1)->ReadOnly = true;
    form->DrawGrid1->SetCurrent(1, 0);
    form->PopupMenu1Popup();
    EXPECT_TRUE(form->Actions->PopupBatch->isVisible());
    EXPECT_TRUE(form->Actions->PopupCheck->isChecked());
    EXPECT_TRUE(form->Actions->PopupProtect->isChecked());
    EXPECT_FALSE(form->Actions->PopupLossless->isVisible());
    EXPECT_FALSE(form->Actions->PopupMarker->isVisible());

    // Selecting a JPEG file enables the JPEG-only commands.
    form->ShowItemInfo(0);
    EXPECT_TRUE(form->Actions->LosslessButton->isEnabled());
    EXPECT_TRUE(form->Actions->MarkerEntry->isEnabled());
    EXPECT_TRUE(form->Actions->YCbCrWarning->isEnabled());
    form->ShowItemInfo(1);
    EXPECT_FALSE(form->Actions->LosslessEntry->isEnabled());
    EXPECT_FALSE(form->Actions->MarkerButton->isEnabled());
}

TEST_F(MainWindowMenus, KeysReachTheFocusedControlsMenuBeforeTheMainMenu)
{
    auto form = Open(3);
    std::vector<std::string> ran;
    const auto note = [&](QAction* a, const char* name) {
        QObject::connect(a, &QAction::triggered, [&ran, name] { ran.push_back(name); });
    };
    note(form->Actions->TOBI_All, "tobi all");
    note(form->Actions->TOBI_W, "tobi white");
    note(form->Actions->CHANNEL_ALL, "channel all");
    note(form->Actions->CHANNEL_WOVER, "white overflow");

    // Browsing, grid focused: the grid has no menu of its own, so the main menu answers.
    // Each of these commands opens the photo, so the window goes back to browsing after each key.
    for (int key : { Qt::Key_F4, Qt::Key_F5, Qt::Key_F6 }) {
        Focus(form->DrawGrid1);
        uitest::TypeKey(form->DrawGrid1, key);
        if (form->PictureMode())
            form->N5Click();
    }
    Focus(form->DrawGrid1);
    EXPECT_EQ(ran, (std::vector<std::string> { "tobi all", "channel all", "white overflow" }));
    // Ctrl+R belongs to the file menu of the list, not to the grid.
    uitest::TypeKey(form->DrawGrid1, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(catalogue::LockedItem(form->Catalogue, 0)->Rotation, 0);

    // The picture view's own menu takes F5 and F6 for clipping detection.
    form->Open1Click(form->DrawGrid1);
    ASSERT_TRUE(form->PictureMode());
    ASSERT_EQ(QApplication::focusWidget(), form->ImageEn1);
    ran.clear();
    uitest::TypeKey(form->ImageEn1, Qt::Key_F5);
    uitest::TypeKey(form->ImageEn1, Qt::Key_F6);
    EXPECT_EQ(ran, (std::vector<std::string> { "tobi all", "tobi white" }));
    uitest::TypeKey(form->ImageEn1, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(catalogue::LockedItem(form->Catalogue, 0)->Rotation, 1);
    // Tab does not move the focus away from the picture.
    uitest::TypeKey(form->ImageEn1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->ImageEn1);
    // Esc goes back; in browsing mode the back entry is disabled again.
    uitest::TypeKey(form->ImageEn1, Qt::Key_Escape);
    EXPECT_FALSE(form->PictureMode());
    EXPECT_FALSE(form->Actions->N5->isEnabled());

    // In the list, Ctrl+E turns the file left.
    form->ChangeViewType(0);
    form->ListView1->setCurrentIndex(form->ListModel->index(1, 0));
    Focus(form->ListView1);
    uitest::TypeKey(form->ListView1, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(catalogue::LockedItem(form->Catalogue, 1)->Rotation, 3);
    // Alt+Right steps to the next file from anywhere.
    uitest::TypeKey(form->ListView1, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(form->CurrentIndex(), 2);
}

TEST_F(MainWindowMenus, ClickOnNoRowShowsTheCountAndSortingChecksItsEntry)
{
    auto form = Open(3);
    form->ChangeViewType(0);
    form->ListView1->clearSelection();
    form->ListView1Click();
    EXPECT_EQ(form->StatusBarIn->text(), "3 個のファイル");

    form->Actions->SortEntries[3]->trigger();
    EXPECT_EQ(form->SortKind, 3);
    EXPECT_TRUE(form->Actions->SortEntries[3]->isChecked());
    EXPECT_FALSE(form->Actions->SortEntries[0]->isChecked());
    EXPECT_EQ(form->ListModel->ItemCount(), 3);
}

} // namespace
