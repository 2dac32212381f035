#include "net/server_session.h"

#include "codec/archive.h"
#include "codec/ox_compressed_file.h"
#include "codec/string_object.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdio>

namespace {

// Decimal parse in the manner of atoi (leading white space, optional sign, digits up to
// the first other character, 0 without digits), except that values beyond int32 are
// clamped rather than overflowing.
int32_t ParseDecimal(const char* text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (std::isspace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; std::isdigit(*p); ++p)
        magnitude = std::min(kLimit, magnitude * 10 + (*p - '0'));
    if (negative)
        return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min(magnitude, kLimit - 1));
}

}  // namespace

CServerSession::CServerSession()
{
    m_cipher.SetKey(m_keyText, kWireKeyLength);
}

int CServerSession::SendLine(const std::string& text)
{
    const std::string line = text + "\r\n";
    const int sent = Send(line);
    return sent == static_cast<int>(line.size()) ? sent : kSocketError;
}

int CServerSession::SendCommand(const std::string& word)
{
    return SendLine(word);
}

int CServerSession::SendTextLine(const std::string& text)
{
    if (text.find_first_of("\r\n") != std::string::npos)
        return kSocketError;
    return SendLine(text);
}

int CServerSession::SendInt(int32_t value)
{
    if (!IsAlive())
        return kSocketError;
    char line[24];
    const int length = std::snprintf(line, sizeof line, "%d\r\n", value);
    const int sent = Send(line, length);
    return sent == length ? sent : kSocketError;
}

int CServerSession::ReceiveInt(int32_t& value, int timeoutSeconds)
{
    char line[kIntLineBuffer];
    const int count = ReadLine(line, sizeof line, ResolveTimeout(timeoutSeconds));
    if (count <= 0)
        return count;
    // A line cut short (too long, time-out, peer closed) is not an integer item: taking
    // its digits would put the rest of the line where the next item is expected.
    if (count < 2 || line[count - 2] != '\r' || line[count - 1] != '\n')
        return kSocketError;
    value = ParseDecimal(line);
    return count;
}

bool CServerSession::ReceiveTextLine(std::string& text, int bufferSize, int timeoutSeconds)
{
    if (bufferSize < 3)
        return false;
    std::string buffer(static_cast<size_t>(bufferSize), '\0');
    const int count = ReadLine(buffer.data(), bufferSize, ResolveTimeout(timeoutSeconds));
    if (count < 2 || buffer[count - 2] != '\r' || buffer[count - 1] != '\n')
        return false;
    text.assign(buffer.data(), static_cast<size_t>(count - 2));
    return true;
}

int CServerSession::SendRaw(CByteStream& source)
{
    if (!IsAlive())
        return transferDeadBeforeSend;
    uint64_t length = 0;
    try {
        length = source.Remaining();
    } catch (...) {
        return transferBroken;
    }
    if (length > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return transferBroken;  // not expressible as a length line
    BeginProgressItem(static_cast<int64_t>(length));
    if (SendInt(static_cast<int32_t>(length)) < 1)
        return transferBroken;

    char piece[kMaxPiece];
    uint64_t sent = 0;
    while (sent < length) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(length - sent, kMaxPiece));
        size_t got = 0;
        try {
            got = source.Read(piece, want);
        } catch (...) {
            got = 0;
        }
        if (got == 0)
            return transferSendFailed;  // the source ran dry before the announced length
        if (Send(piece, static_cast<int>(got)) != static_cast<int>(got))
            return ProgressStopped() ? transferSendStopped : transferSendFailed;
        sent += got;
        // Stopping leaves the peer short of announced bytes; the connection cannot go on
        // and must not be reported as a finished transfer.
        if (OnSendProgress(static_cast<int64_t>(sent)) == 0)
            return transferSendStopped;
    }
    return transferDone;
}

int CServerSession::ReceiveRaw(CByteStream& sink, int timeoutSeconds)
{
    const int timeout = ResolveTimeout(timeoutSeconds);
    // With whole-item time-outs the length line and every payload byte must arrive
    // within the one time-out.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::max(timeout, 0));
    int32_t length = 0;
    BeginProgressItem(-1);
    if (ReceiveInt(length, timeout) <= 0)
        return ProgressStopped() ? transferReceiveStopped : transferBroken;
    if (length < 0 || length > m_limits.maxPayloadBytes)
        return transferBroken;
    BeginProgressItem(length);

    char piece[kMaxPiece];
    int64_t received = 0;
    while (received < length) {
        if (timeout > 0 && (HasWholeItemTimeouts() ? WaitReadableUntil(deadline) : WaitReadable(timeout, 0)))
            return ProgressStopped() ? transferReceiveStopped : transferTimedOut;
        const int want = static_cast<int>(std::min<int64_t>(length - received, kMaxPiece));
        const int got = ReceiveNow(piece, want);
        if (got <= 0)
            return transferBroken;  // closed early, or the receive failed
        try {
            sink.Write(piece, static_cast<size_t>(got));
        } catch (...) {
            return transferBroken;
        }
        received += got;
        if (OnReceiveProgress(received) == 0)
            return transferReceiveStopped;
    }
    return transferDone;
}

