#pragma once
// The one Qt face of a model grid, for the workbench's option grid and result tables and for every
// panel grid alike: a QTableView over a table model that reads the window model's rows (a table of a
// million candidates costs no widget and no copy). A finished edit, a header click and a double-click
// become the model's operations by the grid's name; the model says which cells may be edited, the
// colour of each row and how each column is aligned; bar columns are drawn as bars; a column is never
// narrower than its header or the texts it shows.
#include <QAbstractTableModel>
#include <QTableView>

#include <string>

namespace qianyan {

class ControlBinding;
struct Grid;

class GridTableModel : public QAbstractTableModel {
public:
    GridTableModel(ControlBinding& binding, std::string name, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const Grid& grid() const { return *grid_; }
    // After the grid changed: rows added or removed start the view afresh, rewritten cells, reordered
    // rows and new headers are redrawn where the view shows them. True when the rows were reset.
    // A view learns of a long table in steps, one turn of the event loop each (at a million rows at
    // once it would lay out its row header for tens of milliseconds).
    bool update();

private:
    void showMoreRows();

    ControlBinding& binding_;
    std::string name_;
    const Grid* grid_;
    int rows_ = 0; // of the grid, when the view last heard of it
    int shownRows_ = 0, shownColumns_ = 0;
    bool moreRowsDue_ = false;
};

class GridView : public QTableView {
public:
    GridView(ControlBinding& binding, std::string name, QWidget* parent = nullptr);

    GridTableModel* gridModel() const { return model_; }
    // Brings the view up to date from the model grid: cells, headers, hidden columns, widths.
    void refresh();

protected:
    // Ctrl+V pastes a block into the editable cells from the current one, Ctrl+C copies the selected rows
    // with their header, both as text a spreadsheet reads.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Backtab move between the cells a person may edit only.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // Widths from the declared ones (exact after the rows were reset), widened to the texts.
    void fitColumns(bool exact);

    ControlBinding& binding_;
    std::string name_;
    GridTableModel* model_;
    bool fitted_ = false;
};

} // namespace qianyan
