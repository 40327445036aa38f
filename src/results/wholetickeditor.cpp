#include "results/wholetickeditor.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {
// Nine digits keep every tick well inside the range of a whole number.
const QRegularExpression wholetick(QStringLiteral("-?[0-9]{1,9}"));
}  // namespace

QWidget* WholeTickEditor::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,9}")), editor));
    return editor;
}

void WholeTickEditor::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return;
    if (const std::optional<QString> text = cellText(line->text())) model->setData(index, *text, Qt::EditRole);
}

std::optional<QString> WholeTickEditor::cellText(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return QString();
    if (!wholetick.match(text).hasMatch() || wholetick.match(text).capturedLength() != text.size()) return std::nullopt;
    return QString::number(text.toLongLong());  // "007" is 7, "-0" is 0
}
