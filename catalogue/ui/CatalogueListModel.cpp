#include "catalogue/ui/CatalogueListModel.h"

#include "platform/TextCodec.h"

CatalogueListModel::CatalogueListModel(catalogue::TCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent)
    , catalogue_(catalogue)
{
}

void CatalogueListModel::SetupListColumns(const catalogue::TListConfigs& config)
{
    beginResetModel();
    config_ = config;
    cachedRow_ = -1;
    endResetModel();
}

void CatalogueListModel::SetItemCount(int count)
{
    beginResetModel();
    count_ = std::max(count, 0);
    cachedRow_ = -1;
    endResetModel();
}

void CatalogueListModel::RefreshRow(int row)
{
    cachedRow_ = -1;
    if (count_ == 0 || config_.Count == 0)
        return;
    if (row < 0)
        emit dataChanged(index(0, 0), index(count_ - 1, config_.Count - 1));
    else if (row < count_)
        emit dataChanged(index(row, 0), index(row, config_.Count - 1));
}

int CatalogueListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

int CatalogueListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : config_.Count;
}

const std::vector<std::string>& CatalogueListModel::RowTexts(int row) const
{
    if (row != cachedRow_) {
        cachedTexts_.clear();
        std::lock_guard lock(catalogue_.Mutex());
        if (row < catalogue_.Count())
            cachedTexts_ = catalogue::FillListRow(catalogue_.At(row), config_);
        cachedRow_ = row;
    }
    return cachedTexts_;
}

QVariant CatalogueListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count_)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const auto& texts = RowTexts(index.row());
        if (index.column() < static_cast<int>(texts.size()))
            return QString::fromStdString(platform::DecodeText(texts[index.column()]));
        return QString();
    }
    case Qt::TextAlignmentRole: {
        const auto align = config_.Items[index.column()].Alignment;
        using A = catalogue::TListConfig::Align;
        const Qt::Alignment h = align == A::Right ? Qt::AlignRight
            : align == A::Center                  ? Qt::AlignHCenter
                                                  : Qt::AlignLeft;
        return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default:
        if (RowStyle && (role != Qt::DecorationRole || index.column() == 0))
            return RowStyle(index.row(), role);
        return {};
    }
}

QVariant CatalogueListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= config_.Count)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(config_.Items[section].Caption);
    if (role == Qt::UserRole)
        return section; // the column's tag is its index
    return {};
}