bool CServerSession::EncodePayload(CObject& record, CMemFile& payload)
{
    try {
        CMemFile compressed(kMemFileGrowth);
        CMemFile& target = m_encrypted ? compressed : payload;
        {
            COXCompressedFile packer;
            packer.SetSearch(COXCompressedFile::searchChains);  // the fast coder for payloads
            if (!packer.Open(target, COXCompressedFile::modeWrite))
                return false;
            CArchive archive(packer, CArchive::store, kArchiveBuffer);
            record.Serialize(archive);
            archive.Flush();
            packer.Close();
        }
        if (m_encrypted) {
            compressed.SeekToBegin();
            m_cipher.Encipher(compressed, payload);
        }
        payload.SeekToBegin();
        return true;
    } catch (...) {
        return false;
    }
}

bool CServerSession::DecodePayload(CMemFile& payload, CObject& record)
{
    m_lastDecodeTooLarge = false;
    try {
        payload.SeekToBegin();
        CMemFile deciphered(kMemFileGrowth);
        CByteStream* compressed = &payload;
        if (m_encrypted) {
            m_cipher.Decipher(payload, deciphered);
            deciphered.SeekToBegin();
            compressed = &deciphered;
        }
        COXCompressedFile unpacker;
        if (!unpacker.Open(*compressed, COXCompressedFile::modeRead))
            return false;
        const uint64_t plainLength = unpacker.GetLength();
        if (plainLength > m_limits.maxObjectBytes) {
            m_lastDecodeTooLarge = true;
            return false;
        }
        ReaderLimits readerLimits;
        readerLimits.maxMaterialisedBytes =
            std::min(m_limits.maxMaterialisedBytes, plainLength + m_limits.maxReferencedBytes);
        readerLimits.maxMaterialisedObjects = m_limits.maxMaterialisedObjects;
        CArchive archive(unpacker, CArchive::load, kArchiveBuffer, nullptr, readerLimits);
        record.Serialize(archive);
        unpacker.Close();
        return true;
    } catch (...) {
        // Format errors, unknown classes, short data and memory exhaustion all end here.
        return false;
    }
}

bool CServerSession::SendObject(CObject& record)
{
    CMemFile payload(kMemFileGrowth);
    if (!EncodePayload(record, payload))
        return false;
    return SendRaw(payload) == transferDone;
}

bool CServerSession::ReceiveObject(CObject& record, int timeoutSeconds)
{
    try {
        CMemFile payload(kMemFileGrowth);
        if (ReceiveRaw(payload, timeoutSeconds) != transferDone)
            return false;
        return DecodePayload(payload, record);
    } catch (...) {
        return false;
    }
}

bool CServerSession::SendString(const std::string& text)
{
    CStringObject object(text);
    return SendObject(object);
}

bool CServerSession::ReceiveString(std::string& text, int timeoutSeconds)
{
    CStringObject object;
    if (!ReceiveObject(object, timeoutSeconds))
        return false;
    text = object.GetText();
    return true;
}

int CServerSession::CreateSession(const std::string& clientType, int32_t version)
{
    // Each new session starts plain; only this server's answer of 1 enciphers it. A
    // flag kept from an earlier session would encipher payloads that this server
    // expects plain (after logging out of one server and into another, say).
    m_encrypted = false;
    if (SendCommand("CREATESESSION") < 1 || SendTextLine(clientType) < 1 || SendInt(version) < 1)
        return kExchangeFailed;
    int32_t result = 0;
    if (ReceiveInt(result, -1) <= 0)
        return kExchangeFailed;
    if (result == 1) {
        EnableEncryption();
        return 0;
    }
    return result;
}

int CServerSession::OpenSession(const std::string& userId, const std::string& password)
{
    if (SendCommand("OPENSESSION") < 1 || !SendString(userId) || !SendString(password))
        return kExchangeFailed;
    int32_t result = 0;
    if (ReceiveInt(result, -1) <= 0)
        return kExchangeFailed;
    return result;
}

void CServerSession::CloseSession()
{
    SendCommand("CLOSESESSION");
}
