#pragma once
// A list box used as a data table: rows of text cells, added one at a time
// and removed all at once, read and written by index. A cell click can be
// handled, and chosen columns can be made editable.

#include <QTableWidget>
#include <functional>
#include <string>

namespace platform {

class ListBox : public QTableWidget {
    Q_OBJECT
public:
    ListBox(std::string name, int columns, QWidget* parent);

    // Appends a row whose first cell holds `first`; the others are empty.
    void AddRow(const QString& first);
    // Index of the row added last; -1 when there is none.
    int LastIndex() const { return lastIndex_; }
    int ListCount() const { return rowCount(); }
    void DeleteAllRows();

    // Raise OutOfBoundsException for a row or column outside the table.
    QString Cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // Lets the player edit every cell of `column` (or stops it).
    void setColumnEditable(int column, bool editable);
    // Opens the cell for editing.
    void EditCell(int row, int column);

    // Raised when the player presses on a cell; true means it is handled.
    std::function<bool(int row, int column)> CellClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void checkCell(int row, int column) const;
    QTableWidgetItem* makeItem(const QString& text, int column) const;

    std::string name_;
    int lastIndex_ = -1;
    std::vector<bool> editable_;
};

}  // namespace platform
