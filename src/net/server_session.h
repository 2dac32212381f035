#pragma once
// The conversation with the inventory server over one CClientSocket: command words and
// integers as CR LF text lines, and records as length-prefixed payloads that are
// archived, compressed and, once the session is enciphered, enciphered. The inventory
// server runs the same class over each accepted connection for its side of every item.
// Nothing here throws: failures are return values.

#include "codec/mem_file.h"
#include "codec/payload_cipher.h"
#include "codec/wire_key.h"
#include "net/client_socket.h"

#include <cstdint>
#include <limits>
#include <string>

class CObject;
class CByteStream;

// Bounds on what a receiving session accepts, so that a hostile or broken peer cannot
// make it allocate without limit.
struct SessionLimits {
    // Largest payload length line accepted; a larger one fails the receive (status 4)
    // before any payload byte is read.
    int64_t maxPayloadBytes = std::numeric_limits<int32_t>::max();
    // Largest archive (after deciphering and expanding) that an object receive loads.
    uint64_t maxObjectBytes = uint64_t{1} << 30;
    // What the loaded records may stand for, counting each reference to an object
    // already loaded as another copy of it (see ReaderLimits).
    uint64_t maxMaterialisedBytes = uint64_t{1} << 30;
    // Of those, what references may add beyond the archive's own length: records sent
    // by a client hold each object once, so a little suffices.
    uint64_t maxReferencedBytes = uint64_t{1} << 26;
    uint64_t maxMaterialisedObjects = uint64_t{1} << 22;
};

class CServerSession : public CClientSocket {
public:
    static constexpr int kDefaultTimeoutSeconds = 300;
    static constexpr const char* kCipherKeyText = kWireKeyText;
    // Payload bytes are counted in pieces of 255: the progress hooks hear of every piece
    // boundary a transfer passes. The bytes themselves move in chunks of up to
    // kTransferChunk per send() and recv(), with identical bytes on the wire.
    static constexpr int kMaxPiece = 255;
    static constexpr size_t kTransferChunk = 256 * 1024;
    static constexpr int kIntLineBuffer = 64;      // an integer line holds at most 63 bytes
    static constexpr size_t kMemFileGrowth = 1024;
    static constexpr size_t kArchiveBuffer = 4096;

    // The client-type word and version the office client opens its sessions with.
    static constexpr const char* kOfficeClientType = "OFFICECLIENT";
    static constexpr int32_t kOfficeClientVersion = 107;

    // The client's own code for a CREATESESSION or OPENSESSION exchange that broke down.
    static constexpr int kExchangeFailed = -10;

    // Results of SendRaw and ReceiveRaw.
    enum TransferStatus {
        transferDone = 0,             // every announced byte moved
        transferDeadBeforeSend = -1,  // the liveness probe found the connection dead
        transferSendFailed = 2,       // a send of payload bytes failed or fell short
        transferTimedOut = 3,         // no payload bytes arrived within the time-out
        transferBroken = 4,           // length line failed or out of bounds, a receive
                                      // failed, or the peer closed before the end
        transferSendStopped = 5,      // the send progress hook asked to stop
        transferReceiveStopped = 6,   // the receive progress hook asked to stop
    };

    CServerSession();

    // --- Line items ----------------------------------------------------------------
    // The word and CR LF in one send. Returns the count sent, or -1 (also when the send
    // fell short, which would leave half a line on the wire).
    int SendCommand(const std::string& word);
    // A plain text line; a text holding CR or LF is refused (-1) since it would split
    // into several items on the wire.
    int SendTextLine(const std::string& text);
    // "%d\r\n" after a liveness probe; -1 when the connection is dead or the send failed.
    int SendInt(int32_t value);
    // Reads an integer line (-1 = default time-out). Returns the line length (> 0) and
    // stores the value; 0 or less on failure, including a line that did not end in
    // CR LF, with the value untouched.
    int ReceiveInt(int32_t& value, int timeoutSeconds = -1);
    // Reads one CR LF line of at most bufferSize - 1 bytes and returns its text without
    // the CR LF. False, with the text untouched, when no complete line arrived.
    bool ReceiveTextLine(std::string& text, int bufferSize, int timeoutSeconds = -1);

    // --- Payloads ------------------------------------------------------------------
    // Sends the rest of the source (from its current position) as a length line and the
    // payload bytes, the line and the first bytes in one send(). The send progress hook
    // hears the running count at every 255-byte boundary (and at the end) once the bytes
    // up to it are written; an answer of 0 sends nothing more (transferSendStopped).
    // Returns a TransferStatus.
    int SendRaw(CByteStream& source);
    // Receives one length-prefixed payload into the sink, never reading past its end.
    // The receive progress hook hears the running count at every 255-byte boundary (and
    // at the end) once the bytes up to it are in the sink; an answer of 0 stops with
    // exactly those bytes in the sink (transferReceiveStopped). Returns a TransferStatus.
    int ReceiveRaw(CByteStream& sink, int timeoutSeconds = -1);

    // Builds the payload of a record (archive, compression, cipher when enciphered) into
    // `payload`, or decodes one into the record. False on any failure; never throws.
    bool EncodePayload(CObject& record, CMemFile& payload);
    bool DecodePayload(CMemFile& payload, CObject& record);
    // True when the last DecodePayload failed only because the archive is longer than
    // maxObjectBytes once expanded (nothing of it was expanded).
    bool LastDecodeTooLarge() const { return m_lastDecodeTooLarge; }

    bool SendObject(CObject& record);
    // The record may be partly filled when this returns false; callers discard it.
    bool ReceiveObject(CObject& record, int timeoutSeconds = -1);
    bool SendString(const std::string& text);
    bool ReceiveString(std::string& text, int timeoutSeconds = -1);

    // --- Session exchanges -----------------------------------------------------------
    // The server's result (a result of 1 enciphers the session and returns 0), or -10.
    // The session is plain until the answer says otherwise, whatever came before.
    virtual int CreateSession(const std::string& clientType, int32_t version);
    // The server's result (0 = open), or -10.
    virtual int OpenSession(const std::string& userId, const std::string& password);
    // Sends CLOSESESSION and reads nothing back.
    virtual void CloseSession();

    // From now on every payload in both directions is enciphered; the peer switches at
    // the same point in the conversation. Only a new CreateSession starts plain again.
    void EnableEncryption() { m_encrypted = true; }
    bool IsEncrypted() const { return m_encrypted; }

    int GetDefaultTimeout() const { return m_defaultTimeout; }
    void SetLimits(const SessionLimits& limits) { m_limits = limits; }
    const SessionLimits& GetLimits() const { return m_limits; }

private:
    int ResolveTimeout(int timeoutSeconds) const
    {
        return timeoutSeconds == -1 ? m_defaultTimeout : timeoutSeconds;
    }
    int SendLine(const std::string& text);

    int m_defaultTimeout = kDefaultTimeoutSeconds;
    bool m_encrypted = false;
    std::string m_keyText = kCipherKeyText;
    CPayloadCipher m_cipher;
    SessionLimits m_limits;
    bool m_lastDecodeTooLarge = false;
};
