#include "net/server_session.h"

#include "codec/archive.h"
#include "codec/ox_compressed_file.h"
#include "codec/string_object.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

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

// Tells a progress hook of the bytes from `before` to `after` of a transfer of `total`:
// once at every piece boundary passed, and at the end when it is not a boundary itself.
// Returns the count the hook answered 0 to, or -1 when it let the transfer go on.
template <class Hook>
int64_t ReportPieces(int64_t before, int64_t after, int64_t total, Hook hook)
{
    constexpr int64_t kPiece = CServerSession::kMaxPiece;
    for (int64_t count = (before / kPiece + 1) * kPiece; count <= after; count += kPiece) {
        if (hook(count) == 0)
            return count;
    }
    if (after == total && after > before && after % kPiece != 0 && hook(after) == 0)
        return after;
    return -1;
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
    char line[24];
    const int lineLength = std::snprintf(line, sizeof line, "%d\r\n", static_cast<int32_t>(length));

    size_t lineLeft = static_cast<size_t>(lineLength);  // of the length line, not yet written
    int64_t sent = 0;                                   // payload bytes written
    const auto total = static_cast<int64_t>(length);
    // Writes all the bytes (a blocking send() takes them all unless a signal or the
    // send time-out cuts it short) and reports the payload bytes among them.
    const auto writeAll = [&](const char* bytes, size_t count) {
        while (count > 0) {
            const int written = Send(bytes, static_cast<int>(count));
            if (written <= 0) {
                if (ProgressStopped())
                    return transferSendStopped;
                return lineLeft > 0 ? transferBroken : transferSendFailed;
            }
            const auto n = static_cast<size_t>(written);
            bytes += n;
            count -= n;
            const size_t ofLine = std::min(n, lineLeft);
            lineLeft -= ofLine;
            const int64_t before = sent;
            sent += static_cast<int64_t>(n - ofLine);
            // Stopping leaves the peer short of announced bytes; the connection cannot
            // go on and must not be reported as a finished transfer.
            if (ReportPieces(before, sent, total, [this](int64_t soFar) { return OnSendProgress(soFar); }) >= 0)
                return transferSendStopped;
        }
        return transferDone;
    };

    // The first chunk carries the length line and the first payload bytes, so that a
    // small item leaves in one send(). After it, a memory file is sent straight from
    // its buffer and any other source through the chunk buffer.
    auto* memory = dynamic_cast<CMemFile*>(&source);
    const size_t bufferSize = static_cast<size_t>(std::min<uint64_t>(lineLength + length, kTransferChunk));
    const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
    std::memcpy(buffer.get(), line, static_cast<size_t>(lineLength));
    size_t filled = static_cast<size_t>(lineLength);
    uint64_t taken = 0;  // payload bytes taken from the source
    for (bool first = true; first || taken < length; first = false) {
        const char* bytes = buffer.get();
        size_t count = 0;
        bool dry = false;
        if (memory != nullptr && !first) {
            const uint64_t at = memory->GetPosition();
            count = static_cast<size_t>(std::min<uint64_t>(length - taken, kTransferChunk));
            bytes = reinterpret_cast<const char*>(memory->Data()) + at;
            memory->Seek(at + count);
        } else {
            const size_t want = static_cast<size_t>(std::min<uint64_t>(length - taken, bufferSize - filled));
            size_t got = 0;
            try {
                while (got < want) {
                    const size_t n = source.Read(buffer.get() + filled + got, want - got);
                    if (n == 0)
                        break;
                    got += n;
                }
            } catch (...) {
            }
            dry = got < want;  // the source ran dry before the announced length
            count = filled + got;
            filled = 0;
        }
        taken += count - (first ? static_cast<size_t>(lineLength) : 0);
        const int status = writeAll(bytes, count);
        if (status != transferDone)
            return status;
        if (dry)
            return transferSendFailed;
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

    // Each receive asks for no more than the payload still due, so the bytes of the
    // next item stay on the socket.
    const size_t bufferSize = std::min<size_t>(static_cast<size_t>(length), kTransferChunk);
    const auto buffer = std::make_unique_for_overwrite<char[]>(std::max<size_t>(bufferSize, 1));
    int64_t received = 0;
    while (received < length) {
        if (timeout > 0 && (HasWholeItemTimeouts() ? WaitReadableUntil(deadline) : WaitReadable(timeout, 0)))
            return ProgressStopped() ? transferReceiveStopped : transferTimedOut;
        const int want = static_cast<int>(std::min<int64_t>(length - received, static_cast<int64_t>(bufferSize)));
        const int got = ReceiveNow(buffer.get(), want);
        if (got <= 0)
            return transferBroken;  // closed early, or the receive failed
        // A stop leaves in the sink exactly the bytes up to the count it answered.
        const int64_t stoppedAt = ReportPieces(received, received + got, length,
                                               [this](int64_t soFar) { return OnReceiveProgress(soFar); });
        const int64_t kept = stoppedAt >= 0 ? stoppedAt : received + got;
        try {
            sink.Write(buffer.get(), static_cast<size_t>(kept - received));
        } catch (...) {
            return transferBroken;
        }
        received = kept;
        if (stoppedAt >= 0)
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
