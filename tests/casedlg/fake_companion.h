#pragma once
// A companion application for the link tests, on a thread of its own (the link waits
// for its answers while blocking the test's thread): it acknowledges every transaction,
// answers the new-audit request with fixed bytes, records every frame, and sends the
// raw bytes a test asks it to.

#include "platform/dde_frames.h"

#include <QThread>

#include <mutex>
#include <string>
#include <vector>

class FakeCompanionWorker;

class FakeCompanion {
public:
    static constexpr const char* kNewAudit = "ORVENNA AUDIT 1\nTitle: New\n";

    explicit FakeCompanion(const QString& socketName);
    ~FakeCompanion();

    // Sends bytes to every connected client.
    void SendRaw(const std::string& bytes);
    void SendNotification(const std::string& data);

    std::vector<DdeFrame> Frames() const;
    int Connections() const;
    int OpenConnections() const;

private:
    QThread thread_;
    FakeCompanionWorker* worker_ = nullptr;
};
