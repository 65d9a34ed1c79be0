#pragma once
// TInfoFrame: the panel beside the picture that lists what is known about the
// current file in a two-column tree ("項目名", "情報"), with a tab bar at the
// bottom for the embedded profile and the IPTC data, four view modes and the
// hidden lists edited by check boxes in selection mode. The rows come from
// the Qt-free builders (metadata/InfoRows, colour/ProfileRows); the window
// handles "sort by this item" and "select the same" through SortByItem and
// SelItem.

#include <vector>

#include <QWidget>

#include "metadata/InfoRows.h"

class QAction;
class QActionGroup;
class QMenu;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {
class RegistryStore;
}

namespace metadata {

class TInfoFrame : public QWidget {
    Q_OBJECT
public:
    explicit TInfoFrame(QWidget* parent = nullptr);
    ~TInfoFrame() override;

    void LoadSettings(platform::RegistryStore& store);
    void SaveSettings(platform::RegistryStore& store);

    // Shows another file: tabs rebuilt, the profile or IPTC tab kept when the new file has one.
    void SetRecord(const TInfoRecord& record);
    // Notes which groups are expanded and empties the tree.
    void SaveGroupStates();
    void Renew();
    void RenewICC();
    void RenewIPTC();

    // Menu handlers.
    void Copy1Click();
    void SelectAll1Click();
    void PopupMenu1Popup();
    void showallClick();
    void autohideClick();
    void manualClick();
    void selmodeClick();
    void tabChange(int index);
    void ElTreeItemChecked(QTreeWidgetItem* item);

    // The one selected row, or null when none or several are selected.
    const TInfoRow* SelectedRow() const;
    const TInfoRecord& Record() const { return record_; }
    const TInfoSettings& Settings() const { return settings_; }
    // The rows the tree shows now, in tree order.
    const std::vector<TInfoRow>& Rows() const { return rows_; }
    // The tab kinds shown, in order, and the selected one.
    const std::vector<int>& TabKinds() const { return tabKinds_; }
    int CurrentTabKind() const;

    QTreeWidget* ElTree = nullptr;
    QTabBar* tab = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Edit1 = nullptr;
    QAction* SortByItem = nullptr; // the window connects these two
    QAction* SelItem = nullptr;
    QAction* showall = nullptr;
    QAction* autohide = nullptr;
    QAction* manual = nullptr;
    QAction* selmode = nullptr;

private:
    void ShowRows(std::vector<TInfoRow> rows);
    void SetViewMode(TViewMode mode);
    void CheckViewModeItem();
    const TInfoRow* RowOf(const QTreeWidgetItem* item) const;

    TInfoRecord record_;
    TInfoSettings settings_;
    std::vector<int> tabKinds_;
    std::vector<TInfoRow> rows_;
    bool building_ = false;
};

} // namespace metadata
