#pragma once
// The office client's side of the conversation with the companion audit application
// (service "Orvenna", topic "Edit", item "Audit") over a local socket: it starts the
// companion when nobody listens, hands it audit files to edit, asks it to create new
// audits, and receives its notifications (an audit saved, an audit closed).
//
// While at least one audit is open in the companion the conversation stays up with a
// hot link on "Audit"; when the last one is closed it ends. Every request waits at most
// its time-out; a companion that sends a malformed frame is disconnected with "DDE
// Processing Error". Everything runs on the user-interface thread.

#include "platform/dde_frames.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLocalSocket;
class UserPrompts;

struct AuditLinkOptions {
    QString socketName;  // empty: Companion::SocketName()
    QString program;     // empty: Companion::Program()
    // Starting the companion: connection attempts and the pause between them
    // (together the minute the companion has to come up).
    int connectTries = 240;
    int connectPauseMs = 250;
    int adviseTimeoutMs = 10000;  // hot link and edit requests
    int createTimeoutMs = 30000;  // creation data and the new audit
};

class CAuditLink : public QObject {
    Q_OBJECT
public:

    explicit CAuditLink(UserPrompts& prompts, AuditLinkOptions options = {});
    // Ends the hot link and the conversation.
    ~CAuditLink() override;
    CAuditLink(const CAuditLink&) = delete;
    CAuditLink& operator=(const CAuditLink&) = delete;

    // Called when the companion saved an open audit: its case number, attachment
    // identifier and the saved bytes.
    std::function<void(const std::string& caseNumber, int32_t attachmentId, const std::string& bytes)> auditSaved;

    // Writes audit bytes to a new file of the private temporary folder named
    // "ID.tmp" (made unique); its path, or nothing.
    static std::optional<QString> WriteAuditFile(uint32_t attachmentId, const std::string& bytes);

    // Hands the audit file to the companion for editing, connecting (and starting it)
    // first when no audit is open. Nothing is sent for an audit already open there.
    void EditAudit(const std::string& caseNumber, int32_t attachmentId, const std::string& name,
                   const QString& auditFile);
    // Sends the creation data (the archived texts of the case) and returns the new
    // audit's bytes; nothing after a failure, which has been shown.
    std::optional<std::string> CreateAudit(const std::string& creationData);
    // False, after saying so, while audits are open in the companion.
    bool CanClose();

    bool Connected() const;
    const std::vector<std::pair<int32_t, std::string>>& OpenAudits() const { return openAudits_; }

private:
    bool Connect();
    bool TryConnect();
    // Sends a transaction and waits for its acknowledgement; the reply's data in
    // `answer`. False on a negative acknowledgement, a time-out or a lost conversation.
    bool Transact(const DdeFrame& frame, int timeoutMs, std::string* answer = nullptr);
    void OnReadyRead();
    void OnDisconnected();
    void HandleNotification(const std::string& data);
    void HandlePending();
    // Ends the conversation: hot link off (when asked), disconnect frame, socket closed.
    void Disconnect(bool stopAdvise);
    void ProcessingError();

    UserPrompts& prompts_;
    AuditLinkOptions options_;
    std::unique_ptr<QLocalSocket> socket_;
    DdeFrameReader reader_;
    bool waiting_ = false;                 // a transaction awaits its acknowledgement
    std::optional<DdeFrame> reply_;
    std::deque<std::string> notifications_;  // received, not yet handled
    std::vector<std::pair<int32_t, std::string>> openAudits_;  // (attachment id, case number)
};
