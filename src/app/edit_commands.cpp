#include "app/edit_commands.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The text field behind a widget: a line edit, an editable combo box's line edit.
QLineEdit* LineEditOf(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line;
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    return nullptr;
}

const QTableView* TableOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (auto* table = qobject_cast<const QTableView*>(w))
            return table;
    return nullptr;
}

QString CellText(QString text)
{
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

}  // namespace

bool EditCommandEnabled(EditCommand command, const QWidget* focus)
{
    auto* widget = const_cast<QWidget*>(focus);
    std::optional<bool> readOnly;
    if (QLineEdit* line = LineEditOf(widget)) {
        // A password field gives nothing away.
        if (line->echoMode() != QLineEdit::Normal)
            return command == EditCommand::paste && !line->isReadOnly();
        readOnly = line->isReadOnly();
    } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
        readOnly = text->isReadOnly();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        readOnly = plain->isReadOnly();
    }
    if (readOnly)
        return command == EditCommand::copy || !*readOnly;
    if (const QTableView* table = TableOf(focus))
        return command == EditCommand::copy && table->selectionModel() != nullptr &&
               !table->selectionModel()->selectedRows().isEmpty();
    return false;
}

void RunEditCommand(EditCommand command, QWidget* focus)
{
    if (!EditCommandEnabled(command, focus))
        return;
    if (QLineEdit* line = LineEditOf(focus)) {
        command == EditCommand::cut ? line->cut() : command == EditCommand::copy ? line->copy() : line->paste();
    } else if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        command == EditCommand::cut ? text->cut() : command == EditCommand::copy ? text->copy() : text->paste();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        command == EditCommand::cut ? plain->cut() : command == EditCommand::copy ? plain->copy() : plain->paste();
    } else if (const QTableView* table = TableOf(focus)) {
        QApplication::clipboard()->setText(SelectedRowsAsText(*table));
    }
}

QString SelectedRowsAsText(const QTableView& table)
{
    const QAbstractItemModel* model = table.model();
    if (model == nullptr || table.selectionModel() == nullptr)
        return {};
    const QHeaderView* header = table.horizontalHeader();
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!table.isColumnHidden(logical))
            columns.push_back(logical);
    }
    const QHeaderView* rowsHeader = table.verticalHeader();
    std::vector<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end(),
              [&](int a, int b) { return rowsHeader->visualIndex(a) < rowsHeader->visualIndex(b); });

    QString text;
    auto addLine = [&](auto cellOf) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                text += QLatin1Char('\t');
            text += CellText(cellOf(columns[i]));
        }
        text += QLatin1Char('\n');
    };
    addLine([&](int column) { return model->headerData(column, Qt::Horizontal).toString(); });
    for (int row : rows)
        addLine([&](int column) { return model->data(model->index(row, column)).toString(); });
    return text;
}
