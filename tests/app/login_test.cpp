// The log-in dialog's rules, its first steps with the settings file, and the dialog
// itself over the rules.
#include "app/login_dlg.h"
#include "app/login_logic.h"
#include "app/login_steps.h"
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

LoginLogic LogicWithPort(const std::string& port)
{
    LoginLogic logic(LoginSettings{}, "");
    logic.portText = port;
    return logic;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

}  // namespace

TEST(LoginLogic, PortMustBeAnIntegerFrom1To65535)
{
    const std::string notInteger = "Please enter an integer.";
    const std::string outOfRange = "Please enter an integer between 1 and 65535.";
    for (const char* text : {"", "  ", "abc", "80a", "8 0", "1.5", "-", "0x50"})
        EXPECT_EQ(LogicWithPort(text).Validate(), notInteger) << '"' << text << '"';
    for (const char* text : {"0", "65536", "-1", "99999999999999"})
        EXPECT_EQ(LogicWithPort(text).Validate(), outOfRange) << text;
    for (const char* text : {"1", "65535", " 9000 ", "+443"})
        EXPECT_EQ(LogicWithPort(text).Validate(), std::nullopt) << text;
    EXPECT_EQ(LogicWithPort(" 9000 ").Confirmed().port, 9000);
}

TEST(LoginLogic, UserIdHoldsTwentyCharactersAndAnEmptyHostBecomesLocalhost)
{
    LoginLogic logic(LoginSettings{"a-user-id-of-25-characters", "", 9000}, "kept");
    EXPECT_EQ(logic.UserId(), "a-user-id-of-25-char");
    logic.SetUserId("exactly-twenty-chars");
    EXPECT_EQ(logic.UserId(), "exactly-twenty-chars");
    const LoginEntry entry = logic.Confirmed();
    EXPECT_EQ(entry.host, "localhost");
    EXPECT_EQ(entry.password, "kept");
    EXPECT_EQ(entry.port, 9000);
}

TEST(LoginSteps, OffersTheSavedEntriesAndWritesTheConfirmedOnesWithoutThePassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OrvennaOC.INI"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Login]\nUserID=joe\nHost=old-host\n");  // no Port
    }
    std::string offeredPort;
    std::string offeredPassword;
    const auto entry = LogInSteps(path, "from-earlier", [&](LoginLogic& logic) {
        offeredPort = logic.portText;
        offeredPassword = logic.password;
        EXPECT_EQ(logic.UserId(), "joe");
        EXPECT_EQ(logic.host, "old-host");
        logic.host.clear();
        logic.password = "s3cret-pw";
        return true;
    });
    EXPECT_EQ(offeredPort, "9000");
    EXPECT_EQ(offeredPassword, "from-earlier");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->host, "localhost");
    EXPECT_EQ(entry->password, "s3cret-pw");

    // "localhost" is applied before the settings are written.
    const LoginSettings saved = ReadLoginSettings(path);
    EXPECT_EQ(saved.host, "localhost");
    EXPECT_EQ(saved.userId, "joe");
    EXPECT_EQ(saved.port, 9000);
    EXPECT_FALSE(ReadFile(path).contains("s3cret-pw"));
}

TEST(LoginSteps, CancelWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OrvennaOC.INI"));
    EXPECT_FALSE(LogInSteps(path, "", [](LoginLogic&) { return false; }).has_value());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(LoginDialog, StaysOpenWithTheComplaintUntilThePortIsValid)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    LoginLogic logic(LoginSettings{"joe", "inventory", 9000}, "pw");
    CLoginDlg dialog(logic, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Log In"));
    EXPECT_EQ(dialog.UserIdEdit()->text(), QStringLiteral("joe"));
    EXPECT_EQ(dialog.PasswordEdit()->text(), QStringLiteral("pw"));
    EXPECT_EQ(dialog.PasswordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.UserIdEdit()->maxLength(), 20);

    dialog.PortEdit()->setText(QStringLiteral("nine"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.PortEdit()->setText(QStringLiteral("70000"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Please enter an integer."));
    EXPECT_EQ(prompts.messages[1].text, QStringLiteral("Please enter an integer between 1 and 65535."));

    dialog.UserIdEdit()->setText(QStringLiteral("ann"));
    dialog.HostEdit()->setText(QString());
    dialog.PortEdit()->setText(QStringLiteral("9100"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const LoginEntry entry = logic.Confirmed();
    EXPECT_EQ(entry.userId, "ann");
    EXPECT_EQ(entry.host, "localhost");
    EXPECT_EQ(entry.port, 9100);
}
