#pragma once
// Korrimat's end of the companion link: it listens on the link's local socket and
// answers the office client's conversation (service "Orvenna", topic "Edit", item
// "Audit"): creation data by execute, the new audit by request, audits to edit by poke,
// and sends the saved and closed notifications to clients that hold a hot link.

#include "platform/dde_frames.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>

class QLocalServer;
class QLocalSocket;

class KorrimatServer : public QObject {
    Q_OBJECT
public:
    explicit KorrimatServer(QObject* parent = nullptr);
    ~KorrimatServer() override;

    bool Listen(const QString& socketName);
    QString SocketName() const { return socketName_; }

    // Notification code 0: the audit saved into `file`.
    void NotifySaved(uint32_t attachmentId, const std::string& name, const QString& file);
    // Notification code 1.
    void NotifyClosed(uint32_t attachmentId);

signals:
    // An audit handed over for editing (its file is the client's; read it, do not
    // delete it).
    void auditPoked(quint32 attachmentId, const QString& name, const QString& file);
    void newAuditCreated(const QString& caseNumber);
    // A conversation ended.
    void clientLeft();

private:
    struct Conversation {
        DdeFrameReader reader;
        bool connected = false;
        bool hotLink = false;
    };

    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    // The answer to one frame; nothing when it needs none.
    std::optional<DdeFrame> Answer(Conversation& conversation, const DdeFrame& frame);
    void Notify(const std::string& data);

    std::unique_ptr<QLocalServer> server_;
    QString socketName_;
    std::map<QLocalSocket*, Conversation> conversations_;
    std::string newAudit_;  // made by the last execute, handed out by request
};
