// The case commands' rights as a table, the text export's bytes and the external tool.
#include "app/case_command_rights.h"
#include "app/case_list_export.h"
#include "app/launch_tool.h"
#include "query/case_list_commands.h"
#include "records/case_query_results.h"
#include "support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

std::unique_ptr<CCaseQueryResults> Results(const std::vector<std::string>& headers,
                                           const std::vector<std::vector<std::string>>& rows)
{
    auto results = std::make_unique<CCaseQueryResults>();
    for (const std::string& header : headers) {
        auto column = std::make_shared<CCaseQueryResultColInfo>();
        column->header = header;
        results->resultColumns.push_back(column);
    }
    for (const auto& cells : rows) {
        auto row = std::make_shared<CCaseQueryDataRow>();
        row->cells = cells;
        results->rows.push_back(row);
    }
    return results;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(CaseCommandRights, EachMaskEnablesExactlyItsCommands)
{
    const std::set<int> always = {cmdCaseProgressReport, cmdCasePolicyDetail, cmdCasePrintAttachments,
                                  cmdCaseGenerateReport, cmdListExportText};
    const std::set<int> attachments = {cmdCaseOpenAttachment,      cmdCaseAttachments,          cmdCaseSaveAttachments,
                                       cmdCaseExportAttachmentsPdf, cmdCaseExportAttachmentsTiff,
                                       cmdCaseExportAttachmentsXps};
    auto with = [&](std::set<int> extra) {
        extra.insert(always.begin(), always.end());
        return extra;
    };
    struct Row {
        int32_t rights;
        std::set<int> enabled;
    };
    std::set<int> viewOnly = with(attachments);
    const Row rows[] = {
        {0, always},
        {0x40, viewOnly},  // viewing attachments is enough for all their commands
        {0x80, viewOnly},
        {0x800, with({cmdCaseDelete})},
        {0x4000 | 0x200, with({cmdCaseProperties, cmdCaseBilling})},
        {0x20000 | 0x80000, with({cmdCaseSchedule, cmdCaseAssignmentHistory})},
        {0x100000, with({cmdCaseResetLinks})},
        // Rights that no case command needs change nothing.
        {0x40000 | 0x200000 | 0x1, always},
    };
    for (const Row& row : rows) {
        std::set<int> enabled;
        for (const CaseCommandRight& entry : CaseCommandRights())
            if (CaseCommandAllowed(entry.commandId, row.rights))
                enabled.insert(entry.commandId);
        EXPECT_EQ(enabled, row.enabled) << std::hex << row.rights;
    }
    // Every command of the list's menu is in the table.
    for (int id : {cmdCaseProperties, cmdCaseDelete, cmdCaseResetLinks, cmdCaseBilling, cmdCaseGenerateReport})
        EXPECT_TRUE(CaseCommandRightOf(id).has_value()) << id;
}

TEST(CaseListExport, HeaderFromTheSecondColumnRowsAsReceivedBytesUntouched)
{
    // Only the key column: an empty line for the header and for each row.
    EXPECT_EQ(CaseListText(*Results({"Case"}, {{"A-1"}, {"A-2"}})), "\r\n\r\n\r\n");

    const auto results = Results({"Case", "Insured \"Name\"", "Caf\xe9"},
                                 {{"A-2", "Tab\there", "\xe9t\xe9"}, {"A-1", "\"quoted\", comma", ""}, {"A-3"}});
    EXPECT_EQ(CaseListText(*results), "Insured \"Name\"\tCaf\xe9\r\n"
                                      "Tab\there\t\xe9t\xe9\r\n"
                                      "\"quoted\", comma\t\r\n"
                                      "\t\r\n");

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    const QString path = dir.filePath(QStringLiteral("cases.txt"));
    prompts.fileAnswers = {path};
    ASSERT_TRUE(ExportCaseListToText(prompts, results.get()));
    ASSERT_EQ(prompts.fileChoices.size(), 1u);
    EXPECT_EQ(prompts.fileChoices[0].title, QStringLiteral("Export Case View To Text File"));
    EXPECT_EQ(prompts.fileChoices[0].filter, QStringLiteral("Tabbed Text Files (*.txt)|*.txt||"));
    EXPECT_EQ(prompts.fileChoices[0].defaultExtension, QStringLiteral("txt"));
    EXPECT_TRUE(prompts.fileChoices[0].overwritePrompt);
    EXPECT_EQ(ReadAll(path).toStdString(), CaseListText(*results));

    // No rows, no results: nothing is asked.
    EXPECT_FALSE(ExportCaseListToText(prompts, Results({"Case", "Name"}, {}).get()));
    EXPECT_FALSE(ExportCaseListToText(prompts, nullptr));
    EXPECT_EQ(prompts.fileChoices.size(), 1u);
}

TEST(CaseListExport, APlaceThatCannotBeWrittenSaysWhyAndLeavesNothing)
{
    QTemporaryDir dir;
    const auto results = Results({"Case", "Name"}, {{"A-1", "x"}});
    // A folder that is not there, and a name taken by a folder.
    const QString missing = dir.filePath(QStringLiteral("gone/cases.txt"));
    const QString folder = dir.filePath(QStringLiteral("cases.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ScriptedPrompts prompts;
    prompts.fileAnswers = {missing, folder};
    EXPECT_FALSE(ExportCaseListToText(prompts, results.get()));
    EXPECT_FALSE(ExportCaseListToText(prompts, results.get()));
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_FALSE(prompts.messages[0].text.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(LaunchTool, TheConfiguredCommandLineStartsOrSaysWhyNot)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("OrvennaOC.INI"));
    ScriptedPrompts prompts;
    std::vector<QString> started;
    auto starter = [&started](const QString& commandLine) {
        started.push_back(commandLine);
        return true;
    };

    // No file, then no key: nothing configured.
    EXPECT_FALSE(LaunchTool(prompts, settings, starter));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Login]\r\nUserID=joe\r\n[SETTINGS]\r\ntoolpath = /usr/bin/editor \"/tmp/my notes.txt\"\r\n");
    file.close();
    EXPECT_TRUE(LaunchTool(prompts, settings, starter));
    EXPECT_EQ(started, std::vector<QString>{QStringLiteral("/usr/bin/editor \"/tmp/my notes.txt\"")});
    EXPECT_EQ(prompts.MessageTexts(),
              std::vector<QString>{QStringLiteral("There isn't an application currently configured")});

    // A program that does not exist does not start.
    EXPECT_FALSE(StartDetachedCommandLine(dir.filePath(QStringLiteral("no-such-tool")) + QStringLiteral(" arg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nToolPath=" + dir.filePath(QStringLiteral("no-such-tool")).toLatin1() + "\n");
    file.close();
    EXPECT_FALSE(LaunchTool(prompts, settings));
    EXPECT_EQ(prompts.MessageTexts().back(), QStringLiteral("Attempt to launch tool failed"));
}
