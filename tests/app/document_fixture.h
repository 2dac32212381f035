#pragma once
// A document with scripted prompts and dialogs, a settings file in a temporary folder,
// and an observer that records what the views were told.

#include "app/orvenna_oc_doc.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "support/scripted_prompts.h"

#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class RecordingObserver : public DocumentObserver {
public:
    void OnDocumentUpdated() override { ++updates; }
    void OnTitleChanged(const QString& title) override { titles.push_back(title); }
    void OnCaseViewRun(std::unique_ptr<CCaseQueryResults>& results,
                       std::unique_ptr<CCaseQueryRequestInfo>& request) override
    {
        // Copies: a case list observing as well takes the originals.
        lastResults = results ? std::make_unique<CCaseQueryResults>(*results) : nullptr;
        lastRequest = request ? std::make_unique<CCaseQueryRequestInfo>(*request) : nullptr;
        ++runs;
    }
    void OnReportShown(const std::shared_ptr<CReportPrintout>& report) override
    {
        lastReport = report;
        ++reportsShown;
    }

    int updates = 0;
    int runs = 0;
    int reportsShown = 0;
    std::shared_ptr<CReportPrintout> lastReport;
    std::vector<QString> titles;
    std::unique_ptr<CCaseQueryResults> lastResults;
    std::unique_ptr<CCaseQueryRequestInfo> lastRequest;
};

class DocFixture {
public:
    DocFixture() : settingsPath(dir.filePath(QStringLiteral("OrvennaOC.INI"))), doc(prompts, settingsPath)
    {
        DocumentDialogs dialogs;
        dialogs.logIn = [this](LoginLogic& logic) {
            offeredPasswords.push_back(logic.password);
            if (cancelLogIn)
                return false;
            logic.SetUserId(userId);
            logic.password = password;
            logic.host = host;
            logic.portText = std::to_string(port);
            return true;
        };
        dialogs.search = [this](const std::vector<SearchField>& fields) {
            offeredSearchFields = fields;
            ++searches;
            return searchAnswer;
        };
        dialogs.loggedInUsers = [this](const std::vector<std::string>& lines) { userLines = lines; };
        doc.SetDialogs(dialogs);
        doc.AddObserver(&observer);
    }

    // Logs in through the scripted dialog.
    bool LogInAs(const std::string& user, const std::string& pass, int serverPort)
    {
        userId = user;
        password = pass;
        port = serverPort;
        return doc.LogIn();
    }

    // What the scripted log-in dialog enters.
    std::string userId;
    std::string password;
    std::string host = "127.0.0.1";
    int port = 0;
    bool cancelLogIn = false;
    std::vector<std::string> offeredPasswords;

    // The search dialog's answer and what it was offered.
    std::optional<std::string> searchAnswer;
    std::vector<SearchField> offeredSearchFields;
    int searches = 0;

    std::vector<std::string> userLines;

    QTemporaryDir dir;
    QString settingsPath;
    ScriptedPrompts prompts;
    RecordingObserver observer;
    COrvennaOCDoc doc;
};
