#include "framework/qt/grid_view.h"

#include "documents/qt/qt_text.h"
#include "framework/controls.h"
#include "framework/number_text.h"
#include "framework/qt/control_binding.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace qianyan {

namespace {

constexpr int fixedRowHeight = 22;
// Rows measured for a column's width: the first ones and the last; the rows of a result table share
// their shapes (a label column's texts all have one length).
constexpr int measuredRows = 200;
// Rows a view learns of in one turn of the event loop.
constexpr int rowsPerTurn = 20'000;

int clampedCount(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, std::numeric_limits<int>::max()));
}

Qt::Alignment alignment(CellAlign align) {
    switch (align) {
    case CellAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case CellAlign::Centre:
        return Qt::AlignCenter;
    case CellAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignCenter;
}

// A share on a 0 … 100 scale drawn as a bar under its number.
class BarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* model = static_cast<const GridTableModel*>(index.model());
        const auto column = static_cast<std::size_t>(index.column());
        if (column >= model->grid().columns.size() || model->grid().columns[column].kind != CellKind::Bar) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const double share = std::clamp(readLenient(utf8(index.data().toString())), 0.0, 100.0);
        const QRect area = option.rect.adjusted(2, 3, -2, -3);
        painter->save();
        painter->fillRect(area, option.palette.base());
        painter->fillRect(
            QRect(area.left(), area.top(), static_cast<int>(area.width() * share / 100), area.height()),
            QColor(0x3C, 0x9D, 0x4E));
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawRect(area.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

GridTableModel::GridTableModel(ControlBinding& binding, std::string name, QObject* parent)
    : QAbstractTableModel(parent), binding_(binding), name_(std::move(name)),
      grid_(binding.model().findGrid(name_)) {
    if (!grid_) qFatal("no grid %s", name_.c_str());
    update();
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownColumns_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    // The grid may have changed since the view last heard of it.
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= grid_->rows.rowCount() ||
        static_cast<std::size_t>(index.column()) >= grid_->columns.size())
        return {};
    const auto row = static_cast<std::size_t>(index.row()), column = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return qtText(grid_->rows.cell(row, column));
    case Qt::ToolTipRole: {
        // The whole text of a cell its column cuts (an explanation of the option grid, say).
        const std::string_view text = grid_->rows.cell(row, column);
        return text.empty() ? QVariant() : QVariant(qtText(text));
    }
    case Qt::TextAlignmentRole:
        return int(alignment(grid_->columns[column].align));
    case Qt::ForegroundRole: {
        const std::uint32_t color = binding_.model().rowColor(name_, row);
        return color == argb::black ? QVariant() : QVariant(qtColor(color));
    }
    default:
        return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= grid_->columns.size())
        return {};
    if (role == Qt::DisplayRole) return qtText(grid_->columns[static_cast<std::size_t>(section)].header);
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return binding_.model().cellEditable(name_, index.row(), index.column()) ? flags | Qt::ItemIsEditable
                                                                             : flags;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    // Every finished edit reaches the model, also one that kept the text: finishing an edit is what
    // enables the workbench's buttons.
    const std::string text = utf8(value.toString());
    binding_.act([&](CalculatorFrame& m) { m.editCell(name_, index.row(), index.column(), text); });
    return true;
}

bool GridTableModel::update() {
    const int rows = clampedCount(grid_->rows.rowCount()), columns = clampedCount(grid_->columns.size());
    if (rows != rows_ || columns != shownColumns_) {
        beginResetModel();
        rows_ = rows;
        shownRows_ = std::min(rows, rowsPerTurn);
        shownColumns_ = columns;
        endResetModel();
        if (shownRows_ < rows_ && !moreRowsDue_) {
            moreRowsDue_ = true;
            QTimer::singleShot(0, this, &GridTableModel::showMoreRows);
        }
        return true;
    }
    if (shownRows_ > 0 && columns > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, columns - 1));
    if (columns > 0) emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    return false;
}

void GridTableModel::showMoreRows() {
    moreRowsDue_ = false;
    // A grid changed since is started afresh by the next update.
    if (shownRows_ >= rows_ || clampedCount(grid_->rows.rowCount()) != rows_) return;
    const int more = std::min(rows_ - shownRows_, rowsPerTurn);
    beginInsertRows({}, shownRows_, shownRows_ + more - 1);
    shownRows_ += more;
    endInsertRows();
    if (shownRows_ < rows_) {
        moreRowsDue_ = true;
        QTimer::singleShot(0, this, &GridTableModel::showMoreRows);
    }
}

