#include "framework/qt/result_table_model.h"

#include "framework/controls.h"
#include "framework/qt/qt_text.h"

#include <algorithm>
#include <limits>

namespace qianyan {

namespace {

int clampedCount(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, std::numeric_limits<int>::max()));
}

} // namespace

ResultTableModel::ResultTableModel(const Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(&grid), shownRows_(clampedCount(grid.rows.rowCount())) {}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : clampedCount(grid_->columns.size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    // The grid may have changed since the view last heard of it.
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= grid_->rows.rowCount()) return {};
    if (role == Qt::DisplayRole)
        return qtText(grid_->rows.cell(static_cast<std::size_t>(index.row()),
                                       static_cast<std::size_t>(index.column())));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= grid_->columns.size())
        return {};
    if (role == Qt::DisplayRole) return qtText(grid_->columns[static_cast<std::size_t>(section)].header);
    return {};
}

void ResultTableModel::update() {
    const int rows = clampedCount(grid_->rows.rowCount());
    if (rows != shownRows_) {
        beginResetModel();
        shownRows_ = rows;
        endResetModel();
        return;
    }
    if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1), {Qt::DisplayRole});
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

} // namespace qianyan
