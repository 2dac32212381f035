#pragma once
// TLS under the unchanged conversation (OpenSSL): the client side verifies the server's
// certificate against the system's CA store, or against one pinned certificate file,
// and the server's host name or address; the server side presents its certificate
// chain and key. TLS 1.2 or later.

#include "net/socket_layer.h"

#include <memory>
#include <string>

struct ssl_ctx_st;
struct ssl_st;

// How a client checks the server.
struct TlsClientConfig {
    // A PEM file of the certificate(s) to trust instead of the system's CA store (a
    // pinned self-signed server certificate, or a private CA); empty for the store.
    std::string trustFile;
};

// One TLS connection over a connected socket.
class CTlsTransport final : public CSocketLayer {
public:
    ~CTlsTransport() override;
    CTlsTransport(const CTlsTransport&) = delete;
    CTlsTransport& operator=(const CTlsTransport&) = delete;

    // Runs the client handshake on the socket; nullptr, with the reason, when it fails
    // (the certificate did not verify, the peer does not speak TLS, ...).
    static std::unique_ptr<CTlsTransport> Connect(int socket, const std::string& host, const TlsClientConfig& config,
                                                  std::string& error);
    // Runs the server handshake with the context's certificate and key.
    static std::unique_ptr<CTlsTransport> Accept(int socket, ssl_ctx_st* context, std::string& error);

    long Receive(void* buffer, size_t size, bool peek, bool dontWait) override;
    long Send(const void* bytes, size_t size) override;
    bool HasPending() override;
    void Shutdown() override;

private:
    CTlsTransport(ssl_ctx_st* context, ssl_st* ssl, int socket) : m_context(context), m_ssl(ssl), m_socket(socket) {}

    ssl_ctx_st* m_context;  // owned reference
    ssl_st* m_ssl;
    int m_socket;
};

// A server's TLS settings, loaded once and shared by all connections.
class CTlsServerContext {
public:
    CTlsServerContext() = default;
    ~CTlsServerContext();
    CTlsServerContext(const CTlsServerContext&) = delete;
    CTlsServerContext& operator=(const CTlsServerContext&) = delete;

    // Loads the PEM certificate chain and private key; false, with the reason, when
    // they cannot be read or do not match.
    bool Load(const std::string& certificateFile, const std::string& keyFile, std::string& error);
    ssl_ctx_st* Get() const { return m_context; }

private:
    ssl_ctx_st* m_context = nullptr;
};

// The last OpenSSL error as text (and the queue emptied).
std::string TlsErrorText();
