// The case list with a large result: 100,000 rows loaded into the list's table model
// and sorted by a text, a date and an amount column. Each sort is timed the first time
// (the column's keys parsed from the cells, then sorted) and again in the other
// direction (keys kept), beside std::sort of the same keys computed beforehand as plain
// values in the same run, which is what sorting alone costs.
#include "query/widgets/case_list_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100000;

double Milliseconds(const std::function<void()>& run)
{
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Table {
    std::unique_ptr<CCaseQueryResults> results;
    std::vector<std::string> names;
    std::vector<int64_t> dates;
    std::vector<double> amounts;
};

Table MakeTable()
{
    static const char* const kFirst[] = {"Harbor", "Maple", "Northwind", "Blue Ridge", "Summit", "Riverside",
                                         "Granite", "Lakeshore", "Pioneer", "Cedar"};
    static const char* const kLast[] = {"Logistics LLC", "Bakery", "Plumbing & Heating", "Construction Co.",
                                        "Dental Group PC", "Auto Body", "Farms", "Electric Inc."};
    std::mt19937 random(5);
    Table table;
    table.results = std::make_unique<CCaseQueryResults>();
    const char* const headers[] = {"Case #", "Insured Name", "Due Date", "Premium"};
    const int32_t kinds[] = {0, 0, 1, 4};
    for (int i = 0; i < 4; ++i) {
        auto column = std::make_shared<CCaseQueryResultColInfo>();
        column->header = headers[i];
        column->width = 100;
        column->columnKind = kinds[i];
        table.results->resultColumns.push_back(column);
    }
    for (int i = 0; i < kRows; ++i) {
        auto row = std::make_shared<CCaseQueryDataRow>();
        const std::string name = std::string(kFirst[random() % 10]) + " " + kLast[random() % 8] + " "
                                 + std::to_string(random() % 1000);
        const int month = 1 + static_cast<int>(random() % 12);
        const int day = 1 + static_cast<int>(random() % 28);
        const int year = 2015 + static_cast<int>(random() % 12);
        const int hour = static_cast<int>(random() % 24);
        const int minute = static_cast<int>(random() % 60);
        char date[40];
        if (i % 2 == 0)
            std::snprintf(date, sizeof date, "%d/%d/%04d", month, day, year);
        else
            std::snprintf(date, sizeof date, "%d/%d/%04d %d:%02d %s", month, day, year,
                          hour % 12 == 0 ? 12 : hour % 12, minute, hour < 12 ? "AM" : "PM");
        const double amount = static_cast<double>(random() % 100000000) / 100.0;
        char money[40];
        std::snprintf(money, sizeof money, "$%.2f", amount);
        row->cells = {"A" + std::to_string(2600000 + i), name, date, money};
        table.results->rows.push_back(row);

        std::string folded = name;
        std::transform(folded.begin(), folded.end(), folded.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        table.names.push_back(folded);
        table.dates.push_back(((year * 13 + month) * 32 + day) * int64_t{1440}
                              + (i % 2 == 0 ? 0 : hour * 60 + minute));
        table.amounts.push_back(amount);
    }
    return table;
}

template <class T>
double ReferenceSort(std::vector<T> keys)
{
    return Milliseconds([&] { std::sort(keys.begin(), keys.end()); });
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Table table = MakeTable();
    const double nameRef = ReferenceSort(table.names);
    const double dateRef = ReferenceSort(table.dates);
    const double amountRef = ReferenceSort(table.amounts);

    CaseListModel model;
    model.SetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    // Loading sorts by the first shown column, the insured name.
    const double load = Milliseconds([&] { model.SetResults(std::move(table.results)); });

    std::printf("Case list, %d rows (milliseconds)\n", kRows);
    std::printf("load and first sort by the insured name: %.1f\n\n", load);
    std::printf("%-14s %12s %12s %14s %8s\n", "column", "first sort", "re-sort", "std::sort keys", "ratio");
    struct Column {
        const char* name;
        int shown;
        double reference;
    };
    const Column columns[] = {{"insured name", 0, nameRef}, {"due date", 1, dateRef}, {"premium", 2, amountRef}};
    for (const Column& column : columns) {
        const double first = Milliseconds([&] { model.SortBy(column.shown, false); });
        const double again = Milliseconds([&] { model.SortBy(column.shown, true); });
        std::printf("%-14s %12.1f %12.1f %14.1f %7.2fx\n", column.name, first, again, column.reference,
                    again / column.reference);
    }
    return 0;
}
