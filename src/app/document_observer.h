#pragma once
// How the document tells its views that something changed. The views hold no server
// state of their own: on every notification they read the document's lists again.

#include <QString>

#include <memory>

class CCaseQueryRequestInfo;
class CCaseQueryResults;
class CReportPrintout;

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;

    // The lists changed (log-in, log-out, a dropped connection, a reload): rebuild
    // everything shown from them. After a log-out the lists are empty.
    virtual void OnDocumentUpdated() = 0;

    // The document title changed.
    virtual void OnTitleChanged(const QString& title) { (void)title; }

    // A case view ran. The view that shows case lists takes the table and the request
    // that produced it (it may run the request again); the others leave them alone.
    virtual void OnCaseViewRun(std::unique_ptr<CCaseQueryResults>& results,
                               std::unique_ptr<CCaseQueryRequestInfo>& request)
    {
        (void)results;
        (void)request;
    }

    // Another report is to be shown in the report pane (generated on the server or read
    // from a report file). The document keeps it as well, for saving it to a file.
    virtual void OnReportShown(const std::shared_ptr<CReportPrintout>& report) { (void)report; }
};
