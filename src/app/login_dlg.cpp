#include "app/login_dlg.h"

#include "app/login_logic.h"
#include "platform/user_prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CLoginDlg::CLoginDlg(LoginLogic& logic, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      logic_(logic),
      prompts_(prompts),
      userId_(new QLineEdit(this)),
      password_(new QLineEdit(this)),
      host_(new QLineEdit(this)),
      port_(new QLineEdit(this)),
      useTls_(new QCheckBox(QStringLiteral("Use TLS"), this))
{
    setWindowTitle(QStringLiteral("Log In"));

    userId_->setMaxLength(static_cast<int>(LoginLogic::kMaxUserIdLength));
    password_->setEchoMode(QLineEdit::Password);
    port_->setMaximumWidth(port_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);

    userId_->setText(QString::fromLatin1(logic_.UserId()));
    password_->setText(QString::fromLatin1(logic_.password));
    host_->setText(QString::fromLatin1(logic_.host));
    port_->setText(QString::fromLatin1(logic_.portText));
    useTls_->setChecked(logic_.useTls);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("User ID:"), userId_);
    form->addRow(QStringLiteral("Password:"), password_);
    form->addRow(QStringLiteral("Host Name:"), host_);
    form->addRow(QStringLiteral("Port #:"), port_);
    form->addRow(QString(), useTls_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLoginDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLoginDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(300);

    // The user ID is what changes most often; with one already saved, the password.
    (logic_.UserId().empty() ? userId_ : password_)->setFocus();
}

void CLoginDlg::accept()
{
    logic_.SetUserId(userId_->text().toLatin1().toStdString());
    logic_.password = password_->text().toLatin1().toStdString();
    logic_.host = host_->text().toLatin1().toStdString();
    logic_.portText = port_->text().toLatin1().toStdString();
    logic_.useTls = useTls_->isChecked();
    if (const std::optional<std::string> complaint = logic_.Validate()) {
        prompts_.Message(QString::fromLatin1(*complaint), UserPrompts::Icon::exclamation);
        port_->setFocus();
        port_->selectAll();
        return;
    }
    QDialog::accept();
}
