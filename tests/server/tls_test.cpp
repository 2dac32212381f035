// The conversation over TLS against the real server: a log-in and a case fetch with the
// server's certificate pinned, a refusal when another certificate is pinned, and a
// plain client closed by a server that speaks TLS only. The certificates are made here.

#include "records/audit_case.h"
#include "server/command_client.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>

namespace {

// A self-signed certificate for 127.0.0.1 and localhost, and its key, as PEM files.
bool MakeCertificate(const std::string& certFile, const std::string& keyFile)
{
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> cert(X509_new(), X509_free);
    if (!key || !cert)
        return false;
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 24 * 3600);
    X509_set_pubkey(cert.get(), key.get());
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("localhost"), -1, -1,
                               0);
    X509_set_issuer_name(cert.get(), name);
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, cert.get(), cert.get(), nullptr, nullptr, 0);
    X509_EXTENSION* san =
        X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    if (san == nullptr)
        return false;
    X509_add_ext(cert.get(), san, -1);
    X509_EXTENSION_free(san);
    if (X509_sign(cert.get(), key.get(), EVP_sha256()) == 0)
        return false;
    FILE* out = std::fopen(certFile.c_str(), "w");
    const bool certWritten = out != nullptr && PEM_write_X509(out, cert.get()) == 1;
    if (out != nullptr)
        std::fclose(out);
    out = std::fopen(keyFile.c_str(), "w");
    const bool keyWritten =
        out != nullptr && PEM_write_PrivateKey(out, key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    if (out != nullptr)
        std::fclose(out);
    return certWritten && keyWritten;
}

}  // namespace

TEST(ServerTls, LogInAndFetchOverTlsRefusingWrongCertificatesAndPlainClients)
{
    CTempDir certificates;
    const std::string cert = certificates.File("server.pem");
    const std::string key = certificates.File("server.key");
    const std::string other = certificates.File("other.pem");
    ASSERT_TRUE(MakeCertificate(cert, key));
    ASSERT_TRUE(MakeCertificate(other, certificates.File("other.key")));

    DemoServer demo({"--demo", "--tls-cert", cert, "--tls-key", key});
    ASSERT_TRUE(demo.server.Start()) << demo.server.Log();
    const int port = demo.server.Port();

    // Pinned to the server's certificate: a log-in and a case fetch work as in plain.
    CCommandClient admin;
    admin.Session().SetTlsClient(TlsClientConfig{cert});
    ASSERT_TRUE(admin.LogIn(port, "admin", "admin")) << admin.Session().TlsError() << demo.server.Log();
    EXPECT_TRUE(admin.Session().UsesTls());
    CAuditCase record;
    record.insuredName = "Over TLS Ltd.";
    record.parentName = "Atlas Mutual Insurance";
    const std::string number = admin.CreateCase(record);
    ASSERT_FALSE(number.empty());
    CAuditCase fetched;
    ASSERT_TRUE(admin.GetCase(number, fetched));
    EXPECT_EQ(fetched.insuredName, "Over TLS Ltd.");

    // Another certificate pinned: no connection, and the reason says so.
    CServerSession wrong;
    wrong.SetTlsClient(TlsClientConfig{other});
    EXPECT_EQ(wrong.ConnectByName("127.0.0.1", port), CClientSocket::connectFailed);
    EXPECT_NE(wrong.TlsError().find("not trusted"), std::string::npos) << wrong.TlsError();

    // A plain client gets no session, and the server goes on.
    CServerSession plain;
    ASSERT_EQ(plain.ConnectByName("127.0.0.1", port), 0);
    EXPECT_EQ(plain.CreateSession("OFFICECLIENT", 107), CServerSession::kExchangeFailed);
    EXPECT_TRUE(demo.server.WaitForLog("TLS handshake failed"));
    EXPECT_TRUE(admin.InStep());
    EXPECT_EQ(demo.server.Stop(), 0) << demo.server.Log();
}
