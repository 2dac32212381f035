// The settings file's name and place, and the [Login] section read and written through it.
#include "platform/login_settings.h"
#include "platform/reply_limit_setting.h"
#include "platform/settings_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& content)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

}  // namespace

TEST(SettingsFile, NamedAfterTheProgramFileWithTheExtensionReplacedOrAppended)
{
    EXPECT_EQ(SettingsFileNameFor(QStringLiteral("OrvennaOC.EXE")), QStringLiteral("OrvennaOC.INI"));
    EXPECT_EQ(SettingsFileNameFor(QStringLiteral("/opt/orvenna/OrvennaOC")), QStringLiteral("OrvennaOC.INI"));
    // The same program under another name reads another file.
    EXPECT_EQ(SettingsFileNameFor(QStringLiteral("/usr/local/bin/orv-test.bin")), QStringLiteral("orv-test.INI"));
    // Only the file name's own dot starts an extension, and a leading one does not.
    EXPECT_EQ(SettingsFileNameFor(QStringLiteral("/opt/v1.2/client")), QStringLiteral("client.INI"));
    EXPECT_EQ(SettingsFileNameFor(QStringLiteral("/opt/.client")), QStringLiteral(".client.INI"));
    EXPECT_EQ(SettingsFileNameFor(QStringLiteral("a.b.c")), QStringLiteral("a.b.INI"));
}

TEST(SettingsFile, BesideTheProgramUnlessItsFolderCannotBeWritten)
{
    const QString program = QStringLiteral("/opt/orvenna/OrvennaOC");
    EXPECT_EQ(SettingsFilePathFor(program, true, QStringLiteral("/home/u/.config")),
              QStringLiteral("/opt/orvenna/OrvennaOC.INI"));
    EXPECT_EQ(SettingsFilePathFor(program, false, QStringLiteral("/home/u/.config")),
              QStringLiteral("/home/u/.config/OrvennaOC.INI"));
}

TEST(LoginSettings, AbsentKeysGiveEmptyTextsAndPort9000)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.INI"));
    const LoginSettings none = ReadLoginSettings(missing);
    EXPECT_EQ(none.userId, "");
    EXPECT_EQ(none.host, "");
    EXPECT_EQ(none.port, 9000);

    const QString withoutPort = WriteFile(dir, "a.INI", "[Login]\nUserID=joe\nHost=inventory.example\n");
    const LoginSettings read = ReadLoginSettings(withoutPort);
    EXPECT_EQ(read.userId, "joe");
    EXPECT_EQ(read.host, "inventory.example");
    EXPECT_EQ(read.port, 9000);
}

TEST(LoginSettings, PortConvertsItsLeadingDigitsLikeAnIniInteger)
{
    QTemporaryDir dir;
    EXPECT_EQ(ReadLoginSettings(WriteFile(dir, "a.INI", "[Login]\nPort=8080\n")).port, 8080);
    EXPECT_EQ(ReadLoginSettings(WriteFile(dir, "b.INI", "[Login]\nPort=7000 old\n")).port, 7000);
    // Present but no number: 0, which the dialog then refuses.
    EXPECT_EQ(ReadLoginSettings(WriteFile(dir, "c.INI", "[Login]\nPort=abc\n")).port, 0);
    EXPECT_EQ(ReadLoginSettings(WriteFile(dir, "d.INI", "[Login]\nPort=\n")).port, 0);
}

TEST(LoginSettings, WrittenBackAsTextsAndADecimalPortThenReadAlike)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "OrvennaOC.INI", "[Settings]\nToolPath=/usr/bin/tool\n");
    ASSERT_TRUE(WriteLoginSettings(path, {"m\xfcller", "10.0.0.5", 9100}));

    const QByteArray content = ReadFile(path);
    EXPECT_TRUE(content.contains("[Login]"));
    EXPECT_TRUE(content.contains("Port=9100"));
    EXPECT_TRUE(content.contains("Host=10.0.0.5"));
    EXPECT_TRUE(content.contains("ToolPath=/usr/bin/tool"));  // other sections stay

    const LoginSettings read = ReadLoginSettings(path);
    EXPECT_EQ(read.userId, "m\xfcller");  // Latin-1 survives the round trip
    EXPECT_EQ(read.host, "10.0.0.5");
    EXPECT_EQ(read.port, 9100);
}

TEST(LoginSettings, ValuesWithCommasAndOverlongTexts)
{
    QTemporaryDir dir;
    const std::string longHost(300, 'h');
    const QString path = dir.filePath(QStringLiteral("x.INI"));
    ASSERT_TRUE(WriteLoginSettings(path, {"smith, j", longHost, 1}));
    const LoginSettings read = ReadLoginSettings(path);
    EXPECT_EQ(read.userId, "smith, j");
    EXPECT_EQ(read.host, std::string(253, 'h'));

    // Typed by hand without quotes, the INI reader sees a list; it is one text.
    EXPECT_EQ(ReadLoginSettings(WriteFile(dir, "y.INI", "[Login]\nUserID=a,b\n")).userId, "a,b");
}

