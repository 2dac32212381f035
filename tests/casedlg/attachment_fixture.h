#pragma once
// CCaseAttachments over a client logged in to the real inventory-server, with scripted
// prompts and dialogs, a shell that records what it would open, and a report printer
// that records what it would print.

#include "casedlg/case_attachments.h"
#include "e2e/case_samples.h"
#include "e2e/office_client.h"
#include "platform/shell_launcher.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// An audit and a survey in the server's text format.
inline constexpr const char* kAuditText =
    "ORVENNA AUDIT 1\nTitle: Premium Audit 2024\nCase: A-1\nInsured: Northwind Tools\n\n"
    "# Payroll by classification\n| Code | Description | Payroll |\n|---|---|---|\n"
    "| 8810 | Clerical office | 120,000.00 |\n| 5403 | Carpentry | 88,500.00 |\n\n# Remarks\nVerified.\n";
inline constexpr const char* kSurveyText =
    "ORVENNA SURVEY 1\nTitle: Loss Control Survey\nInsured: Northwind Tools\n\n# Premises\nOne building.\n";

class RecordingShell : public ShellLauncher {
public:
    struct Viewer : ShellProcess {
        explicit Viewer(std::shared_ptr<bool> running) : running_(std::move(running)) {}
        bool Running() override { return *running_; }
        std::shared_ptr<bool> running_;
    };
    std::unique_ptr<ShellProcess> Open(const QString& path) override
    {
        opened.push_back(path);
        return std::make_unique<Viewer>(viewersRunning);
    }
    bool Print(const QString&, int) override { return false; }

    std::vector<QString> opened;
    std::shared_ptr<bool> viewersRunning = std::make_shared<bool>(true);
};

class AttachmentsEndToEnd : public InventoryEndToEnd {
protected:
    void SetUp() override;
    // The attachment operations for the client, with the rights given (the client's
    // own when 0).
    std::unique_ptr<CCaseAttachments> Make(COfficeClient& client, int32_t rights = 0, CAuditLink* link = nullptr);
    // A local file to attach.
    QString LocalFile(const std::string& name, const std::string& bytes);
    // Adds an attachment of the kind from a local file through the properties dialog.
    bool Add(CCaseAttachments& attachments, const std::string& caseNumber, AttachmentPropsLogic::Source source,
             const std::string& name, const QString& file, bool caseHasAttachments = true);

    CTempDir dir;
    ScriptedPrompts prompts;
    RecordingShell shell;
    std::deque<std::function<bool(AttachmentPropsLogic&)>> propsAnswers;
    std::vector<std::shared_ptr<CReportPrintout>> shown;
    std::vector<std::string> printedReports;  // name x copies
    std::unique_ptr<COfficeClient> admin;
    std::unique_ptr<COfficeClient> auditor;
};
