#pragma once
// The one TCP connection to the inventory server: a thin, blocking IPv4 stream socket
// with connect, close, single sends and receives, a readiness wait, a CR LF line reader
// that never takes bytes of the next item, a liveness probe, and two progress hooks.
// Nothing here throws; every operation reports by its return value.

#include <netinet/in.h>

#include "net/socket_layer.h"
#include "net/tls_transport.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CClientSocket {
public:
    static constexpr int kInvalidSocket = -1;
    static constexpr int kSocketError = -1;
    static constexpr int kDefaultIoTimeoutMs = 30000;
    static constexpr size_t kMaxHostAddressLength = 35;

    // Results of ConnectByName and Connect.
    enum ConnectResult {
        connectOk = 0,
        connectAlreadyConnected = 1,
        connectNoAddressOrSocket = 2,  // the name did not resolve, or no socket could be made
        connectFailed = 3,             // refused or otherwise failed
    };

    // Bits of the Close result.
    enum CloseFailure { closeShutdownFailed = 1, closeCloseFailed = 2 };

    // A progress hook gets the running byte count of a transfer and answers 0 to stop
    // it or anything else to go on.
    using ProgressHook = std::function<int(int64_t byteCount)>;

    CClientSocket();
    virtual ~CClientSocket();
    CClientSocket(const CClientSocket&) = delete;
    CClientSocket& operator=(const CClientSocket&) = delete;

    // Host name or dotted IPv4 address. A dotted address is used as it is; a name is
    // resolved first, and one that does not resolve gives 2 without creating a socket.
    int ConnectByName(const std::string& host, int port);
    int Connect(int port, const std::string& dottedAddress, int family = AF_INET,
                int type = SOCK_STREAM);
    // Takes over an already connected stream socket (an accepted connection). Fails and
    // leaves everything unchanged when this object is connected or the descriptor is
    // invalid; the descriptor then still belongs to the caller.
    bool Adopt(int descriptor);
    // Shuts down both directions and closes. Returns the CloseFailure bits; the handle is
    // invalid afterwards in every case.
    int Close();

    // One send() of the bytes, without SIGPIPE. A length of 0 or less sends the text up
    // to its terminating zero. Returns the count that send() returned, or -1.
    int Send(const char* bytes, int length);
    int Send(const std::string& bytes);

    // True when the socket does NOT become readable within the time (time-out or error).
    // End of stream and socket errors count as readable, as with select().
    virtual bool WaitReadable(int seconds, int microseconds);

    // When timeoutSeconds > 0, first waits that long for readability and returns 0 if it
    // does not come. Then one recv(): bytes read, 0 when the peer closed, -1 on error.
    int Receive(void* buffer, int size, int timeoutSeconds);
    // Receive without a wait.
    int ReceiveNow(void* buffer, int size) { return Receive(buffer, size, 0); }

    // With whole-item time-outs on, the time-out given to ReadLine counts from its start
    // to the end of the line, not from each chunk: a peer that trickles one byte at a
    // time cannot stretch one item without end. Off by default.
    void SetWholeItemTimeouts(bool on) { m_wholeItemTimeouts = on; }
    bool HasWholeItemTimeouts() const { return m_wholeItemTimeouts; }
    // Like WaitReadable, but until a point in time; true when it passed first.
    bool WaitReadableUntil(std::chrono::steady_clock::time_point deadline);

    // With a TLS configuration, every later Connect runs the TLS handshake right after
    // the TCP connect and fails (connectFailed) when it does not succeed; TlsError()
    // tells why. std::nullopt connects plainly (the default).
    void SetTlsClient(std::optional<TlsClientConfig> config) { m_tlsClient = std::move(config); }
    bool UsesTls() const { return m_layer != nullptr; }
    const std::string& TlsError() const { return m_tlsError; }
    // Puts a layer (a server's TLS connection) between the socket and the conversation.
    void SetLayer(std::unique_ptr<CSocketLayer> layer) { m_layer = std::move(layer); }
    // Hands the layer over (to be wrapped in another one, say); none is left.
    std::unique_ptr<CSocketLayer> TakeLayer() { return std::move(m_layer); }

    // Switches blocking mode; returns true when the switch FAILED.
    bool SetNonBlocking(bool on);

    // Reads one line ending in CR LF into the buffer, which is always zero-terminated.
    // Peeks first and consumes only what the line uses, so bytes after the line stay on
    // the socket. Returns the count stored (CR LF included), which is short of a full
    // line when the buffer filled up, the time-out passed or the peer closed.
    int ReadLine(char* buffer, int size, int timeoutSeconds);

    // Probes the connection without consuming data: false once the peer has closed or
    // the socket has failed, true while it is usable (also when data is waiting).
    bool IsAlive();

    // The installed hook's answer, or 1 (go on) without a hook. A hook that answers 0
    // stops the transfer and closes the connection: a payload cut short leaves the
    // conversation out of step, so nothing more can be said on it.
    virtual int OnReceiveProgress(int64_t byteCount);
    virtual int OnSendProgress(int64_t byteCount);
    void SetReceiveProgressHook(ProgressHook hook) { m_receiveHook = std::move(hook); }
    void SetSendProgressHook(ProgressHook hook) { m_sendHook = std::move(hook); }
    const ProgressHook& ReceiveProgressHook() const { return m_receiveHook; }
    const ProgressHook& SendProgressHook() const { return m_sendHook; }
    // While a hook is installed, a readiness wait (for a reply, say) and a send into a
    // full buffer call it this often with the count it was last given, so that a long
    // wait can repaint a window and be stopped.
    static constexpr int kProgressTickMs = 100;
    // True once a hook stopped a transfer (the connection was closed then); cleared by
    // the next connect.
    bool ProgressStopped() const { return m_progressStopped; }
    // A payload of `total` bytes starts moving (-1 while its length is not known yet):
    // the counts the hooks are given start again from 0.
    void BeginProgressItem(int64_t total);
    // The length of the payload moving now, -1 when not known.
    int64_t ProgressTotal() const { return m_progressTotal; }

    bool IsConnected() const { return m_socket != kInvalidSocket; }
    int GetHandle() const { return m_socket; }
    int GetPort() const { return m_port; }
    const std::string& GetHostAddress() const { return m_hostAddress; }
    int GetSendTimeoutMs() const { return m_sendTimeoutMs; }
    int GetReceiveTimeoutMs() const { return m_receiveTimeoutMs; }

private:
    void ApplyIoTimeouts();
    void StopByHook();
    // Waits until a send would not block, calling the send hook every tick; false when
    // the hook stopped the transfer.
    bool WaitWritableWithHook();
    // recv() on the socket, or through the layer; flags MSG_PEEK and MSG_DONTWAIT.
    long ReceiveBytes(void* buffer, size_t size, int flags);

    int m_port = 0;
    std::string m_hostAddress;
    int m_family = AF_INET;
    int m_type = SOCK_STREAM;
    int m_socket = kInvalidSocket;
    sockaddr_in m_address{};
    int m_sendTimeoutMs = kDefaultIoTimeoutMs;
    int m_receiveTimeoutMs = kDefaultIoTimeoutMs;
    bool m_wholeItemTimeouts = false;
    std::optional<TlsClientConfig> m_tlsClient;
    std::unique_ptr<CSocketLayer> m_layer;
    std::string m_tlsError;
    ProgressHook m_receiveHook;
    ProgressHook m_sendHook;
    int64_t m_receiveProgressCount = 0;
    int64_t m_sendProgressCount = 0;
    int64_t m_progressTotal = -1;
    bool m_progressStopped = false;
};
