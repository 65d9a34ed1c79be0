#include "metadata/ui/InfoFrame.h"

#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "colour/ProfileRows.h"
#include "metadata/InfoSettings.h"

namespace metadata {

namespace {

constexpr int kRowRole = Qt::UserRole + 1; // index into the frame's rows

QString Text(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Rows as high as their wrapped text in the column's present width (a tree
// view alone sizes rows as if its columns were unbounded).
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeWidget* tree)
        : QStyledItemDelegate(tree)
        , tree_(tree)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        // Values wrap; names stay on one line (elided) unless the value makes the row taller.
        if (index.column() != 1)
            return size;
        const QString text = index.data(Qt::DisplayRole).toString();
        const int width = tree_->header()->sectionSize(1) - 8;
        if (text.isEmpty() || width < 20)
            return size;
        const QFontMetrics metrics(option.font);
        if (!text.contains('\n') && metrics.horizontalAdvance(text) <= width)
            return size; // one line
        const QRect bound = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::AlignLeft,
            QString(text).replace('\n', QChar::LineSeparator));
        size.setHeight(std::max(size.height(), bound.height() + 2));
        return size;
    }

private:
    QTreeWidget* tree_;
};

} // namespace

TInfoFrame::TInfoFrame(QWidget* parent)
    : QWidget(parent)
{
    ElTree = new QTreeWidget(this);
    ElTree->setObjectName("ElTree");
    ElTree->setColumnCount(2);
    ElTree->setHeaderLabels({ "項目名", "情報" });
    ElTree->header()->resizeSection(0, 114);
    ElTree->header()->resizeSection(1, 269);
    ElTree->header()->setStretchLastSection(true);
    ElTree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ElTree->setWordWrap(true); // multi-line values wrap inside their row
    ElTree->setUniformRowHeights(false);
    ElTree->setIndentation(12);
    ElTree->setContextMenuPolicy(Qt::CustomContextMenu);
    ElTree->setItemDelegate(new WrappingDelegate(ElTree));
    connect(ElTree->header(), &QHeaderView::sectionResized, ElTree, [this] { ElTree->doItemsLayout(); });
    QFont font("IPAPGothic");
    font.setPointSize(9);
    ElTree->setFont(font);

    tab = new QTabBar(this);
    tab->setObjectName("tab");
    tab->setShape(QTabBar::RoundedSouth);
    tab->setFixedHeight(20);
    tab->setDrawBase(false);
    tab->setExpanding(false);
    tab->setFont(font);
    tab->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ElTree, 1);
    layout->addWidget(tab);

    PopupMenu1 = new QMenu(this);
    Copy1 = PopupMenu1->addAction("コピー(&C)");
    SelectAll1 = PopupMenu1->addAction("すべて選択(&A)");
    Edit1 = PopupMenu1->addAction("編集(&E)");
    Edit1->setVisible(false);
    Edit1->setEnabled(false);
    PopupMenu1->addSeparator();
    SortByItem = PopupMenu1->addAction("この項目でソート(&S)");
    SelItem = PopupMenu1->addAction("同じ情報の画像を選択(&I)");
    PopupMenu1->addSeparator();
    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    showall = PopupMenu1->addAction("すべて表示(&1)");
    autohide = PopupMenu1->addAction("自動省略表示(&2)");
    manual = PopupMenu1->addAction("マニュアル選択表示(&3)");
    selmode = PopupMenu1->addAction("選択モード(&4)");
    for (QAction* a : { showall, autohide, manual, selmode }) {
        a->setCheckable(true);
        modes->addAction(a);
    }
    showall->setChecked(true);

    connect(Copy1, &QAction::triggered, this, &TInfoFrame::Copy1Click);
    connect(SelectAll1, &QAction::triggered, this, &TInfoFrame::SelectAll1Click);
    connect(showall, &QAction::triggered, this, &TInfoFrame::showallClick);
    connect(autohide, &QAction::triggered, this, &TInfoFrame::autohideClick);
    connect(manual, &QAction::triggered, this, &TInfoFrame::manualClick);
    connect(selmode, &QAction::triggered, this, &TInfoFrame::selmodeClick);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TInfoFrame::PopupMenu1Popup);
    connect(ElTree, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { PopupMenu1->popup(ElTree->viewport()->mapToGlobal(pos)); });
    connect(ElTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) { ElTreeItemChecked(item); });
    connect(tab, &QTabBar::currentChanged, this, &TInfoFrame::tabChange);
}

TInfoFrame::~TInfoFrame() = default;

void TInfoFrame::LoadSettings(platform::RegistryStore& store)
{
    settings_ = LoadInfoSettings(store);
    CheckViewModeItem();
}

void TInfoFrame::SaveSettings(platform::RegistryStore& store)
{
    SaveGroupStates();
    SaveInfoSettings(store, settings_);
}

int TInfoFrame::CurrentTabKind() const
{
    const int index = tab->currentIndex();
    return index >= 0 && index < static_cast<int>(tabKinds_.size()) ? tabKinds_[static_cast<size_t>(index)] : kTabBasic;
}

