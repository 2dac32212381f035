// The table of dates that PostgreSQL's date columns cannot hold as day counts. A date
// is looked up first and added only when missing, so that reads that bind one add
// nothing; rows are never changed or removed, so a number read once may be kept.

#include "server/database.h"

int64_t CDatabase::OddDateNumber(int32_t status, int64_t bits)
{
    auto find = [&]() -> int64_t {
        CCachedStatement select = Prepare("SELECT DateID FROM OddDates WHERE Status = ? AND Bits = ?;");
        select->BindInt(1, status);
        select->BindInt(2, bits);
        return select->Step() ? select->ColumnInt(0) : 0;
    };
    if (const int64_t number = find(); number > 0)
        return number;
    {
        // Two servers may add the same date at once; the loser's insert does nothing.
        CCachedStatement insert =
            Prepare("INSERT INTO OddDates (Status, Bits) VALUES (?, ?) ON CONFLICT (Status, Bits) DO NOTHING;");
        insert->BindInt(1, status);
        insert->BindInt(2, bits);
        insert->Step();
        if (!insert->Done())
            return 0;
    }
    return find();
}

bool CDatabase::OddDate(int64_t number, int32_t& status, int64_t& bits)
{
    {
        std::lock_guard<std::mutex> lock(m_oddDatesMutex);
        if (auto found = m_oddDates.find(number); found != m_oddDates.end()) {
            status = found->second.first;
            bits = found->second.second;
            return true;
        }
    }
    CCachedStatement select = Prepare("SELECT Status, Bits FROM OddDates WHERE DateID = ?;");
    select->BindInt(1, number);
    if (!select->Step())
        return false;
    status = static_cast<int32_t>(select->ColumnInt(0));
    bits = select->ColumnInt(1);
    std::lock_guard<std::mutex> lock(m_oddDatesMutex);
    m_oddDates.emplace(number, std::make_pair(status, bits));
    return true;
}
