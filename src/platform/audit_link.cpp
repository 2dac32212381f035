#include "platform/audit_link.h"

#include "platform/companion_settings.h"
#include "platform/unique_file.h"
#include "platform/user_prompts.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>

#include <algorithm>

namespace {

constexpr const char* kProcessingError = "DDE Processing Error";

DdeFrame Frame(DdeFrame::Type type)
{
    DdeFrame frame;
    frame.type = type;
    frame.item = Companion::kItem;
    return frame;
}

}  // namespace

CAuditLink::CAuditLink(UserPrompts& prompts, AuditLinkOptions options) : prompts_(prompts), options_(std::move(options))
{
    if (options_.socketName.isEmpty())
        options_.socketName = Companion::SocketName();
    if (options_.program.isEmpty())
        options_.program = Companion::Program();
}

CAuditLink::~CAuditLink()
{
    if (Connected())
        Disconnect(!openAudits_.empty());
}

std::optional<QString> CAuditLink::WriteAuditFile(uint32_t attachmentId, const std::string& bytes)
{
    const QString folder = PrivateTempFolder();
    if (folder.isEmpty())
        return std::nullopt;
    return UniqueFile::Create(folder, std::to_string(attachmentId) + ".tmp", bytes);
}

bool CAuditLink::Connected() const
{
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

bool CAuditLink::TryConnect()
{
    socket_ = std::make_unique<QLocalSocket>();
    reader_ = DdeFrameReader();
    connect(socket_.get(), &QLocalSocket::readyRead, this, &CAuditLink::OnReadyRead);
    connect(socket_.get(), &QLocalSocket::disconnected, this, &CAuditLink::OnDisconnected);
    socket_->connectToServer(options_.socketName);
    if (!socket_->waitForConnected(options_.connectPauseMs)) {
        socket_.reset();
        return false;
    }
    DdeFrame hello;
    hello.type = DdeFrame::connect;
    hello.service = Companion::kService;
    hello.topic = Companion::kTopic;
    if (Transact(hello, options_.adviseTimeoutMs))
        return true;
    if (socket_)
        socket_->abort();
    socket_.reset();
    return false;
}

bool CAuditLink::Connect()
{
    if (TryConnect())
        return true;
    if (!QProcess::startDetached(options_.program, {})) {
        prompts_.Message("Attempt to load Korrimat failed");
        return false;
    }
    for (int attempt = 0; attempt < options_.connectTries; ++attempt) {
        if (TryConnect())
            return true;
        QThread::msleep(static_cast<unsigned long>(options_.connectPauseMs));
    }
    prompts_.Message("DDE Connection Error - Cannot open audit");
    return false;
}

bool CAuditLink::Transact(const DdeFrame& frame, int timeoutMs, std::string* answer)
{
    if (!Connected() || waiting_)
        return false;
    const std::string bytes = frame.Encode();
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket_->flush();
    waiting_ = true;
    reply_.reset();
    QDeadlineTimer deadline(timeoutMs);
    while (!reply_ && socket_ && Connected() && !deadline.hasExpired()) {
        if (socket_->bytesToWrite() > 0)
            socket_->waitForBytesWritten(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        else
            socket_->waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    }
    waiting_ = false;
    if (!notifications_.empty())
        QMetaObject::invokeMethod(this, &CAuditLink::HandlePending, Qt::QueuedConnection);
    if (!reply_ || !reply_->ok)
        return false;
    if (answer)
        *answer = reply_->data;
    return true;
}

void CAuditLink::OnReadyRead()
{
    if (!socket_)
        return;
    const QByteArray bytes = socket_->readAll();
    reader_.Append(bytes.toStdString());
    while (std::optional<DdeFrame> frame = reader_.Next()) {
        switch (frame->type) {
        case DdeFrame::ack:
            if (waiting_)
                reply_ = std::move(*frame);
            break;
        case DdeFrame::adviseData: {
            DdeFrame ack = Frame(DdeFrame::ack);
            ack.ok = frame->item == Companion::kItem;
            const std::string answer = ack.Encode();
            socket_->write(answer.data(), static_cast<qint64>(answer.size()));
            if (ack.ok)
                notifications_.push_back(std::move(frame->data));
            break;
        }
        case DdeFrame::disconnect:
            QMetaObject::invokeMethod(this, &CAuditLink::OnDisconnected, Qt::QueuedConnection);
            return;
        default:
            reader_ = DdeFrameReader();
            ProcessingError();
            return;
        }
    }
    if (reader_.Failed()) {
        ProcessingError();
        return;
    }
    if (!waiting_ && !notifications_.empty())
        QMetaObject::invokeMethod(this, &CAuditLink::HandlePending, Qt::QueuedConnection);
}

void CAuditLink::HandlePending()
{
    while (!waiting_ && !notifications_.empty()) {
        const std::string data = std::move(notifications_.front());
        notifications_.pop_front();
        HandleNotification(data);
    }
}

void CAuditLink::HandleNotification(const std::string& data)
{
    DdeBytes::Reader reader(data);
    uint32_t code = 0;
    uint32_t id = 0;
    if (!reader.Int(code) || !reader.Int(id)) {
        ProcessingError();
        return;
    }
    const auto entry = std::find_if(openAudits_.begin(), openAudits_.end(),
                                    [&](const auto& open) { return open.first == static_cast<int32_t>(id); });
    if (code == 1) {
        if (entry == openAudits_.end())
            return;
        openAudits_.erase(entry);
        if (openAudits_.empty() && Connected())
            Disconnect(true);
        return;
    }
    if (code != 0)
        return;
    std::string skipped;
    std::string path;
    if (!reader.Text(skipped) || !reader.Text(path)) {
        ProcessingError();
        return;
    }
    if (entry == openAudits_.end())
        return;
    const std::string caseNumber = entry->second;
    QString error;
    const QString file = QFile::decodeName(QByteArray::fromStdString(path));
    const std::optional<std::string> bytes = UniqueFile::ReadAll(file, &error);
    if (!bytes) {
        prompts_.Message(error);
        return;
    }
    QFile::remove(file);
    if (auditSaved)
        auditSaved(caseNumber, static_cast<int32_t>(id), *bytes);
}

void CAuditLink::OnDisconnected()
{
    // The companion went away: whatever was open there is closed with it.
    if (socket_) {
        socket_->disconnect(this);
        socket_.release()->deleteLater();
    }
    openAudits_.clear();
    notifications_.clear();
}

void CAuditLink::Disconnect(bool stopAdvise)
{
    if (stopAdvise) {
        DdeFrame stop = Frame(DdeFrame::adviseStop);
        Transact(stop, options_.adviseTimeoutMs);
    }
    if (socket_) {
        const std::string bye = Frame(DdeFrame::disconnect).Encode();
        socket_->write(bye.data(), static_cast<qint64>(bye.size()));
        socket_->flush();
        socket_->waitForBytesWritten(options_.adviseTimeoutMs);
        socket_->disconnect(this);
        socket_->abort();
        socket_.release()->deleteLater();
    }
}

void CAuditLink::ProcessingError()
{
    prompts_.Message(kProcessingError);
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_.release()->deleteLater();
    }
    openAudits_.clear();
    notifications_.clear();
}

void CAuditLink::EditAudit(const std::string& caseNumber, int32_t attachmentId, const std::string& name,
                           const QString& auditFile)
{
    if (openAudits_.empty() && !Connected()) {
        if (!Connect())
            return;
        DdeFrame start = Frame(DdeFrame::adviseStart);
        Transact(start, options_.adviseTimeoutMs);
    }
    const std::pair<int32_t, std::string> entry{attachmentId, caseNumber};
    if (std::find(openAudits_.begin(), openAudits_.end(), entry) != openAudits_.end())
        return;
    DdeFrame poke = Frame(DdeFrame::poke);
    DdeBytes::PutInt(poke.data, static_cast<uint32_t>(attachmentId));
    DdeBytes::PutText(poke.data, name);
    DdeBytes::PutText(poke.data, QFile::encodeName(auditFile).toStdString());
    if (!Transact(poke, options_.adviseTimeoutMs))
        return;
    openAudits_.push_back(entry);
}

std::optional<std::string> CAuditLink::CreateAudit(const std::string& creationData)
{
    const std::optional<QString> file = WriteAuditFile(0, creationData);
    if (!file) {
        prompts_.Message("DDE error sending audit creation data");
        return std::nullopt;
    }
    bool opened = false;
    if (openAudits_.empty() && !Connected()) {
        if (!Connect())
            return std::nullopt;
        opened = true;
    }
    std::optional<std::string> audit;
    DdeFrame execute = Frame(DdeFrame::execute);
    execute.item.clear();
    execute.data = QFile::encodeName(*file).toStdString() + '\0';
    std::string answer;
    if (!Transact(execute, options_.createTimeoutMs)) {
        prompts_.Message("DDE error sending audit creation data");
    } else if (!Transact(Frame(DdeFrame::request), options_.createTimeoutMs, &answer) || answer.empty()) {
        prompts_.Message("DDE error receiving new audit");
    } else {
        DdeBytes::Reader reader(answer);
        uint32_t first = 0;
        uint32_t second = 0;
        std::string skipped;
        if (reader.Int(first) && reader.Int(second) && reader.Text(skipped))
            audit = reader.Rest();
        else
            prompts_.Message("DDE error receiving new audit");
    }
    if (opened && Connected())
        Disconnect(false);
    return audit;
}

bool CAuditLink::CanClose()
{
    if (openAudits_.empty())
        return true;
    prompts_.Message("All documents open in Korrimat must first be closed");
    return false;
}
