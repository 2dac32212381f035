// The attachment operations against the real inventory-server: every kind added, edited,
// opened, printed and removed; saving and exporting the attachments of several cases.
#include "attachment_fixture.h"
#include "casedlg/attachment_names.h"
#include "casedlg/attachments_dlg.h"
#include "casedlg/case_attachment_printer.h"
#include "codec/binary_object.h"
#include "platform/unique_file.h"
#include "records/attachment.h"
#include "support/widget_application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <random>

namespace {

using Source = AttachmentPropsLogic::Source;

std::vector<std::string> Names(const std::vector<CAttachment>& list)
{
    std::vector<std::string> names;
    for (const CAttachment& a : list)
        names.push_back(a.name + "|" + a.kind + "|" + a.fileName + (a.toBePrinted ? "|print" : "") +
                        (a.isDefault ? "|default" : ""));
    return names;
}

std::string RandomBytes(size_t count)
{
    std::mt19937 random(99);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string Read(const QString& path)
{
    return UniqueFile::ReadAll(path).value_or("<missing>");
}

}  // namespace

TEST_F(AttachmentsEndToEnd, EveryKindIsAddedEditedOpenedPrintedAndRemoved)
{
    const std::string number = admin->CreateCase(PlainCase("Northwind Tools"));
    auto attachments = Make(*auditor);

    // New Audit is not offered without the companion: the first kind offered is Audit File.
    propsAnswers.push_back([](AttachmentPropsLogic& props) {
        EXPECT_FALSE(props.NewAuditEnabled());
        EXPECT_EQ(props.GetSource(), Source::auditFile);
        EXPECT_TRUE(props.IsDefault());  // the case has none yet
        EXPECT_TRUE(props.ToBePrinted());
        props.SetName("Annual audit");
        return true;
    });
    prompts.fileAnswers.push_back(LocalFile("annual.aud", kAuditText));
    ASSERT_TRUE(attachments->AddNew(number, false));
    ASSERT_TRUE(Add(*attachments, number, Source::surveyFile, "Site survey", LocalFile("site.sur", kSurveyText)));
    ASSERT_TRUE(Add(*attachments, number, Source::otherFile, "Ledger", LocalFile("ledger.txt", "ledger bytes")));
    ASSERT_EQ(prompts.fileChoices.size(), 3u);
    EXPECT_EQ(prompts.fileChoices[0].title, "Attach Audit File");
    EXPECT_EQ(prompts.fileChoices[0].filter, "Audit Files (*.aud)|*.aud||");
    EXPECT_EQ(prompts.fileChoices[1].title, "Attach Survey File");
    EXPECT_EQ(prompts.fileChoices[1].defaultExtension, "sur");
    EXPECT_EQ(prompts.fileChoices[2].filter, "All Files (*.*)|*.*||");
    // A file that cannot be read is reported in its own words and nothing is added.
    EXPECT_FALSE(Add(*attachments, number, Source::otherFile, "Gone", QString::fromStdString(dir.File("gone"))));
    ASSERT_EQ(prompts.messages.size(), 1u);

    std::vector<CAttachment> list;
    ASSERT_TRUE(attachments->LoadList(number, list));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Annual audit|AUDIT||print|default", "Site survey|SURVEY||print",
                                                     "Ledger|FILE|ledger.txt|print"}));
    EXPECT_EQ(CAttachmentsDlg::TypeText(list[2]), "FILE: ledger.txt");

    // Edit: name and flags only.
    propsAnswers.push_back([](AttachmentPropsLogic& props) {
        EXPECT_FALSE(props.IsNew());
        EXPECT_EQ(props.Name(), "Site survey");
        props.SetName("Survey (not printed)");
        props.SetToBePrinted(false);
        return true;
    });
    ASSERT_TRUE(attachments->Edit(number, list[1]));
    ASSERT_TRUE(attachments->LoadList(number, list));
    EXPECT_EQ(Names(list)[1], "Survey (not printed)|SURVEY|");

    // Open: audits and surveys go to the report pane, files to a viewer; a second open
    // while the first viewer runs takes the name with "(1)"; ended viewers' files go.
    attachments->Open(number, list[0]);
    attachments->Open(number, list[1]);
    EXPECT_EQ(shown.size(), 2u);
    attachments->Open(number, list[2]);
    attachments->Open(number, list[2]);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_TRUE(shell.opened[0].endsWith("/ledger.txt"));
    EXPECT_TRUE(shell.opened[1].endsWith("/ledger(1).txt"));
    EXPECT_EQ(Read(shell.opened[1]), "ledger bytes");
    *shell.viewersRunning = false;
    attachments->OpenFiles().Sweep();
    EXPECT_EQ(attachments->OpenFiles().Size(), 0u);
    EXPECT_FALSE(QFile::exists(shell.opened[0]));
    CAttachment odd = list[2];
    odd.kind = "LINK";
    attachments->Open(number, odd);
    EXPECT_EQ(prompts.MessageTexts().back(), "This type of attachment is not supported");

    // The default attachment is the audit.
    EXPECT_FALSE(attachments->OpenDefault(number));
    EXPECT_EQ(shown.size(), 3u);

    // Printing with copies: the audit as a report, the file through the print command
    // (a fake "lp" that records its arguments and what it was given); the survey is
    // not marked to be printed.
    const std::string fakeLp = dir.File("fake-lp");
    QFile script(QString::fromStdString(fakeLp));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\nprintf '%s\\n' \"$*\" >> " + dir.File("lp.log") + "\ncat \"$3\" >> " + dir.File("lp.out") + "\n").c_str());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProcessShellLauncher printer("true", QString::fromStdString(fakeLp));
    AttachmentPrintServices services;
    services.shell = &printer;
    services.printReport = [this](CReportPrintout&, const std::string& name, int copies) {
        printedReports.push_back(name + " x" + std::to_string(copies));
        return true;
    };
    const size_t messagesBefore = prompts.messages.size();
    EXPECT_TRUE(PrintCaseAttachments(*auditor, prompts, number, 2, services));
    EXPECT_EQ(printedReports, std::vector<std::string>{"Annual audit x2"});
    const std::string log = Read(QString::fromStdString(dir.File("lp.log")));
    EXPECT_TRUE(log.starts_with("-n 2 /")) << log;
    EXPECT_EQ(Read(QString::fromStdString(dir.File("lp.out"))), "ledger bytes");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(log.substr(6, log.size() - 7))));  // deleted after printing
    // A print command that fails is reported and the operation fails.
    services.shell = &shell;
    EXPECT_FALSE(PrintCaseAttachments(*auditor, prompts, number, 1, services));
    EXPECT_EQ(prompts.MessageTexts().back(), "Print file attachment failed - Target App");
    EXPECT_EQ(prompts.messages.size(), messagesBefore + 1);

    // Remove asks with the count, then removes in order.
    prompts.answers.push_back(true);
    EXPECT_TRUE(attachments->Remove(number, {list[1], list[2]}));
    EXPECT_EQ(prompts.questions.back().text, "You are about to delete 2 attachment(s).  Are you sure?");
    ASSERT_TRUE(attachments->LoadList(number, list));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(prompts.waitDepth, 0);
}

