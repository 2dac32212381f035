#include "net/tls_transport.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <fcntl.h>

#include <cerrno>
#include <climits>

namespace {

// Switches the socket to non-blocking for one call and back.
class NonBlockingScope {
public:
    NonBlockingScope(int socket, bool on) : m_socket(socket)
    {
        if (!on)
            return;
        m_flags = ::fcntl(socket, F_GETFL);
        if (m_flags >= 0 && (m_flags & O_NONBLOCK) == 0)
            m_changed = ::fcntl(socket, F_SETFL, m_flags | O_NONBLOCK) == 0;
    }
    ~NonBlockingScope()
    {
        if (m_changed)
            ::fcntl(m_socket, F_SETFL, m_flags);
    }
    NonBlockingScope(const NonBlockingScope&) = delete;
    NonBlockingScope& operator=(const NonBlockingScope&) = delete;

private:
    int m_socket;
    int m_flags = -1;
    bool m_changed = false;
};

}  // namespace

std::string TlsErrorText()
{
    std::string text;
    while (const unsigned long code = ERR_get_error()) {
        char line[256];
        ERR_error_string_n(code, line, sizeof line);
        if (!text.empty())
            text += "; ";
        text += line;
    }
    return text.empty() ? std::string("TLS failure") : text;
}

CTlsTransport::~CTlsTransport()
{
    SSL_free(m_ssl);
    SSL_CTX_free(m_context);
}

std::unique_ptr<CTlsTransport> CTlsTransport::Connect(int socket, const std::string& host,
                                                      const TlsClientConfig& config, std::string& error)
{
    ERR_clear_error();
    SSL_CTX* context = SSL_CTX_new(TLS_client_method());
    if (context == nullptr) {
        error = TlsErrorText();
        return nullptr;
    }
    SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
    // A peer that closes without the closing alert reads as an end of stream.
    SSL_CTX_set_options(context, SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
    const bool trusted = config.trustFile.empty()
                             ? SSL_CTX_set_default_verify_paths(context) == 1
                             : SSL_CTX_load_verify_locations(context, config.trustFile.c_str(), nullptr) == 1;
    if (!trusted) {
        error = "cannot load the trusted certificates" +
                (config.trustFile.empty() ? std::string() : " from " + config.trustFile) + ": " + TlsErrorText();
        SSL_CTX_free(context);
        return nullptr;
    }
    SSL* ssl = SSL_new(context);
    if (ssl == nullptr) {
        error = TlsErrorText();
        SSL_CTX_free(context);
        return nullptr;
    }
    std::unique_ptr<CTlsTransport> transport(new CTlsTransport(context, ssl, socket));
    // The certificate must name the host: its address when given as one, else its name.
    in_addr numeric{};
    X509_VERIFY_PARAM* param = SSL_get0_param(ssl);
    const bool named = ::inet_pton(AF_INET, host.c_str(), &numeric) == 1
                           ? X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str()) == 1
                           : SSL_set1_host(ssl, host.c_str()) == 1 &&
                                 SSL_set_tlsext_host_name(ssl, host.c_str()) == 1;
    if (!named || SSL_set_fd(ssl, socket) != 1) {
        error = TlsErrorText();
        return nullptr;
    }
    if (SSL_connect(ssl) != 1) {
        const long verify = SSL_get_verify_result(ssl);
        error = verify != X509_V_OK ? std::string("the server's certificate is not trusted: ") +
                                          X509_verify_cert_error_string(verify)
                                    : "TLS handshake failed: " + TlsErrorText();
        return nullptr;
    }
    return transport;
}

std::unique_ptr<CTlsTransport> CTlsTransport::Accept(int socket, ssl_ctx_st* context, std::string& error)
{
    ERR_clear_error();
    SSL* ssl = SSL_new(context);
    if (ssl == nullptr || SSL_CTX_up_ref(context) != 1) {
        SSL_free(ssl);
        error = TlsErrorText();
        return nullptr;
    }
    std::unique_ptr<CTlsTransport> transport(new CTlsTransport(context, ssl, socket));
    if (SSL_set_fd(ssl, socket) != 1 || SSL_accept(ssl) != 1) {
        error = "TLS handshake failed: " + TlsErrorText();
        return nullptr;
    }
    return transport;
}

long CTlsTransport::Receive(void* buffer, size_t size, bool peek, bool dontWait)
{
    if (size == 0)
        return 0;
    const int want = size > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
    NonBlockingScope scope(m_socket, dontWait && !HasPending());
    ERR_clear_error();
    const int got = peek ? SSL_peek(m_ssl, buffer, want) : SSL_read(m_ssl, buffer, want);
    if (got > 0)
        return got;
    switch (SSL_get_error(m_ssl, got)) {
    case SSL_ERROR_ZERO_RETURN:
        return 0;
    case SSL_ERROR_WANT_READ:
    case SSL_ERROR_WANT_WRITE:
        errno = EAGAIN;
        return -1;
    case SSL_ERROR_SYSCALL:
        // The peer closed the socket without a closing alert.
        if (ERR_peek_error() == 0 && (errno == 0 || got == 0))
            return 0;
        return -1;
    default:
        errno = ECONNRESET;
        return -1;
    }
}

long CTlsTransport::Send(const void* bytes, size_t size)
{
    if (size == 0)
        return 0;
    const int count = size > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
    ERR_clear_error();
    const int sent = SSL_write(m_ssl, bytes, count);
    return sent > 0 ? sent : -1;
}

bool CTlsTransport::HasPending()
{
    return SSL_pending(m_ssl) > 0;
}

void CTlsTransport::Shutdown()
{
    NonBlockingScope scope(m_socket, true);
    ERR_clear_error();
    SSL_shutdown(m_ssl);
    ERR_clear_error();
}

CTlsServerContext::~CTlsServerContext()
{
    SSL_CTX_free(m_context);
}

bool CTlsServerContext::Load(const std::string& certificateFile, const std::string& keyFile, std::string& error)
{
    ERR_clear_error();
    SSL_CTX_free(m_context);
    m_context = SSL_CTX_new(TLS_server_method());
    if (m_context == nullptr) {
        error = TlsErrorText();
        return false;
    }
    SSL_CTX_set_min_proto_version(m_context, TLS1_2_VERSION);
    SSL_CTX_set_options(m_context, SSL_OP_IGNORE_UNEXPECTED_EOF);
    if (SSL_CTX_use_certificate_chain_file(m_context, certificateFile.c_str()) != 1) {
        error = "cannot read the certificate " + certificateFile + ": " + TlsErrorText();
        return false;
    }
    if (SSL_CTX_use_PrivateKey_file(m_context, keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
        error = "cannot read the private key " + keyFile + ": " + TlsErrorText();
        return false;
    }
    if (SSL_CTX_check_private_key(m_context) != 1) {
        error = "the private key does not match the certificate: " + TlsErrorText();
        return false;
    }
    return true;
}
