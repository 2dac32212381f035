#pragma once
// Cut, Copy and Paste of the main window, acting on the widget that has the focus: a
// text field cuts, copies and pastes its text; a table (the case list) copies its
// selected rows as tab-separated text under a header line, as spreadsheets take it.

class QString;
class QTableView;
class QWidget;

enum class EditCommand { cut, copy, paste };

// Whether the command can act on the focused widget: Cut and Paste on a text field that
// can be changed, Copy on any text field and on a table with selected rows. (Whether
// text is selected is not asked: the menu is not refreshed on every selection change,
// and cutting or copying no selection does nothing.)
bool EditCommandEnabled(EditCommand command, const QWidget* focus);
// Carries the command out on the focused widget; nothing happens when it cannot.
void RunEditCommand(EditCommand command, QWidget* focus);

// The selected rows of a table as text: the visible columns' headers in the order shown,
// then one line per selected row in the order shown, the cells separated by tabs. Tabs
// and line breaks inside a cell become spaces, so every row stays one line.
QString SelectedRowsAsText(const QTableView& table);
