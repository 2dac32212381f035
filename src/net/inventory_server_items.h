#pragma once
// The building blocks of the command operations of CInventoryServer (not for other
// callers): a request that sends the command line and its argument items and remembers
// whether all of them went out, and the reply readers, which hand a record to the caller
// only once it has arrived whole.

#include "net/server_session.h"
#include "records/record_list.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace inventory_items {

// Sends a command line, then argument items in call order. Once one send has failed the
// later items are skipped, so nothing follows a broken item on the wire.
class CCommandRequest {
public:
    CCommandRequest(CServerSession& session, const char* word)
        : m_session(session), m_sent(session.SendCommand(word) > 0), m_commandSent(m_sent)
    {
    }

    CCommandRequest& Text(const std::string& text)
    {
        if (m_sent)
            m_sent = m_session.SendString(text);
        return *this;
    }

    CCommandRequest& Int(int32_t value)
    {
        if (m_sent)
            m_sent = m_session.SendInt(value) > 0;
        return *this;
    }

    // Storing archives only read the records they store, so the caller's constant
    // records can be serialized as they are.
    CCommandRequest& Record(const CObject& record)
    {
        if (m_sent)
            m_sent = m_session.SendObject(const_cast<CObject&>(record));
        return *this;
    }

    CCommandRequest& Texts(const std::vector<std::string>& texts)
    {
        if (!m_sent)
            return *this;
        CStringList item(texts);
        return Record(item);
    }

    template <class T>
    CCommandRequest& Records(const std::vector<T>& records)
    {
        if (!m_sent)
            return *this;
        CRecordList<T> item(records);
        return Record(item);
    }

    template <class T>
    CCommandRequest& Objects(const std::vector<std::shared_ptr<T>>& objects)
    {
        if (!m_sent)
            return *this;
        CObjectList<T> item(objects);
        return Record(item);
    }

    // Every item so far went out.
    bool Sent() const { return m_sent; }
    // The command line went out (the arguments may not have).
    bool CommandSent() const { return m_commandSent; }

private:
    CServerSession& m_session;
    bool m_sent;
    bool m_commandSent;
};

// A status line. False when it did not arrive whole.
inline bool ReceiveStatus(CServerSession& session, int32_t& status, int timeout)
{
    return session.ReceiveInt(status, timeout) > 0;
}

// A status line that must be 0.
inline bool ReceiveSuccess(CServerSession& session, int timeout)
{
    int32_t status = -1;
    return ReceiveStatus(session, status, timeout) && status == 0;
}

// The server's status, or `failed` when it did not arrive.
inline int ReceiveCode(CServerSession& session, int timeout, int failed)
{
    int32_t status = 0;
    return ReceiveStatus(session, status, timeout) ? status : failed;
}

// A record of class T; `out` is replaced only when it loaded.
template <class T>
bool ReceiveRecord(CServerSession& session, T& out, int timeout)
{
    T fresh{};
    if (!session.ReceiveObject(fresh, timeout))
        return false;
    out = std::move(fresh);
    return true;
}

template <class T>
bool ReceiveRecords(CServerSession& session, std::vector<T>& out, int timeout)
{
    CRecordList<T> fresh;
    if (!session.ReceiveObject(fresh, timeout))
        return false;
    out = std::move(fresh.items);
    return true;
}

inline bool ReceiveTexts(CServerSession& session, std::vector<std::string>& out, int timeout)
{
    CStringList fresh;
    if (!session.ReceiveObject(fresh, timeout))
        return false;
    out = std::move(fresh.items);
    return true;
}

template <class T>
bool ReceiveObjects(CServerSession& session, std::vector<std::shared_ptr<T>>& out, int timeout)
{
    CObjectList<T> fresh;
    if (!session.ReceiveObject(fresh, timeout))
        return false;
    out = std::move(fresh.items);
    return true;
}

}  // namespace inventory_items
