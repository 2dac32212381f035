// Renders the "Log In" and About dialogs. With ORV_SCREENSHOT_DIR set the pictures are
// written there as PNG files, to look at.
#include "app/about_dlg.h"
#include "app/login_dlg.h"
#include "app/login_logic.h"
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(Screenshots, LogInAndAboutDialogs)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    LoginLogic logic(LoginSettings{"dwhitfield", "inventory.example.com", 9000}, "");
    CLoginDlg login(logic, prompts);
    CAboutDlg about;
    login.show();
    about.show();
    const QImage loginImage = login.grab().toImage();
    const QImage aboutImage = about.grab().toImage();
    ASSERT_FALSE(loginImage.isNull());
    ASSERT_FALSE(aboutImage.isNull());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Orvenna Office Client"));

    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(loginImage.save(QDir(folder).filePath(QStringLiteral("log_in.png"))));
    EXPECT_TRUE(aboutImage.save(QDir(folder).filePath(QStringLiteral("about.png"))));
}
