#include "server/handlers/command_context.h"

#include "codec/mem_file.h"
#include "codec/string_object.h"

namespace {

// A record with no fields: its payload is an empty archive, from which no reply record
// of the catalogue loads.
class CNoRecord : public CObject {
public:
    void Serialize(CArchive&) override {}
};

}  // namespace

CCommandContext::CCommandContext(CServerSession& session, ServerContext& server, const SessionUser* user,
                                 SessionState& state, std::string word, int connectionId, std::string& endReason)
    : m_session(session), m_server(server), m_user(user), m_state(state), m_word(std::move(word)),
      m_connectionId(connectionId), m_endReason(endReason)
{
}

void CCommandContext::Log(const std::string& message)
{
    m_server.log.Write("#" + std::to_string(m_connectionId) + " " + message);
}

bool CCommandContext::Fail(const std::string& reason)
{
    m_endReason = m_word + ": " + reason;
    return false;
}

bool CCommandContext::ReadText(std::string& text, const char* what)
{
    CStringObject object;
    if (!ReadRecord(object, what))
        return false;
    text = object.GetText();
    return true;
}

bool CCommandContext::ReadInt(int32_t& value, const char* what)
{
    if (m_session.ReceiveInt(value, m_server.options.ItemTimeout()) <= 0)
        return Fail(std::string("no usable ") + what + " line");
    return true;
}

bool CCommandContext::ReadRecord(CObject& record, const char* what)
{
    CMemFile payload;
    const int status = m_session.ReceiveRaw(payload, m_server.options.ItemTimeout());
    if (status != CServerSession::transferDone)
        return Fail(std::string("no usable ") + what + " (transfer status " + std::to_string(status) + ")");
    if (!m_session.DecodePayload(payload, record))
        return Fail(std::string("a ") + what + " payload that cannot be decoded");
    return true;
}

bool CCommandContext::ReplyStatus(int status)
{
    if (status != 0)
        Log(m_word + " refused (" + std::to_string(status) + ")");
    if (m_session.SendInt(status) < 1)
        return Fail("cannot send the status");
    return true;
}

bool CCommandContext::ReplyRecord(CObject& record)
{
    if (!m_session.SendObject(record))
        return Fail("cannot send the reply");
    return true;
}

bool CCommandContext::ReplyText(const std::string& text)
{
    if (!m_session.SendString(text))
        return Fail("cannot send the reply");
    return true;
}

bool CCommandContext::ReplyBoundedRecord(CObject& record)
{
    CMemFile payload(CServerSession::kMemFileGrowth);
    if (!m_session.EncodePayload(record, payload)) {
        Log(m_word + ": the reply cannot be encoded");
        return ReplyNoRecord();
    }
    const int64_t limit = m_server.options.maxReportBytes;
    if (static_cast<int64_t>(payload.GetLength()) > limit) {
        Log(m_word + ": the reply of " + std::to_string(payload.GetLength()) + " bytes is larger than --max-report (" +
            std::to_string(limit) + ")");
        return ReplyNoRecord();
    }
    if (m_session.SendRaw(payload) != CServerSession::transferDone)
        return Fail("cannot send the reply");
    return true;
}

bool CCommandContext::ReplyNoRecord()
{
    Log(m_word + " refused");
    CNoRecord nothing;
    return ReplyRecord(nothing);
}
