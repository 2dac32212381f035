#pragma once
// One audit open in Korrimat: its heading fields as edit lines and its body as text.
// Save writes the audit to a new file and tells the office client (notification 0);
// closing the window tells it the audit is closed (notification 1).

#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class KorrimatServer;
class QLineEdit;
class QPlainTextEdit;

// An audit split for editing: the first line, the "Name: value" heading fields up to the
// first blank line, and the rest.
struct AuditParts {
    std::string magic = "ORVENNA AUDIT 1";
    std::vector<std::pair<std::string, std::string>> fields;
    std::string body;

    static AuditParts Split(const std::string& audit);
    std::string Join() const;
};

class AuditEditor : public QWidget {
    Q_OBJECT
public:
    AuditEditor(KorrimatServer& server, quint32 attachmentId, QString name, const std::string& audit);
    quint32 AttachmentId() const { return id_; }
    // Saves and notifies; false when the file could not be written.
    bool Save();
    // Adds a line at the end of the audit's text.
    void AppendRemark(const QString& line);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    KorrimatServer& server_;
    quint32 id_;
    QString name_;
    AuditParts parts_;
    std::vector<QLineEdit*> fieldEdits_;
    QPlainTextEdit* body_ = nullptr;
};
