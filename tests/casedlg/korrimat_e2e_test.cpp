// The real korrimat program, started by the link: a new audit created from the case,
// then edited and saved on the companion's side and stored on the server. Screenshots of
// what the user sees along the way go to ORV_SCREENSHOT_DIR when it is set.
#include "attachment_fixture.h"
#include "audit_editor.h"
#include "audit_template.h"
#include "casedlg/attachment_props_dlg.h"
#include "casedlg/attachments_dlg.h"
#include "codec/binary_object.h"
#include "korrimat_server.h"
#include "platform/audit_link.h"
#include "report/report_printout.h"
#include "report/widgets/tw_report_view_gp.h"
#include "support/widget_application.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>

namespace {

bool Eventually(const std::function<bool()>& condition)
{
    QDeadlineTimer deadline(120000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}

void Shoot(QWidget& widget, const char* name)
{
    widget.show();
    const QImage image = widget.grab().toImage();
    EXPECT_FALSE(image.isNull());
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
}

std::string Stored(COfficeClient& client, const std::string& number, int32_t id)
{
    CBinaryObject bytes;
    return client.GetCaseFileAttach(number, id, bytes) ? bytes.GetBytes() : std::string();
}

}  // namespace

TEST_F(AttachmentsEndToEnd, KorrimatCreatesAndEditsAnAuditStoredOnTheServer)
{
    WidgetApplication();
    CAuditCase sample = PlainCase("Harbor Freight Lines");
    sample.policyNumber = "WC-2024-118";
    const std::string number = admin->CreateCase(sample);
    qputenv("ORV_DDE_SOCKET", QByteArray::fromStdString(dir.File("korrimat.sock")));
    qputenv("KORRIMAT_SCRIPTED", "1");
    AuditLinkOptions options;
    options.program = KORRIMAT_PATH;
    CAuditLink link(prompts, options);
    auto attachments = Make(*auditor, 0, &link);

    // New Audit: korrimat is started, builds the audit from the case's texts.
    propsAnswers.push_back([](AttachmentPropsLogic& props) {
        EXPECT_TRUE(props.NewAuditEnabled());
        EXPECT_EQ(props.GetSource(), AttachmentPropsLogic::Source::newAudit);
        props.SetName("Korrimat audit");
        return true;
    });
    ASSERT_TRUE(attachments->AddNew(number, false)) << (prompts.messages.empty() ? "" : prompts.MessageTexts()[0].toStdString());
    std::vector<CAttachment> list;
    ASSERT_TRUE(attachments->LoadList(number, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].kind, "AUDIT");
    const std::string created = Stored(*auditor, number, list[0].attachmentId);
    EXPECT_TRUE(created.starts_with("ORVENNA AUDIT 1\n"));
    EXPECT_NE(created.find("Insured: Harbor Freight Lines"), std::string::npos) << created;
    EXPECT_NE(created.find("WC-2024-118"), std::string::npos);

    // Edit: korrimat (scripted) saves with a remark and closes; the save is stored with
    // SETCASEAUDITATTACH and the conversation ends with the last audit.
    prompts.answers.push_back(true);
    attachments->Open(number, list[0]);
    EXPECT_EQ(prompts.questions.back().text, "Would you like to edit this document?");
    ASSERT_TRUE(Eventually([&] {
        return Stored(*auditor, number, list[0].attachmentId).find("Reviewed in Korrimat.") != std::string::npos &&
               link.OpenAudits().empty() && !link.Connected();
    })) << Stored(*auditor, number, list[0].attachmentId);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.MessageTexts()[0].toStdString();

    // Read-only: the audit in the report pane.
    attachments->Open(number, list[0]);
    ASSERT_EQ(shown.size(), 1u);
    CTWReportViewGP pane;
    pane.resize(900, 700);
    pane.SetPrintout(shown[0]);
    Shoot(pane, "audit_in_report_pane.png");

    // The dialogs a user meets on the way, and korrimat's editing window.
    ASSERT_TRUE(Add(*attachments, number, AttachmentPropsLogic::Source::surveyFile, "Site survey", LocalFile("s.sur", kSurveyText)));
    ASSERT_TRUE(Add(*attachments, number, AttachmentPropsLogic::Source::otherFile, "Payroll ledger", LocalFile("ledger.xlsx", "x")));
    ASSERT_TRUE(Add(*attachments, number, AttachmentPropsLogic::Source::auditFile, "Prior year audit", LocalFile("p.aud", kAuditText)));
    CAttachmentsDlg dialog(*attachments, number);
    Shoot(dialog, "attachments_dialog.png");
    prompts.messages.clear();
    dialog.findChild<QPushButton*>("remove")->click();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Nothing has been selected!");
    EXPECT_EQ(prompts.messages[0].caption, "Error");
    AttachmentPropsLogic props = AttachmentPropsLogic::ForNew(true, true);
    props.SetName("Annual audit 2024");
    CAttachmentPropsDlg propsDialog(props);
    Shoot(propsDialog, "attachment_properties.png");
    AttachmentPropsLogic editProps = AttachmentPropsLogic::ForEdit("Payroll ledger", true, false);
    CAttachmentPropsDlg editDialog(editProps);
    Shoot(editDialog, "attachment_properties_edit.png");
    KorrimatServer idle;
    auto* editor = new AuditEditor(idle, list[0].attachmentId, "Korrimat audit", created);
    Shoot(*editor, "korrimat_audit_editor.png");
    delete editor;
}