TEST_F(AttachmentsEndToEnd, ACaseWithoutDefaultOffersToCreateOne)
{
    const std::string number = admin->CreateCase(PlainCase("Cedar Mill"));
    auto attachments = Make(*auditor);
    prompts.answers.push_back(true);
    propsAnswers.push_back([&](AttachmentPropsLogic& props) {
        EXPECT_EQ(props.Name().toStdString(), number + ": Cedar Mill");
        EXPECT_TRUE(props.IsDefault() && props.ToBePrinted());
        props.SetSource(Source::otherFile);
        return true;
    });
    prompts.fileAnswers.push_back(LocalFile("notes.txt", "notes"));
    EXPECT_TRUE(attachments->OpenDefault(number));
    EXPECT_EQ(prompts.questions.at(0).text,
              "This case does not have a default attachment.  Would you like to create one?");
    std::vector<CAttachment> list;
    ASSERT_TRUE(attachments->LoadList(number, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0].isDefault);
    // Now there is one: it opens.
    EXPECT_FALSE(attachments->OpenDefault(number));
    EXPECT_EQ(shell.opened.size(), 1u);

    // Print attachments of several cases: asked with the count; the first case whose
    // file cannot be printed stops the loop.
    prompts.messages.clear();
    prompts.answers.push_back(true);
    attachments->PrintMany({number, number});
    EXPECT_EQ(prompts.questions.back().text, "You are about to print attachments for 2 case(s).  Are you sure?");
    EXPECT_EQ(prompts.MessageTexts(),
              (std::vector<QString>{"Print file attachment failed - Target App", "Error printing attachments"}));
    prompts.messages.clear();
    Make(*auditor, CCaseAttachments::kRightArchivedOnly)->PrintMany({number});
    EXPECT_EQ(prompts.MessageTexts(),
              std::vector<QString>{"Your access rights do not allow printing case attachments"});
}

