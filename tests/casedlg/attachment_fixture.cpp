#include "attachment_fixture.h"

#include "platform/unique_file.h"
#include "records/inventory_info.h"

void AttachmentsEndToEnd::SetUp()
{
    InventoryEndToEnd::SetUp();
    admin = LogIn("admin");
    auditor = LogIn("auditor");
    ASSERT_TRUE(admin->LoggedIn() && auditor->LoggedIn());
}

std::unique_ptr<CCaseAttachments> AttachmentsEndToEnd::Make(COfficeClient& client, int32_t rights, CAuditLink* link)
{
    if (rights == 0) {
        CInventoryInfo info;
        EXPECT_TRUE(client.GetInventoryInfo(false, info));
        rights = info.rights;
    }
    CaseAttachmentsEnv env;
    env.rights = [rights] { return rights; };
    env.showReport = [this](std::shared_ptr<CReportPrintout> report) { shown.push_back(std::move(report)); };
    env.properties = [this](AttachmentPropsLogic& props) {
        if (propsAnswers.empty())
            return false;
        auto answer = std::move(propsAnswers.front());
        propsAnswers.pop_front();
        return answer(props);
    };
    env.shell = &shell;
    env.link = link;
    env.companionInstalled = [link] { return link != nullptr; };
    env.print.shell = &shell;
    env.print.printReport = [this](CReportPrintout&, const std::string& name, int copies) {
        printedReports.push_back(name + " x" + std::to_string(copies));
        return true;
    };
    return std::make_unique<CCaseAttachments>(client, prompts, std::move(env));
}

QString AttachmentsEndToEnd::LocalFile(const std::string& name, const std::string& bytes)
{
    return *UniqueFile::Create(QString::fromStdString(dir.Path()), name, bytes);
}

bool AttachmentsEndToEnd::Add(CCaseAttachments& attachments, const std::string& caseNumber,
                              AttachmentPropsLogic::Source source, const std::string& name, const QString& file,
                              bool caseHasAttachments)
{
    propsAnswers.push_back([source, name](AttachmentPropsLogic& props) {
        props.SetSource(source);
        props.SetName(QString::fromStdString(name));
        return true;
    });
    if (!file.isEmpty())
        prompts.fileAnswers.push_back(file);
    return attachments.AddNew(caseNumber, caseHasAttachments);
}
