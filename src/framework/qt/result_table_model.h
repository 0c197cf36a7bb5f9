#pragma once
// Serves a workbench table of the window model to a QTableView: the view asks only for the cells it
// draws, so a table of a million candidates costs no widget and no copy.
#include <QAbstractTableModel>

namespace qianyan {

struct Grid;

class ResultTableModel : public QAbstractTableModel {
  public:
    explicit ResultTableModel(const Grid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // After the grid changed: rows added or removed start the view afresh, reordered rows and new
    // headers are redrawn where the view shows them.
    void update();

  private:
    const Grid* grid_;
    int shownRows_ = 0;
};

} // namespace qianyan
