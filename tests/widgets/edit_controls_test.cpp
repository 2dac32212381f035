// The shared edit controls: how date, time and number texts are read, and the date
// field's keyboard behaviour.

#include "support/widget_application.h"
#include "widgets/date_text.h"
#include "widgets/masked_date_edit.h"
#include "widgets/masked_time_edit.h"
#include "widgets/number_edits.h"
#include "widgets/tri_state_check.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

TEST(DateText, ReadsEmptyValidAndInvalidTexts)
{
    struct Row { const char* text; DateFieldState state; CivilDate date; };
    const Row rows[] = {
        {"//", DateFieldState::empty, {}},
        {"__/__/____", DateFieldState::empty, {}},
        {"", DateFieldState::empty, {}},
        {"03/07/2025", DateFieldState::valid, {2025, 3, 7}},
        {"02/29/2024", DateFieldState::valid, {2024, 2, 29}},
        {"02/29/2025", DateFieldState::invalid, {}},  // not a leap year
        {"02/30/2025", DateFieldState::invalid, {}},  // never rolled over to March
        {"13/01/2025", DateFieldState::invalid, {}},
        {"00/10/2025", DateFieldState::invalid, {}},
        {"1/05/2025", DateFieldState::invalid, {}},   // incomplete
        {"12/31/202", DateFieldState::invalid, {}},
    };
    for (const Row& row : rows) {
        const DateFieldValue value = ReadDateText(QString::fromLatin1(row.text));
        EXPECT_EQ(value.state, row.state) << row.text;
        if (row.state == DateFieldState::valid) {
            EXPECT_EQ(value.date, row.date) << row.text;
        }
    }
}

TEST(DateText, ShowsDatesAndHidesNoDate)
{
    EXPECT_EQ(DateText(MakeDate({2025, 3, 7})), "03/07/2025");
    EXPECT_EQ(DateText(CDateTime{CDateTime::null, 45000}), "");
    EXPECT_EQ(DateText(CDateTime{CDateTime::valid, 0.0}), "");
    EXPECT_EQ(DateFieldDateTime(ReadDateText("02/30/2025")).status, CDateTime::null);
    EXPECT_EQ(DateFieldDateTime(ReadDateText("03/07/2025")), MakeDate({2025, 3, 7}));
}

TEST(DateText, NormalizesPastedDates)
{
    struct Row { const char* pasted; const char* expected; };
    const Row rows[] = {
        {"3/7/2025", "03/07/2025"}, {" 03/07/2025\n", "03/07/2025"}, {"03-07-2025", "03/07/2025"},
        {"2025-03-07", "03/07/2025"}, {"03072025", "03/07/2025"},
        {"02/30/2025", nullptr}, {"tomorrow", nullptr}, {"3/7/25", nullptr},
    };
    for (const Row& row : rows) {
        const std::optional<QString> normal = NormalizePastedDate(QString::fromLatin1(row.pasted));
        if (row.expected) {
            EXPECT_EQ(normal.value_or("?"), QString::fromLatin1(row.expected)) << row.pasted;
        } else {
            EXPECT_FALSE(normal) << row.pasted;
        }
    }
}

TEST(DateText, ReadsAndShowsTimes)
{
    struct Row { const char* text; DateFieldState state; int hour; int minute; };
    const Row rows[] = {
        {":  ", DateFieldState::empty, 0, 0},      {"09:30 AM", DateFieldState::valid, 9, 30},
        {"12:00 AM", DateFieldState::valid, 0, 0}, {"12:15 PM", DateFieldState::valid, 12, 15},
        {"01:05 PM", DateFieldState::valid, 13, 5}, {"13:00 PM", DateFieldState::invalid, 0, 0},
        {"10:60 AM", DateFieldState::invalid, 0, 0}, {"10:30 ", DateFieldState::invalid, 0, 0},
    };
    for (const Row& row : rows) {
        const TimeFieldValue value = ReadTimeText(QString::fromLatin1(row.text));
        EXPECT_EQ(value.state, row.state) << row.text;
        if (row.state == DateFieldState::valid) {
            EXPECT_EQ(value.hour, row.hour) << row.text;
            EXPECT_EQ(value.minute, row.minute) << row.text;
            EXPECT_EQ(ReadTimeText(TimeText(TimeFieldFraction(value))).hour, row.hour) << row.text;
        }
    }
}

TEST(NumberText, GivesTheFrameworkRangeMessages)
{
    int32_t code = -1;
    EXPECT_FALSE(CheckIntegerText("9999", 0, 9999, code));
    EXPECT_EQ(code, 9999);
    EXPECT_EQ(CheckIntegerText("10000", 0, 9999, code).value_or(""), "Please enter an integer between 0 and 9999.");
    EXPECT_EQ(CheckIntegerText("-1", 0, 9999, code).value_or(""), "Please enter an integer between 0 and 9999.");
    EXPECT_EQ(CheckIntegerText("", 0, 9999, code).value_or(""), "Please enter an integer.");
    double premium = 0;
    EXPECT_FALSE(CheckNumberText("-99999999999.99", -99999999999.99, 99999999999.99, premium));
    EXPECT_DOUBLE_EQ(premium, -99999999999.99);
    EXPECT_EQ(CheckNumberText("100000000000", -99999999999.99, 99999999999.99, premium).value_or(""),
              "Please enter a number between -99999999999.99 and 99999999999.99.");
    EXPECT_EQ(CheckNumberText("1e", -1, 1, premium).value_or(""), "Please enter a number.");
}

TEST(EditControls, DateFieldTypesPastesAndClears)
{
    WidgetApplication();
    CMaskedDateEdit edit;
    int edits = 0;
    QObject::connect(&edit, &CMaskedDateEdit::DateEdited, [&] { ++edits; });
    edit.SetDateTime(MakeDate({2024, 1, 2}));
    EXPECT_EQ(edits, 0);  // set by the program
    EXPECT_EQ(edit.text(), "01/02/2024");
    EXPECT_EQ(edit.State(), DateFieldState::valid);

    edit.Clear();
    EXPECT_EQ(edit.State(), DateFieldState::empty);
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "02302025");
    EXPECT_EQ(edit.State(), DateFieldState::invalid);
    EXPECT_TRUE(edit.property("invalidDate").toBool());
    EXPECT_GT(edits, 0);

    QApplication::clipboard()->setText(QStringLiteral("2025-03-07"));
    QTest::keySequence(&edit, QKeySequence::Paste);
    EXPECT_EQ(edit.text(), "03/07/2025");
    EXPECT_EQ(edit.DateTime(), MakeDate({2025, 3, 7}));

    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.State(), DateFieldState::empty);
    EXPECT_EQ(edit.DateTime().status, CDateTime::null);
}

TEST(EditControls, TriStateBoxesRoundTrip)
{
    WidgetApplication();
    QCheckBox box;
    for (int32_t value : {0, 1, 2}) {
        SetTriStateValue(box, value);
        EXPECT_EQ(TriStateValue(box), value);
    }
}
