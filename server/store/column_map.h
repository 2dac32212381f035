#pragma once
// Moving records between their fields and the columns of one table row: each column is
// named once, with the field it holds, and the map writes the column lists, the
// placeholders and the bindings of INSERT and UPDATE statements and reads rows back.
//
// Field types and their columns: texts as TEXT (byte for byte), int32 and bool as
// INTEGER, doubles as REAL, dates as described at BindDate.

#include "codec/date_time.h"
#include "server/database.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A date as one column: a valid date with a finite day count (other than -0) is a REAL
// day count, "no date" (null status with day count 0) is NULL, and every other value
// (an invalid date, or a day count that a REAL cannot carry exactly) a text
// "status:hex-float", so that any date read from the wire comes back unchanged.
// PostgreSQL's REAL columns hold only numbers: there every other value is kept whole in
// the database's table of odd dates and the column holds 2^1000 + n * 2^948 for its
// number n there. That is above every ordinary day count (a valid date from 2^1000 up is
// kept as an odd one too), so these dates sort after all others, as texts do on SQLite.
void BindDate(CStatement& statement, int index, const CDateTime& date);
CDateTime ReadDate(const CStatement& statement, int index);

// An amount that the server carries without reading it: its 64 bits as an INTEGER.
int64_t DoubleBits(double value);
double DoubleFromBits(int64_t bits);

void BindValue(CStatement& statement, int index, const std::string& value);
void BindValue(CStatement& statement, int index, int32_t value);
void BindValue(CStatement& statement, int index, bool value);
void BindValue(CStatement& statement, int index, double value);
void BindValue(CStatement& statement, int index, const CDateTime& value);
void ReadValue(const CStatement& statement, int index, std::string& value);
void ReadValue(const CStatement& statement, int index, int32_t& value);
void ReadValue(const CStatement& statement, int index, bool& value);
void ReadValue(const CStatement& statement, int index, double& value);
void ReadValue(const CStatement& statement, int index, CDateTime& value);

// Equality as the store sees it: texts byte for byte, doubles and dates bit for bit.
inline bool SameValue(const std::string& a, const std::string& b) { return a == b; }
inline bool SameValue(int32_t a, int32_t b) { return a == b; }
inline bool SameValue(bool a, bool b) { return a == b; }
inline bool SameValue(double a, double b) { return DoubleBits(a) == DoubleBits(b); }
inline bool SameValue(const CDateTime& a, const CDateTime& b)
{
    return a.status == b.status && DoubleBits(a.date) == DoubleBits(b.date);
}

template <class Record>
class CColumnMap {
public:
    // A column holding a member of the record.
    template <class T>
    CColumnMap& Add(std::string column, T Record::*member)
    {
        return Add<T>(std::move(column), [member](auto& record) -> auto& { return record.*member; });
    }

    // A column holding what `access(record)` refers to: a callable taking the record by
    // reference (const or not) and returning a reference to a field of type T.
    template <class T, class Access>
    CColumnMap& Add(std::string column, Access access)
    {
        m_columns.push_back(
            {std::move(column),
             [access](CStatement& statement, int index, const Record& record) {
                 const T& value = access(record);
                 BindValue(statement, index, value);
             },
             [access](const CStatement& statement, int index, Record& record) {
                 T& value = access(record);
                 ReadValue(statement, index, value);
             },
             [access](const Record& a, const Record& b) {
                 const T& left = access(a);
                 const T& right = access(b);
                 return SameValue(left, right);
             }});
        return *this;
    }

    // A double the server carries without reading it, kept bit for bit (as INTEGER).
    CColumnMap& AddBits(std::string column, double Record::*member)
    {
        m_columns.push_back(
            {std::move(column),
             [member](CStatement& statement, int index, const Record& record) {
                 statement.BindInt(index, DoubleBits(record.*member));
             },
             [member](const CStatement& statement, int index, Record& record) {
                 record.*member = DoubleFromBits(statement.ColumnInt(index));
             },
             [member](const Record& a, const Record& b) { return SameValue(a.*member, b.*member); }});
        return *this;
    }

    size_t Size() const { return m_columns.size(); }

    // "A, B, C" (with a prefix before each name, such as "c.")
    std::string Names(const std::string& prefix = {}) const
    {
        std::string names;
        for (const Column& column : m_columns) {
            if (!names.empty())
                names += ", ";
            names += prefix + column.name;
        }
        return names;
    }
    // "?, ?, ?"
    std::string Placeholders() const
    {
        std::string marks;
        for (size_t i = 0; i < m_columns.size(); ++i)
            marks += i == 0 ? "?" : ", ?";
        return marks;
    }
    // "A = ?, B = ?"
    std::string Assignments() const
    {
        std::string list;
        for (const Column& column : m_columns) {
            if (!list.empty())
                list += ", ";
            list += column.name + " = ?";
        }
        return list;
    }

    // Binds the record's fields to the parameters first, first + 1, ...
    void Bind(CStatement& statement, int first, const Record& record) const
    {
        for (size_t i = 0; i < m_columns.size(); ++i)
            m_columns[i].bind(statement, first + static_cast<int>(i), record);
    }
    // Reads the fields from the result columns first, first + 1, ...
    void Read(const CStatement& statement, int first, Record& record) const
    {
        for (size_t i = 0; i < m_columns.size(); ++i)
            m_columns[i].read(statement, first + static_cast<int>(i), record);
    }

    // The names of the columns whose fields differ between the two records.
    std::vector<std::string> Differences(const Record& a, const Record& b) const
    {
        std::vector<std::string> names;
        for (const Column& column : m_columns)
            if (!column.equal(a, b))
                names.push_back(column.name);
        return names;
    }

private:
    struct Column {
        std::string name;
        std::function<void(CStatement&, int, const Record&)> bind;
        std::function<void(const CStatement&, int, Record&)> read;
        std::function<bool(const Record&, const Record&)> equal;
    };
    std::vector<Column> m_columns;
};
