#pragma once
// The field table as a Qt item model, for the grid on the main page.
#include <QAbstractTableModel>

#include "smartformat/field_table.h"

namespace orvane::ui {

// The cells of a FieldTable as a 3-row table model: model column c is table
// column c. Texts cross as UTF-8 <-> QString. The column count is read from
// the table only by Reload(), so a table changed behind the model's back
// never makes the views index past their sections.
class FieldTableItemModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit FieldTableItemModel(FieldTable& table, QObject* parent = nullptr);

    FieldTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Stores an edited cell in the table (display or edit role, field columns).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Field cells are enabled and selectable, and editable once editing is on;
    // the heading column has no flags at all.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Rows: the heading column's texts. Columns: the column index.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    bool editable() const { return m_editable; }
    void setEditable(bool on) { m_editable = on; }

    // Re-reads everything, the column count included (a model reset: views
    // drop their column widths, current cell and editors).
    void Reload();
    // Moves row `from` to position `to` in every column, the heading column
    // included (the rows in between shift by one), and tells the views.
    void MoveRow(int from, int to);

private:
    FieldTable& m_table;
    int m_columns;
    bool m_editable = false;
};

}  // namespace orvane::ui