void TInfoFrame::SetRecord(const TInfoRecord& record)
{
    const int previousKind = CurrentTabKind();
    record_ = record;
    tabKinds_ = TabKindsOf(record_);
    static const char* const kTabNames[] = { "基本情報", "プロファイル", "IPTC情報" };
    const int selected = TabToSelect(tabKinds_, previousKind);
    {
        const QSignalBlocker block(tab);
        while (tab->count() > 0)
            tab->removeTab(0);
        for (int kind : tabKinds_)
            tab->addTab(kTabNames[kind]);
        tab->setCurrentIndex(selected);
    }
    tab->setVisible(tab->count() > 1);
    tabChange(selected);
}

void TInfoFrame::SaveGroupStates()
{
    for (int i = 0; i < ElTree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ElTree->topLevelItem(i);
        if (const TInfoRow* row = RowOf(item))
            if (bool* flag = ExpandedFlagOf(settings_, row->Group))
                *flag = item->isExpanded();
    }
    building_ = true;
    ElTree->clear();
    rows_.clear();
    building_ = false;
}

void TInfoFrame::Renew()
{
    SaveGroupStates();
    ShowRows(BasicRows(record_, settings_));
}

void TInfoFrame::RenewICC()
{
    SaveGroupStates();
    ShowRows(colour::ProfileRows(record_));
}

void TInfoFrame::RenewIPTC()
{
    SaveGroupStates();
    ShowRows(IptcRows(record_));
}

void TInfoFrame::ShowRows(std::vector<TInfoRow> rows)
{
    building_ = true;
    rows_ = std::move(rows);
    ElTree->setUpdatesEnabled(false);
    std::vector<QTreeWidgetItem*> parents; // the latest item at each depth
    QList<QTreeWidgetItem*> topLevel;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const TInfoRow& row = rows_[i];
        auto* item = new QTreeWidgetItem();
        item->setText(0, Text(row.Name));
        item->setText(1, Text(row.Value));
        item->setData(0, kRowRole, static_cast<qulonglong>(i));
        if (row.Checkable) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, row.Checked ? Qt::Checked : Qt::Unchecked);
        }
        const size_t depth = static_cast<size_t>(row.Depth);
        if (depth == 0 || parents.size() < depth)
            topLevel.append(item);
        else
            parents[depth - 1]->addChild(item);
        parents.resize(depth + 1);
        parents[depth] = item;
    }
    ElTree->addTopLevelItems(topLevel);
    for (QTreeWidgetItemIterator it(ElTree); *it; ++it)
        if (const TInfoRow* row = RowOf(*it); row && row->Expanded)
            (*it)->setExpanded(true);
    ElTree->setUpdatesEnabled(true);
    building_ = false;
}

const TInfoRow* TInfoFrame::RowOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const size_t i = item->data(0, kRowRole).toULongLong();
    return i < rows_.size() ? &rows_[i] : nullptr;
}

const TInfoRow* TInfoFrame::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = ElTree->selectedItems();
    return selected.size() == 1 ? RowOf(selected.front()) : nullptr;
}

void TInfoFrame::PopupMenu1Popup()
{
    Edit1->setEnabled(false);
    const TInfoRow* row = SelectedRow();
    const bool one = row && row->Key != 0;
    SortByItem->setEnabled(one && row->Sortable);
    SelItem->setEnabled(one && OffersSelectSame(*row));
    Copy1->setEnabled(!ElTree->selectedItems().isEmpty());
}

void TInfoFrame::Copy1Click()
{
    std::vector<const TInfoRow*> selected;
    for (QTreeWidgetItemIterator it(ElTree, QTreeWidgetItemIterator::Selected); *it; ++it)
        if (const TInfoRow* row = RowOf(*it))
            selected.push_back(row);
    if (selected.empty())
        return;
    QGuiApplication::clipboard()->setText(Text(CopyText(selected)));
}

void TInfoFrame::SelectAll1Click()
{
    ElTree->selectAll();
}

void TInfoFrame::SetViewMode(TViewMode mode)
{
    settings_.ViewMode = mode;
    CheckViewModeItem();
    Renew();
}

void TInfoFrame::CheckViewModeItem()
{
    QAction* items[] = { showall, autohide, manual, selmode };
    items[static_cast<int>(settings_.ViewMode)]->setChecked(true);
}

void TInfoFrame::showallClick()
{
    SetViewMode(TViewMode::ShowAll);
}

void TInfoFrame::autohideClick()
{
    SetViewMode(TViewMode::AutoHide);
}

void TInfoFrame::manualClick()
{
    SetViewMode(TViewMode::Manual);
}

void TInfoFrame::selmodeClick()
{
    SetViewMode(TViewMode::Select);
}

void TInfoFrame::tabChange(int index)
{
    const int kind
        = index >= 0 && index < static_cast<int>(tabKinds_.size()) ? tabKinds_[static_cast<size_t>(index)] : kTabBasic;
    for (QAction* a : { showall, autohide, manual, selmode })
        a->setEnabled(kind == kTabBasic);
    if (kind == kTabProfile)
        RenewICC();
    else if (kind == kTabIptc)
        RenewIPTC();
    else
        Renew();
}

void TInfoFrame::ElTreeItemChecked(QTreeWidgetItem* item)
{
    if (building_ || settings_.ViewMode != TViewMode::Select)
        return;
    const TInfoRow* row = RowOf(item);
    if (!row || !row->Checkable)
        return;
    SetRowShown(settings_, row->Group, row->Key, item->checkState(0) == Qt::Checked);
}

} // namespace metadata
