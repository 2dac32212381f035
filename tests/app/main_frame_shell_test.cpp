// The main window's shell commands: Cut, Copy and Paste on the focused field and on the
// case list's rows, the main menu's own texts, and a status-bar text for every command.
#include "app/document_fixture.h"
#include "app/main_commands.h"
#include "app/main_frame.h"
#include "app/main_frame_layout.h"
#include "query/case_list_commands.h"
#include "query/widgets/case_view.h"
#include "records/case_query_data_row.h"
#include "records/case_query_request_info.h"
#include "records/case_query_result_col_info.h"
#include "records/case_query_results.h"
#include "support/widget_application.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

const MenuEntry* Find(const std::vector<MenuEntry>& entries, int commandId)
{
    for (const MenuEntry& entry : entries) {
        if (entry.commandId == commandId)
            return &entry;
        if (const MenuEntry* inner = Find(entry.submenu, commandId))
            return inner;
    }
    return nullptr;
}

void ExpectPrompts(const std::vector<MenuEntry>& entries)
{
    for (const MenuEntry& entry : entries) {
        ExpectPrompts(entry.submenu);
        if (entry.commandId != 0) {
            EXPECT_FALSE(CommandPromptOf(entry.commandId).statusText.isEmpty()) << entry.text;
        }
    }
}

}  // namespace

TEST(MainFrameShell, EveryCommandHasAStatusTextAndTheMainMenuItsOwnTexts)
{
    ExpectPrompts(MainMenuLayout());
    ExpectPrompts(ToolbarLayout());
    EXPECT_EQ(CommandPromptOf(cmdOpenReportFile).statusText, QStringLiteral("Open Report File"));
    EXPECT_EQ(CommandPromptOf(cmdSaveReportFile).statusText, QStringLiteral("Save Report as File"));

    // Where the case list's own menu words a command otherwise, the main menu keeps its text.
    ASSERT_NE(Find(MainMenuLayout(), cmdOrderCases), nullptr);
    EXPECT_EQ(Find(MainMenuLayout(), cmdOrderCases)->text, "O&rder Cases...");
    EXPECT_EQ(Find(CaseListMenu(), cmdOrderCases)->text, "Ord&er Cases...");
    EXPECT_EQ(Find(MainMenuLayout(), cmdListExportText)->text, "Export List to Text");
}

TEST(MainFrameShell, CutCopyPasteActOnTheFocusedFieldAndCopyCaseRowsAsATable)
{
    WidgetApplication();
    DocFixture f;
    CMainFrame frame(f.doc);
    auto* field = new QLineEdit(&frame);
    frame.statusBar()->addWidget(field);
    frame.show();
    QApplication::setActiveWindow(&frame);
    QClipboard* clipboard = QApplication::clipboard();

    field->setText(QStringLiteral("Springfield"));
    field->selectAll();
    field->setFocus();
    ASSERT_TRUE(frame.Action(cmdEditCut)->isEnabled());
    frame.Action(cmdEditCopy)->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("Springfield"));
    frame.Action(cmdEditCut)->trigger();
    EXPECT_TRUE(field->text().isEmpty());
    frame.Action(cmdEditPaste)->trigger();
    frame.Action(cmdEditPaste)->trigger();
    EXPECT_EQ(field->text(), QStringLiteral("SpringfieldSpringfield"));

    // The case list copies its selected rows, in list order, under the headers of the
    // columns it shows (the case number column is hidden); a tab inside a cell would
    // split it, so it becomes a space.
    auto results = std::make_unique<CCaseQueryResults>();
    for (const char* header : {"Case", "Insured Name", "City"}) {
        auto column = std::make_shared<CCaseQueryResultColInfo>();
        column->header = header;
        column->width = 100;
        results->resultColumns.push_back(column);
    }
    const std::vector<std::vector<std::string>> rows = {
        {"2024-1", "Acme\tTool", "Dayton"}, {"2024-2", "Maple Ridge", "Akron"}, {"2024-3", "Northwind", "Lima"}};
    for (const auto& cells : rows) {
        auto row = std::make_shared<CCaseQueryDataRow>();
        row->cells = cells;
        results->rows.push_back(row);
    }
    CCaseView& list = *frame.CaseView();
    list.ShowResults(std::move(results), std::make_unique<CCaseQueryRequestInfo>());
    list.setFocus();
    EXPECT_FALSE(frame.Action(cmdEditCopy)->isEnabled());  // no row selected
    list.selectRow(2);
    list.selectionModel()->select(list.model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(frame.Action(cmdEditCopy)->isEnabled());
    EXPECT_FALSE(frame.Action(cmdEditCut)->isEnabled());
    EXPECT_FALSE(frame.Action(cmdEditPaste)->isEnabled());
    frame.Action(cmdEditCopy)->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("Insured Name\tCity\nAcme Tool\tDayton\nNorthwind\tLima\n"));
}