TEST_F(AttachmentsEndToEnd, SavingAndExportingSeveralCases)
{
    const std::string big = RandomBytes(30u << 20);
    std::vector<std::string> numbers;
    for (const char* insured : {"Alpha Freight", "Beta Bakery", "Gamma Glassworks Incorporated"})
        numbers.push_back(admin->CreateCase(PlainCase(insured)));
    auto attachments = Make(*auditor);
    ASSERT_TRUE(Add(*attachments, numbers[0], Source::auditFile, "First", LocalFile("a.aud", kAuditText)));
    ASSERT_TRUE(Add(*attachments, numbers[0], Source::auditFile, "Second", LocalFile("b.aud", "ORVENNA AUDIT 1\n")));
    ASSERT_TRUE(Add(*attachments, numbers[1], Source::surveyFile, "Survey", LocalFile("s.sur", kSurveyText)));
    ASSERT_TRUE(Add(*attachments, numbers[1], Source::otherFile, "Evil", LocalFile("x.bin", "evil")));
    ASSERT_TRUE(Add(*attachments, numbers[2], Source::otherFile, "Big", LocalFile("big.bin", big)));
    // A file name from the server with folders in it lands under its last component.
    std::vector<CAttachment> list;
    ASSERT_TRUE(auditor->GetCaseAttachments(numbers[1], list));
    CAttachment planted;
    planted.kind = "FILE";
    planted.name = "Planted";
    planted.fileName = "..\\..\\.profile";
    ASSERT_EQ(auditor->SetCaseAttachment(numbers[1], planted, CBinaryObject("p"), CInventoryServer::modeAdd), 0);

    CTempDir out;
    const QString folder = QString::fromStdString(out.Path());
    prompts.folderAnswers.push_back(folder);
    attachments->SaveMany(numbers);
    EXPECT_EQ(prompts.folderTitles.back(), "Select Folder to Save Attachments");
    EXPECT_TRUE(prompts.messages.empty()) << prompts.MessageTexts().front().toStdString();
    CAttachment audit;
    audit.kind = "AUDIT";
    const QString first = folder + "/" + QString::fromStdString(AttachmentNames::SavedName(numbers[0], audit));
    EXPECT_EQ(Read(first), kAuditText);
    EXPECT_EQ(Read(QString(first).replace(".aud", "(1).aud")), "ORVENNA AUDIT 1\n");
    EXPECT_EQ(Read(folder + "/x.bin"), "evil");
    EXPECT_EQ(Read(folder + "/profile"), "p");
    EXPECT_TRUE(Read(folder + "/big.bin") == big);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);

    // Export the audits and surveys as PDF documents named after insured and policy.
    CTempDir pdfs;
    prompts.folderAnswers.push_back(QString::fromStdString(pdfs.Path()));
    attachments->ExportMany(numbers, CCaseAttachments::ExportKind::pdf);
    EXPECT_EQ(prompts.folderTitles.back(), "Select Folder to Save Files");
    EXPECT_TRUE(prompts.messages.empty());
    const QStringList exported = QDir(QString::fromStdString(pdfs.Path())).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(exported.size(), 3);
    EXPECT_TRUE(exported[0].startsWith("Alpha Freight        ")) << exported[0].toStdString();
    EXPECT_TRUE(exported[0].contains("(1)") || exported[1].contains("(1)"));
    EXPECT_EQ(Read(QString::fromStdString(pdfs.Path()) + "/" + exported[0]).substr(0, 5), "%PDF-");

    // With the archived-only right, open cases are refused one by one.
    auto limited = Make(*auditor, CCaseAttachments::kRightsReadAttachments | CCaseAttachments::kRightArchivedOnly);
    CTempDir none;
    prompts.folderAnswers.push_back(QString::fromStdString(none.Path()));
    limited->SaveMany({numbers[0]});
    EXPECT_EQ(prompts.MessageTexts(),
              std::vector<QString>{QString::fromStdString("Your access rights do not allow saving this case's attachment: " +
                                                          numbers[0])});
    EXPECT_EQ(prompts.waitDepth, 0);
}