GridView::GridView(ControlBinding& binding, std::string name, QWidget* parent)
    : QTableView(parent), binding_(binding), name_(name), model_(new GridTableModel(binding, name, this)) {
    setObjectName(QString::fromStdString(name));
    setModel(model_);
    setItemDelegate(new BarDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    verticalHeader()->hide();
    // Fixed row heights let the view jump to any of a million rows without measuring them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fixedRowHeight);
    verticalHeader()->setMinimumSectionSize(fixedRowHeight);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [&binding, name](int column) {
        binding.act([&](CalculatorFrame& m) { m.headerClick(name, column); });
    });
    connect(this, &QTableView::doubleClicked, this, [&binding, name, this](const QModelIndex& index) {
        // A double-click on an editable cell opens its editor; elsewhere it is the grid's own event.
        if (model_->flags(index).testFlag(Qt::ItemIsEditable)) return;
        binding.act([&](CalculatorFrame& m) { m.doubleClick(name, index.row()); });
    });
    refresh();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && currentIndex().isValid()) {
        const std::string text = utf8(QGuiApplication::clipboard()->text());
        const QModelIndex at = currentIndex();
        binding_.act([&](CalculatorFrame& m) { m.pasteCells(name_, at.row(), at.column(), text); });
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        std::vector<int> rows;
        for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
        std::ranges::sort(rows);
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        if (rows.empty() && currentIndex().isValid()) rows.push_back(currentIndex().row());
        QGuiApplication::clipboard()->setText(qtText(binding_.model().copiedRows(name_, rows)));
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action != MoveNext && action != MovePrevious) return QTableView::moveCursor(action, modifiers);
    // The next editable cell in reading order, looked for in this row and the next two (an editable
    // grid has such cells in every row; a result table of a million rows has none and is not walked).
    // Without one, Tab leaves the grid for the next control.
    const QModelIndex from = currentIndex();
    const long long columns = model_->columnCount(), rows = model_->rowCount();
    if (!from.isValid()) return QTableView::moveCursor(action, modifiers);
    const long long first = from.row() * columns + from.column(), step = action == MoveNext ? 1 : -1;
    for (long long at = first + step, n = 0; at >= 0 && at < rows * columns && n < 3 * columns;
         at += step, ++n) {
        const QModelIndex index =
            model_->index(static_cast<int>(at / columns), static_cast<int>(at % columns));
        if (!isColumnHidden(index.column()) && model_->flags(index).testFlag(Qt::ItemIsEditable))
            return index;
    }
    return {};
}

void GridView::refresh() {
    const bool reset = model_->update();
    const Grid& grid = model_->grid();
    for (std::size_t c = 0; c < grid.columns.size(); ++c)
        if (isColumnHidden(static_cast<int>(c)) == grid.columns[c].visible)
            setColumnHidden(static_cast<int>(c), !grid.columns[c].visible);
    fitColumns(reset || !fitted_);
    fitted_ = true;
}

void GridView::fitColumns(bool exact) {
    const Grid& grid = model_->grid();
    const QFontMetrics cells(font());
    const QFontMetrics headers(horizontalHeader()->font());
    const std::size_t rows = grid.rows.rowCount();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    for (std::size_t c = 0; c < grid.columns.size(); ++c) {
        if (!grid.columns[c].visible) continue;
        int width =
            std::max(grid.columns[c].width, headers.horizontalAdvance(qtText(grid.columns[c].header)) + 16);
        const auto measure = [&](std::size_t r) {
            width = std::max(width, cells.horizontalAdvance(qtText(grid.rows.cell(r, c))) + padding);
        };
        for (std::size_t r = 0; r < rows && r < measuredRows; ++r) measure(r);
        if (rows > measuredRows) measure(rows - 1);
        if (exact ? columnWidth(static_cast<int>(c)) != width : columnWidth(static_cast<int>(c)) < width)
            setColumnWidth(static_cast<int>(c), width);
    }
}

} // namespace qianyan
