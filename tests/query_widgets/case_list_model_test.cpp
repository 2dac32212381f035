// The case list's table: which rows and columns it shows, how each column kind sorts,
// and the row work after commands (case numbers in list order, one row refreshed, rows
// removed, the title's count).
#include "query/case_list_title.h"
#include "query/widgets/case_cell_order.h"
#include "query/widgets/case_list_model.h"
#include "sample_inventory.h"

#include <gtest/gtest.h>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

std::unique_ptr<CaseListModel> ModelWith(std::unique_ptr<CCaseQueryResults> results)
{
    auto model = std::make_unique<CaseListModel>();
    model->SetLocale(kUs);
    model->SetResults(std::move(results));
    return model;
}

std::vector<std::string> Column(const CaseListModel& model, int column)
{
    std::vector<std::string> cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.push_back(model.data(model.index(row, column)).toString().toLatin1().toStdString());
    return cells;
}

std::vector<std::string> CaseNumbers(const CaseListModel& model)
{
    std::vector<std::string> numbers;
    for (int row = 0; row < model.rowCount(); ++row)
        numbers.push_back(model.CaseNumberAt(row));
    return numbers;
}

// A table with one column of the kind besides the key column.
std::unique_ptr<CCaseQueryResults> OneColumn(int32_t kind, const std::vector<std::string>& cells)
{
    auto results = std::make_unique<CCaseQueryResults>();
    results->resultColumns = {SampleColumn("Case", 0, 0, 0), SampleColumn("Value", 80, 0, kind)};
    int number = 0;
    for (const std::string& cell : cells)
        results->rows.push_back(SampleRow({"C" + std::to_string(++number), cell}));
    return results;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(CaseListModel, ShowsColumnsFromTheSecondAndRowsWithMoreThanTheKey)
{
    const auto model = ModelWith(SampleResults());
    ASSERT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Insured Name"));
    EXPECT_EQ(model->ColumnWidth(0), 190);
    EXPECT_EQ(model->ColumnAlignment(0), Qt::AlignLeft);
    EXPECT_EQ(model->ColumnAlignment(1), Qt::AlignHCenter);
    EXPECT_EQ(model->ColumnAlignment(2), Qt::AlignRight);
    EXPECT_EQ(model->data(model->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    // A-1004 holds only its key; the rest sorted by insured name, letter case ignored.
    EXPECT_EQ(CaseNumbers(*model), (Strings{"A-1002", "A-1003", "A-1005", "A-1001", "A-1006"}));

    auto empty = ModelWith(nullptr);
    EXPECT_EQ(empty->columnCount(), 1);
    EXPECT_EQ(empty->rowCount(), 0);
    EXPECT_EQ(empty->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Empty..."));
    EXPECT_EQ(empty->ColumnWidth(0), 100);

    auto keysOnly = std::make_unique<CCaseQueryResults>();
    keysOnly->resultColumns = {SampleColumn("Case", 0, 0, 0), SampleColumn("Name", 50, 0, 0)};
    keysOnly->rows = {SampleRow({"K1"}), SampleRow({"K2"})};
    EXPECT_EQ(ModelWith(std::move(keysOnly))->rowCount(), 0);
}

TEST(CaseListModel, HeaderClicksReverseTheSortColumnAndKeepTheDirectionForAnother)
{
    auto model = ModelWith(SampleResults());
    model->ClickColumn(0);  // already sorted by it: descending now
    EXPECT_TRUE(model->SortDescending());
    EXPECT_EQ(CaseNumbers(*model), (Strings{"A-1006", "A-1001", "A-1005", "A-1003", "A-1002"}));
    model->ClickColumn(2);  // another column keeps descending
    EXPECT_EQ(model->SortColumn(), 2);
    EXPECT_TRUE(model->SortDescending());
    EXPECT_EQ(Column(*model, 2), (Strings{"150000.00", "12,450.00", "980.25", "10.00", "9.50"}));

    // A new table starts over at the first column, ascending.
    model->SetResults(SampleResults());
    EXPECT_EQ(model->SortColumn(), 0);
    EXPECT_FALSE(model->SortDescending());
    EXPECT_EQ(CaseNumbers(*model).front(), "A-1002");
}

TEST(CaseListModel, TextCodesAndYesNoCompareWithoutLetterCase)
{
    for (int32_t kind : {0, 2, 3}) {
        auto model = ModelWith(OneColumn(kind, {"beta", "Alpha", "ALPHA-2", "10", "9.5", "gamma"}));
        EXPECT_EQ(Column(*model, 0), (Strings{"10", "9.5", "Alpha", "ALPHA-2", "beta", "gamma"})) << kind;
    }
}

TEST(CaseListModel, AmountsCompareAsNumbers)
{
    auto model = ModelWith(OneColumn(4, {"10", "9.5", "1,200.00", "-3", "$950.10", "", "n/a"}));
    // Cells without a number count as 0; rows that compare equal keep their order.
    EXPECT_EQ(Column(*model, 0), (Strings{"-3", "", "n/a", "9.5", "10", "$950.10", "1,200.00"}));
    EXPECT_DOUBLE_EQ(ParseCaseAmount("  1,234,567.89 "), 1234567.89);
    EXPECT_DOUBLE_EQ(ParseCaseAmount("-$12.5"), -12.5);
    EXPECT_DOUBLE_EQ(ParseCaseAmount("7.5.1"), 7.5);
}

TEST(CaseListModel, DatesInTimeOrderWithCellsThatAreNoDateFirstAscendingLastDescending)
{
    auto model = ModelWith(OneColumn(1, {"3/14/2024", "", "12/30/2023 4:15 PM", "not set", "1/2/2024", "2024-01-01",
                                         "12/30/2023 9:00 AM"}));
    EXPECT_EQ(Column(*model, 0), (Strings{"", "not set", "12/30/2023 9:00 AM", "12/30/2023 4:15 PM", "2024-01-01",
                                          "1/2/2024", "3/14/2024"}));
    model->ClickColumn(0);
    EXPECT_EQ(Column(*model, 0), (Strings{"3/14/2024", "1/2/2024", "2024-01-01", "12/30/2023 4:15 PM",
                                          "12/30/2023 9:00 AM", "", "not set"}));

    // The user's locale decides day and month order where it reads the cell.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ParseCaseDateTime(QStringLiteral("05.03.2008"), german)->date(), QDate(2008, 3, 5));
    // The server's month-first form is read first under every locale; a cell that is not
    // in it falls back to the locale's own order.
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(ParseCaseDateTime(QStringLiteral("05/03/2008"), british)->date(), QDate(2008, 5, 3));
    EXPECT_EQ(ParseCaseDateTime(QStringLiteral("25/03/2008"), british)->date(), QDate(2008, 3, 25));
    EXPECT_EQ(ParseCaseDateTime(QStringLiteral("3/5/08"), kUs)->date(), QDate(2008, 3, 5));
    EXPECT_EQ(ParseCaseDateTime(QStringLiteral("3/5/48"), kUs)->date(), QDate(1948, 3, 5));
    EXPECT_FALSE(ParseCaseDateTime(QStringLiteral("13/45/2008"), kUs).has_value());
}

TEST(CaseListModel, ServerDatesSortInTimeOrderUnderDayFirstAndMonthFirstLocales)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        auto model = std::make_unique<CaseListModel>();
        model->SetLocale(locale);
        model->SetResults(OneColumn(1, {"11/1/2008", "10/11/2008 2:05 PM", "2/29/2008", "02/30/2025",
                                        "10/11/2008 11:59 AM", "12/31/29", "1/1/30"}));
        // 02/30/2025 is no date at all, so it sorts first; a two-digit year is 1930-2029.
        EXPECT_EQ(Column(*model, 0), (Strings{"02/30/2025", "1/1/30", "2/29/2008", "10/11/2008 11:59 AM",
                                              "10/11/2008 2:05 PM", "11/1/2008", "12/31/29"}))
            << locale.name().toStdString();
    }
}

TEST(CaseListModel, OtherKindsLeaveTheRowsInTheirOrder)
{
    auto model = ModelWith(OneColumn(7, {"b", "a", "c"}));
    EXPECT_EQ(Column(*model, 0), (Strings{"b", "a", "c"}));
    model->ClickColumn(0);
    EXPECT_EQ(Column(*model, 0), (Strings{"b", "a", "c"}));
}

TEST(CaseListModel, CaseNumbersInListOrderAndOneRowRefreshed)
{
    auto model = ModelWith(SampleResults());
    EXPECT_EQ(model->CaseNumbersAt({3, 0, 3, 9}), (Strings{"A-1002", "A-1001"}));

    auto fresh = SampleResults();
    fresh->rows[4]->cells = {"A-1005", "Copperline Electric Co.", "1/15/2024", "1,005.00", "Closed"};
    fresh->rows[0]->cells[1] = "changed but not asked for";
    const int row = model->RowOfCase("A-1005");
    ASSERT_TRUE(model->RefreshCase("A-1005", *fresh));
    EXPECT_EQ(model->RowOfCase("A-1005"), row);  // refreshed in place, not re-sorted
    EXPECT_EQ(Column(*model, 0)[static_cast<size_t>(row)], "Copperline Electric Co.");
    EXPECT_EQ(Column(*model, 3)[static_cast<size_t>(row)], "Closed");
    EXPECT_EQ(Column(*model, 0)[static_cast<size_t>(model->RowOfCase("A-1001"))], "Riverside Bakery LLC");

    // Gone from the new table, or never shown: nothing changes.
    fresh->rows.erase(fresh->rows.begin() + 4);
    EXPECT_FALSE(model->RefreshCase("A-1005", *fresh));
    EXPECT_EQ(Column(*model, 0)[static_cast<size_t>(row)], "Copperline Electric Co.");
    EXPECT_FALSE(model->RefreshCase("Z-9", *SampleResults()));
}

TEST(CaseListModel, RemovedRowsLeaveTheListAndTheTable)
{
    auto model = ModelWith(SampleResults());
    const auto handles = model->RowsAt({0, 4});  // A-1002 and A-1006
    model->RemoveRows(handles);
    EXPECT_EQ(CaseNumbers(*model), (Strings{"A-1003", "A-1005", "A-1001"}));
    ASSERT_EQ(model->Results()->rows.size(), 4u);  // the export sees what the list shows
    EXPECT_EQ(model->Results()->rows[0]->cells[0], "A-1001");
    EXPECT_EQ(model->Results()->rows[1]->cells[0], "A-1003");
    EXPECT_EQ(model->Results()->rows[2]->cells[0], "A-1004");

    // Handles of a table that has been replaced meanwhile touch nothing.
    const auto stale = model->RowsAt({0});
    model->SetResults(SampleResults());
    model->RemoveRows(stale);
    EXPECT_EQ(model->rowCount(), 5);
}

TEST(CaseListTitle, CountRewrittenAfterTheLastBracket)
{
    EXPECT_EQ(CaseListTitleAfterDelete("Open Audits for Harbor Mutual (12)", 9), "Open Audits for Harbor Mutual (9)");
    EXPECT_EQ(CaseListTitleAfterDelete("Find for  (Search: [InsuredName] = \"A(1*\") (1)", 0),
              "Find for  (Search: [InsuredName] = \"A(1*\") (0)");
    EXPECT_EQ(CaseListTitleAfterDelete("Inventory", 9), "(9)");
}
