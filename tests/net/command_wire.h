#pragma once
// Helpers for the command tests: the wire items written out independently of the
// command layer (lines, integer lines and object envelopes built from archive calls), and
// a command layer whose readiness waits are recorded.

#include "codec/archive.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"
#include "net/inventory_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace command_wire {

// A record that writes whatever the test asks for.
class CWritten final : public CObject {
public:
    explicit CWritten(std::function<void(CArchive&)> write) : m_write(std::move(write)) {}
    void Serialize(CArchive& ar) override { m_write(ar); }

private:
    std::function<void(CArchive&)> m_write;
};

inline std::string Line(const std::string& text) { return text + "\r\n"; }
inline std::string Int(int value) { return std::to_string(value) + "\r\n"; }

// An object envelope of a plain (not enciphered) session.
inline std::string Envelope(const std::function<void(CArchive&)>& write)
{
    CWritten record(write);
    CServerSession encoder;
    CMemFile payload;
    EXPECT_TRUE(encoder.EncodePayload(record, payload));
    const std::string bytes = payload.ToString();
    return Int(static_cast<int>(bytes.size())) + bytes;
}

inline std::string Record(const CObject& record)
{
    return Envelope([&](CArchive& ar) { const_cast<CObject&>(record).Serialize(ar); });
}

inline std::string Text(const std::string& text)
{
    return Record(CStringObject(text));
}

inline std::string Strings(std::vector<std::string> texts)
{
    return Envelope([&](CArchive& ar) { ar.StringArray(texts); });
}

template <class T>
std::string RecordList(std::vector<T> records)
{
    return Envelope([&](CArchive& ar) { ar.RecordArray(records); });
}

template <class T>
std::string ObjectList(std::vector<std::shared_ptr<T>> objects)
{
    return Envelope([&](CArchive& ar) { ar.ObjectArray(objects); });
}

// The archive bytes of a record, for comparing records field by field.
inline std::string Stored(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(file, CArchive::store);
        write(ar);
        ar.Flush();
    }
    return file.ToString();
}

inline std::string Stored(const CObject& record)
{
    return Stored([&](CArchive& ar) { const_cast<CObject&>(record).Serialize(ar); });
}

template <class T>
std::string StoredList(std::vector<T> records)
{
    return Stored([&](CArchive& ar) { ar.RecordArray(records); });
}

// Records every readiness wait and cuts it to `waitCap` seconds: replies in these tests
// are on the socket at once, and one that never comes fails the test without the
// command's real time-out passing. A cap of 0 makes every wait time out at once.
class CRecordingServer : public CInventoryServer {
public:
    bool WaitReadable(int seconds, int microseconds) override
    {
        waits.push_back(seconds);
        return CInventoryServer::WaitReadable(std::min(seconds, waitCap), waitCap > 0 ? microseconds : 0);
    }

    // The time-outs waited with, in order, repeats folded into one.
    std::vector<int> Timeouts() const
    {
        std::vector<int> folded;
        for (int seconds : waits)
            if (folded.empty() || folded.back() != seconds)
                folded.push_back(seconds);
        return folded;
    }

    std::vector<int> waits;
    int waitCap = 10;
};

}  // namespace command_wire
