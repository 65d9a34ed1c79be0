#pragma once
// The detail list's model: a virtual table whose rows are read from the
// catalogue on demand (one locked record per row) and whose columns follow the
// list configuration. The row count is set by the window, not taken from the
// catalogue, so a list can be emptied before its folder is re-listed.

#include <QAbstractTableModel>
#include <functional>
#include <vector>

#include "catalogue/Catalogue.h"

class CatalogueListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CatalogueListModel(catalogue::TCatalogue& catalogue, QObject* parent = nullptr);

    // SetupListColumns: one column per configured column, in order.
    void SetupListColumns(const catalogue::TListConfigs& config);
    void SetItemCount(int count);
    int ItemCount() const { return count_; }
    // Drops the cached texts of one row (or all rows with -1) and repaints them.
    void RefreshRow(int row);

    // Row decoration (icon) and styling, supplied by the window.
    std::function<QVariant(int row, int role)> RowStyle;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<std::string>& RowTexts(int row) const;
    catalogue::TCatalogue& catalogue_;
    catalogue::TListConfigs config_;
    int count_ = 0;
    // The texts of the row last asked for: a view asks for each column in turn.
    mutable int cachedRow_ = -1;
    mutable std::vector<std::string> cachedTexts_;
};
