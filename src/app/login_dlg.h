#pragma once
// The "Log In" dialog: user ID, password, host name and port over a LoginLogic. OK
// copies the controls into the logic and closes only when the logic accepts them; its
// complaint is shown through the prompts and the port field gets the focus again.

#include <QDialog>

class LoginLogic;
class QCheckBox;
class QLineEdit;
class UserPrompts;

class CLoginDlg : public QDialog {
    Q_OBJECT
public:
    CLoginDlg(LoginLogic& logic, UserPrompts& prompts, QWidget* parent = nullptr);

    QLineEdit* UserIdEdit() const { return userId_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QLineEdit* HostEdit() const { return host_; }
    QLineEdit* PortEdit() const { return port_; }

    void accept() override;

private:
    LoginLogic& logic_;
    UserPrompts& prompts_;
    QLineEdit* userId_;
    QLineEdit* password_;
    QLineEdit* host_;
    QLineEdit* port_;
    QCheckBox* useTls_;
};
