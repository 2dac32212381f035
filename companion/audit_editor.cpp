#include "audit_editor.h"

#include "korrimat_server.h"
#include "platform/unique_file.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

AuditParts AuditParts::Split(const std::string& audit)
{
    AuditParts parts;
    size_t pos = 0;
    auto nextLine = [&](std::string& line) {
        if (pos >= audit.size())
            return false;
        const size_t end = audit.find('\n', pos);
        line = audit.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? audit.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    };
    std::string line;
    if (nextLine(line))
        parts.magic = line;
    while (nextLine(line) && !line.empty()) {
        const size_t colon = line.find(':');
        std::string value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
        if (!value.empty() && value.front() == ' ')
            value.erase(0, 1);
        parts.fields.emplace_back(line.substr(0, colon), value);
    }
    parts.body = pos < audit.size() ? audit.substr(pos) : std::string();
    return parts;
}

std::string AuditParts::Join() const
{
    std::string audit = magic + "\n";
    for (const auto& [name, value] : fields)
        audit += name + ": " + value + "\n";
    audit += "\n" + body;
    if (!audit.empty() && audit.back() != '\n')
        audit += '\n';
    return audit;
}

AuditEditor::AuditEditor(KorrimatServer& server, quint32 attachmentId, QString name, const std::string& audit)
    : server_(server), id_(attachmentId), name_(std::move(name)), parts_(AuditParts::Split(audit))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("auditEditor");
    setWindowTitle("Korrimat - " + name_);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QString::fromLatin1(parts_.magic), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    auto* form = new QFormLayout;
    for (const auto& [field, value] : parts_.fields) {
        auto* edit = new QLineEdit(QString::fromLatin1(value), this);
        edit->setObjectName(QString::fromLatin1(field));
        form->addRow(QString::fromLatin1(field) + ":", edit);
        fieldEdits_.push_back(edit);
    }
    layout->addLayout(form);
    body_ = new QPlainTextEdit(QString::fromLatin1(parts_.body), this);
    body_->setObjectName("body");
    body_->setFont(QFont("Monospace"));
    layout->addWidget(body_, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton("&Save", QDialogButtonBox::AcceptRole);
    save->setObjectName("save");
    QPushButton* close = buttons->addButton("&Close", QDialogButtonBox::RejectRole);
    close->setObjectName("close");
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(buttons);
    resize(640, 560);
}

bool AuditEditor::Save()
{
    for (size_t i = 0; i < fieldEdits_.size() && i < parts_.fields.size(); ++i)
        parts_.fields[i].second = fieldEdits_[i]->text().toLatin1().toStdString();
    parts_.body = body_->toPlainText().toLatin1().toStdString();
    const QString folder = PrivateTempFolder();
    const std::optional<QString> file =
        folder.isEmpty() ? std::nullopt
                         : UniqueFile::Create(folder, "saved-" + std::to_string(id_) + ".aud", parts_.Join());
    if (!file)
        return false;
    server_.NotifySaved(id_, name_.toLatin1().toStdString(), *file);
    return true;
}

void AuditEditor::AppendRemark(const QString& line)
{
    body_->appendPlainText(line);
}

void AuditEditor::closeEvent(QCloseEvent* event)
{
    server_.NotifyClosed(id_);
    event->accept();
}
