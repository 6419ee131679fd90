#include "ui/field_table_item_model.h"

#include <algorithm>
#include <array>
#include <utility>

#include "ui/wide_text.h"

namespace orvane::ui {

namespace {
constexpr int kRows = FieldTable::kRows;
}  // namespace


FieldTableItemModel::FieldTableItemModel(FieldTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(table.ColCount()) {}

int FieldTableItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRows;
}

int FieldTableItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant FieldTableItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Wide(m_table.Cell(index.column(), index.row()));
}

bool FieldTableItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() < 1 || index.column() >= m_table.ColCount() ||
        (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    m_table.SetCell(index.column(), index.row(), Narrow(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags FieldTableItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.column() < 1) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable) f |= Qt::ItemIsEditable;
    return f;
}

QVariant FieldTableItemModel::headerData(int section, Qt::Orientation orientation,
                                         int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return Wide(m_table.Cell(0, section));
    return QString::number(section);
}

void FieldTableItemModel::Reload() {
    if (m_table.ColCount() == m_columns) {
        // Same shape: repaint every cell and heading, open editors stay.
        emit dataChanged(index(0, 0), index(kRows - 1, m_columns - 1));
        emit headerDataChanged(Qt::Vertical, 0, kRows - 1);
        return;
    }
    beginResetModel();
    m_columns = m_table.ColCount();
    endResetModel();
}

void FieldTableItemModel::MoveRow(int from, int to) {
    if (from < 0 || from >= kRows || to < 0 || to >= kRows || from == to) return;
    for (int c = 0; c < m_table.ColCount(); ++c) {
        std::array<std::string, kRows> cells;
        for (int r = 0; r < kRows; ++r) cells[size_t(r)] = m_table.Cell(c, r);
        // Take the row out and put it back in at its new place.
        if (from < to)
            std::rotate(cells.begin() + from, cells.begin() + from + 1, cells.begin() + to + 1);
        else
            std::rotate(cells.begin() + to, cells.begin() + from, cells.begin() + from + 1);
        for (int r = 0; r < kRows; ++r) m_table.SetCell(c, r, std::move(cells[size_t(r)]));
    }
    Reload();
}

}  // namespace orvane::ui
