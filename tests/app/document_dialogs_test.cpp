// The document's own dialogs: "Search Cases" builds the search formula from the
// choice and the text typed, and refuses an empty text; "Currently Logged In Users"
// lists the server's lines.
#include "app/logged_users_dlg.h"
#include "app/search_dlg.h"
#include "support/scripted_prompts.h"
#include "support/widget_application.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

TEST(SearchDialog, BuildsThePrefixMatchOfTheChosenFieldAndRefusesAnEmptyText)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CSearchDlg dialog({{"City", "[City]"}, {"Agent Name", "[AgentName]"}}, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Search Cases"));
    EXPECT_TRUE(dialog.ByPolicyNumberButton()->isChecked());
    EXPECT_FALSE(dialog.FieldBox()->isEnabled());
    ASSERT_EQ(dialog.FieldBox()->count(), 2);

    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Search text cannot be empty")});

    dialog.TextEdit()->setText(QStringLiteral("PL-88"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Formula(), "[PolicyNumber] = \"PL-88*\"");

    dialog.ByFieldButton()->setChecked(true);
    EXPECT_TRUE(dialog.FieldBox()->isEnabled());
    dialog.FieldBox()->setCurrentIndex(1);
    dialog.TextEdit()->setText(QStringLiteral("O'Neil \"Jr\""));
    dialog.accept();
    EXPECT_EQ(dialog.Formula(), "[AgentName] = \"O'Neil \"Jr\"*\"");

    // "~tw" stands for everything.
    dialog.ByInsuredNameButton()->setChecked(true);
    dialog.TextEdit()->setText(QStringLiteral("~tw"));
    dialog.accept();
    EXPECT_EQ(dialog.Formula(), "[InsuredName] = \"*\"");
}

TEST(SearchDialog, WithoutSearchableFieldsOnlyTheFixedSearchesAreOffered)
{
    WidgetApplication();
    ScriptedPrompts prompts;
    CSearchDlg dialog({}, prompts);
    EXPECT_FALSE(dialog.ByFieldButton()->isEnabled());
    EXPECT_EQ(dialog.FieldBox()->count(), 0);
}

TEST(LoggedUsersDialog, ListsTheLinesWithACloseButton)
{
    WidgetApplication();
    CLoggedUsersDlg dialog({"admin: Demo Administrator (Administrators) from 127.0.0.1 since 2024-05-02 09:14",
                            "carrier: Atlas Mutual Insurance (Parent) from 127.0.0.1 since 2024-05-02 09:20"});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Currently Logged In Users"));
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_TRUE(dialog.List()->item(1)->text().startsWith(QStringLiteral("carrier: ")));
    const auto buttons = dialog.findChild<QDialogButtonBox*>()->buttons();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("&Close"));
}
