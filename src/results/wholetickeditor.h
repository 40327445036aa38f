#pragma once
// The editor of the note table's played-tick column: only a whole number of
// ticks (or nothing, for a note not played) can be typed, so the scoring and
// the graph can never disagree about a fractional tick.

#include <QStyledItemDelegate>
#include <optional>

class WholeTickEditor : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Stores the typed whole number, the empty text, or, for anything else
    // (a lone sign), leaves the cell as it was.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // What a typed text becomes in the cell; nullopt keeps the cell unchanged.
    static std::optional<QString> cellText(const QString& typed);
};
