#include "korrimat_server.h"

#include "audit_template.h"
#include "platform/companion_settings.h"
#include "platform/unique_file.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

KorrimatServer::KorrimatServer(QObject* parent) : QObject(parent), server_(std::make_unique<QLocalServer>()) {}

KorrimatServer::~KorrimatServer()
{
    for (auto& [socket, conversation] : conversations_)
        socket->disconnect(this);
}

bool KorrimatServer::Listen(const QString& socketName)
{
    socketName_ = socketName;
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketName);
    if (!server_->listen(socketName))
        return false;
    connect(server_.get(), &QLocalServer::newConnection, this, &KorrimatServer::OnNewConnection);
    return true;
}

void KorrimatServer::OnNewConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        conversations_[socket] = Conversation();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            conversations_.erase(socket);
            socket->deleteLater();
            emit clientLeft();
        });
    }
}

void KorrimatServer::OnReadyRead(QLocalSocket* socket)
{
    const auto found = conversations_.find(socket);
    if (found == conversations_.end())
        return;
    Conversation& conversation = found->second;
    conversation.reader.Append(socket->readAll().toStdString());
    while (std::optional<DdeFrame> frame = conversation.reader.Next()) {
        if (frame->type == DdeFrame::disconnect) {
            socket->disconnectFromServer();
            return;
        }
        if (std::optional<DdeFrame> answer = Answer(conversation, *frame)) {
            const std::string bytes = answer->Encode();
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
    }
    if (conversation.reader.Failed())
        socket->abort();
}

std::optional<DdeFrame> KorrimatServer::Answer(Conversation& conversation, const DdeFrame& frame)
{
    DdeFrame ack;
    ack.type = DdeFrame::ack;
    if (frame.type == DdeFrame::ack)
        return std::nullopt;  // a notification was taken
    if (frame.type == DdeFrame::connect) {
        conversation.connected = frame.service == Companion::kService && frame.topic == Companion::kTopic;
        ack.ok = conversation.connected;
        return ack;
    }
    if (!conversation.connected)
        return ack;
    const bool onAudit = frame.item == Companion::kItem;
    switch (frame.type) {
    case DdeFrame::adviseStart:
        conversation.hotLink = ack.ok = onAudit;
        break;
    case DdeFrame::adviseStop:
        conversation.hotLink = false;
        ack.ok = onAudit;
        break;
    case DdeFrame::execute: {
        std::string path = frame.data;
        if (!path.empty() && path.back() == '\0')
            path.pop_back();
        const std::optional<std::string> bytes = UniqueFile::ReadAll(QFile::decodeName(QByteArray::fromStdString(path)));
        const auto texts = bytes ? AuditTemplate::DecodeCreationData(*bytes) : std::nullopt;
        if (texts) {
            newAudit_ = AuditTemplate::NewAudit(*texts);
            ack.ok = true;
            emit newAuditCreated(QString::fromLatin1((*texts)[0]));
        }
        break;
    }
    case DdeFrame::request:
        if (onAudit && !newAudit_.empty()) {
            DdeBytes::PutInt(ack.data, 1);  // one audit
            DdeBytes::PutInt(ack.data, static_cast<uint32_t>(newAudit_.size()));
            DdeBytes::PutText(ack.data, "New Audit");
            ack.data += newAudit_;
            newAudit_.clear();
            ack.ok = true;
        }
        break;
    case DdeFrame::poke: {
        DdeBytes::Reader reader(frame.data);
        uint32_t id = 0;
        std::string name;
        std::string file;
        if (onAudit && reader.Int(id) && reader.Text(name) && reader.Text(file) && reader.AtEnd()) {
            ack.ok = true;
            emit auditPoked(id, QString::fromLatin1(name), QFile::decodeName(QByteArray::fromStdString(file)));
        }
        break;
    }
    default:
        break;
    }
    return ack;
}

void KorrimatServer::Notify(const std::string& data)
{
    DdeFrame frame;
    frame.type = DdeFrame::adviseData;
    frame.item = Companion::kItem;
    frame.data = data;
    const std::string bytes = frame.Encode();
    for (auto& [socket, conversation] : conversations_) {
        if (conversation.hotLink) {
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
            socket->flush();
        }
    }
}

void KorrimatServer::NotifySaved(uint32_t attachmentId, const std::string& name, const QString& file)
{
    std::string data;
    DdeBytes::PutInt(data, 0);
    DdeBytes::PutInt(data, attachmentId);
    DdeBytes::PutText(data, name);
    DdeBytes::PutText(data, QFile::encodeName(file).toStdString());
    Notify(data);
}

void KorrimatServer::NotifyClosed(uint32_t attachmentId)
{
    std::string data;
    DdeBytes::PutInt(data, 1);
    DdeBytes::PutInt(data, attachmentId);
    Notify(data);
}
