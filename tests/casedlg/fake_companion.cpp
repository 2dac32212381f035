#include "fake_companion.h"

#include "platform/companion_settings.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <map>

class FakeCompanionWorker : public QObject {
public:
    void Listen(const QString& name)
    {
        server_ = new QLocalServer(this);
        QLocalServer::removeServer(name);
        server_->listen(name);
        connect(server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = server_->nextPendingConnection()) {
                std::lock_guard lock(mutex_);
                ++connections_;
                readers_[socket] = DdeFrameReader();
                connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
                connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                    std::lock_guard lock(mutex_);
                    readers_.erase(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    void Read(QLocalSocket* socket)
    {
        std::lock_guard lock(mutex_);
        DdeFrameReader& reader = readers_[socket];
        reader.Append(socket->readAll().toStdString());
        while (std::optional<DdeFrame> frame = reader.Next()) {
            frames_.push_back(*frame);
            if (frame->type == DdeFrame::disconnect || frame->type == DdeFrame::ack)
                continue;
            DdeFrame ack;
            ack.type = DdeFrame::ack;
            ack.ok = true;
            if (frame->type == DdeFrame::request) {
                DdeBytes::PutInt(ack.data, 7);
                DdeBytes::PutInt(ack.data, 8);
                DdeBytes::PutText(ack.data, "skipped");
                ack.data += FakeCompanion::kNewAudit;
            }
            const std::string bytes = ack.Encode();
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
    }

    void Send(const std::string& bytes)
    {
        std::lock_guard lock(mutex_);
        for (auto& [socket, reader] : readers_) {
            socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
            socket->flush();
        }
    }

    mutable std::mutex mutex_;
    QLocalServer* server_ = nullptr;
    std::map<QLocalSocket*, DdeFrameReader> readers_;
    std::vector<DdeFrame> frames_;
    int connections_ = 0;
};

FakeCompanion::FakeCompanion(const QString& socketName)
{
    worker_ = new FakeCompanionWorker;
    worker_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(worker_, [this, socketName] { worker_->Listen(socketName); },
                              Qt::BlockingQueuedConnection);
}

FakeCompanion::~FakeCompanion()
{
    thread_.quit();
    thread_.wait();
}

void FakeCompanion::SendRaw(const std::string& bytes)
{
    QMetaObject::invokeMethod(worker_, [this, bytes] { worker_->Send(bytes); }, Qt::BlockingQueuedConnection);
}

void FakeCompanion::SendNotification(const std::string& data)
{
    DdeFrame frame;
    frame.type = DdeFrame::adviseData;
    frame.item = Companion::kItem;
    frame.data = data;
    SendRaw(frame.Encode());
}

std::vector<DdeFrame> FakeCompanion::Frames() const
{
    std::lock_guard lock(worker_->mutex_);
    return worker_->frames_;
}

int FakeCompanion::Connections() const
{
    std::lock_guard lock(worker_->mutex_);
    return worker_->connections_;
}

int FakeCompanion::OpenConnections() const
{
    std::lock_guard lock(worker_->mutex_);
    return static_cast<int>(worker_->readers_.size());
}