TEST(LoginSettings, TlsIsKeptAsTls1AndTheTrustFileIsOnlyRead)
{
    QTemporaryDir dir;
    const QString path =
        WriteFile(dir, "OrvennaOC.INI", "[Login]\nUserID=joe\nTLSCertFile=/etc/orvenna/server.pem\n");
    LoginSettings settings = ReadLoginSettings(path);
    EXPECT_FALSE(settings.useTls);
    EXPECT_EQ(settings.tlsTrustFile, "/etc/orvenna/server.pem");
    settings.useTls = true;
    ASSERT_TRUE(WriteLoginSettings(path, settings));
    EXPECT_TRUE(ReadFile(path).contains("TLS=1"));
    EXPECT_TRUE(ReadLoginSettings(path).useTls);
    settings.useTls = false;
    ASSERT_TRUE(WriteLoginSettings(path, settings));
    EXPECT_TRUE(ReadFile(path).contains("TLS=0")) << "a key the file names is kept, set off";
    EXPECT_FALSE(ReadLoginSettings(path).useTls);
    EXPECT_TRUE(ReadFile(path).contains("TLSCertFile=/etc/orvenna/server.pem"));
}

TEST(LoginSettings, AHandEditedFileKeepsEveryOtherByteThroughALogInWrite)
{
    QTemporaryDir dir;
    const QByteArray before =
        "; Orvenna settings, edited by hand\r\n"
        "[settings]\r\n"
        "ToolPath=C:\\tools\\x.exe \\new, \"quoted\" a,b\r\n"
        "\r\n"
        "[LOGIN]\r\n"
        "; the office server\r\n"
        "userid = old user\r\n"
        "Other=1,2,3\r\n"
        "HOST=old.example\r\n"
        "[Later]\r\n"
        "Port=1\r\n";
    const QString path = WriteFile(dir, "OrvennaOC.INI", before);
    const LoginSettings read = ReadLoginSettings(path);
    EXPECT_EQ(read.userId, "old user");
    EXPECT_EQ(read.host, "old.example");
    EXPECT_EQ(read.port, 9000) << "a Port of another section is not the log-in's";

    ASSERT_TRUE(WriteLoginSettings(path, {"new\\user,x", "h\xe9te", 9100}));
    // The two keys keep their line and spelling, the missing port follows the section's
    // last entry, and everything else is as it was.
    EXPECT_EQ(ReadFile(path), QByteArray("; Orvenna settings, edited by hand\r\n"
                                         "[settings]\r\n"
                                         "ToolPath=C:\\tools\\x.exe \\new, \"quoted\" a,b\r\n"
                                         "\r\n"
                                         "[LOGIN]\r\n"
                                         "; the office server\r\n"
                                         "userid =new\\user,x\r\n"
                                         "Other=1,2,3\r\n"
                                         "HOST=h\xe9te\r\n"
                                         "Port=9100\r\n"
                                         "[Later]\r\n"
                                         "Port=1\r\n"));
    const LoginSettings again = ReadLoginSettings(path);
    EXPECT_EQ(again.userId, "new\\user,x");
    EXPECT_EQ(again.host, "h\xe9te");
    EXPECT_EQ(again.port, 9100);

    // A value cannot smuggle in a line of its own.
    ASSERT_TRUE(WriteLoginSettings(path, {"joe\r\n[Evil]", "h", 1}));
    EXPECT_EQ(ReadLoginSettings(path).userId, "joe");
    EXPECT_FALSE(ReadFile(path).contains("[Evil]"));
}

TEST(ReplyLimitSetting, WholeMegabytesInRangeElseTheBuiltInBound)
{
    QTemporaryDir dir;
    constexpr int64_t kDefault = int64_t{160} << 20;
    const struct {
        const char* file;
        int64_t expected;
    } cases[] = {
        {"[Login]\nUserID=joe\n", kDefault},
        {"[settings]\nmaxreplymb = 64 \n", int64_t{64} << 20},
        {"[Settings]\nMaxReplyMB=2047\n", int64_t{2047} << 20},
        {"[Settings]\nMaxReplyMB=2048\n", kDefault},
        {"[Settings]\nMaxReplyMB=0\n", kDefault},
        {"[Settings]\nMaxReplyMB=-5\n", kDefault},
        {"[Settings]\nMaxReplyMB=12MB\n", kDefault},
        {"[Settings]\nMaxReplyMB=\n", kDefault},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplyLimitBytes(WriteFile(dir, "r.INI", c.file), kDefault), c.expected) << c.file;
    EXPECT_EQ(ReplyLimitBytes(dir.filePath("missing.INI"), kDefault), kDefault);
}
