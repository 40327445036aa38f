#include "platform/listbox.h"

#include "platform/dispatch.h"
#include "platform/exceptions.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace platform {

ListBox::ListBox(std::string name, int columns, QWidget* parent)
    : QTableWidget(0, columns, parent), name_(std::move(name)), editable_(size_t(columns), false) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // Tab leaves the table for the next control, as it leaves any other;
    // the arrow keys move between its cells.
    setTabKeyNavigation(false);
}

QTableWidgetItem* ListBox::makeItem(const QString& text, int column) const {
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable_[size_t(column)]) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

void ListBox::AddRow(const QString& first) {
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < columnCount(); ++c) setItem(row, c, makeItem(c == 0 ? first : QString(), c));
    lastIndex_ = row;
}

void ListBox::DeleteAllRows() {
    setRowCount(0);
    lastIndex_ = -1;
}

void ListBox::checkCell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        throw OutOfBoundsException("cell " + std::to_string(row) + ", " + std::to_string(column) +
                                   " of " + name_);
}

QString ListBox::Cell(int row, int column) const {
    checkCell(row, column);
    return item(row, column)->text();
}

void ListBox::setCell(int row, int column, const QString& text) {
    checkCell(row, column);
    item(row, column)->setText(text);
}

void ListBox::setColumnEditable(int column, bool editable) {
    if (column < 0 || column >= columnCount())
        throw OutOfBoundsException("column " + std::to_string(column) + " of " + name_);
    editable_[size_t(column)] = editable;
    for (int r = 0; r < rowCount(); ++r) {
        QTableWidgetItem* cell = item(r, column);
        cell->setFlags(editable ? cell->flags() | Qt::ItemIsEditable : cell->flags() & ~Qt::ItemIsEditable);
    }
}

void ListBox::EditCell(int row, int column) {
    checkCell(row, column);
    QTableWidgetItem* cell = item(row, column);
    cell->setFlags(cell->flags() | Qt::ItemIsEditable);
    setCurrentCell(row, column);
    editItem(cell);
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && CellClick) {
        const bool handled = dispatch(name_, [&] { return CellClick(index.row(), index.column()); });
        if (handled) return;
    }
    QTableWidget::mousePressEvent(event);
}

}  // namespace platform
