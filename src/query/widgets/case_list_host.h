#pragma once
// What the case list needs from the document: its commands, the query run again after
// a command, the refresh setting, the document title and the prompts.

#include <QString>

#include <memory>
#include <string>
#include <vector>

class CCaseQueryRequestInfo;
class CCaseQueryResults;
class UserPrompts;

class CaseListHost {
public:
    virtual ~CaseListHost() = default;

    // Whether the program carries out this command at all; the list shows menu entries
    // only for commands it has.
    virtual bool HasCaseCommand(int commandId) const = 0;

    // Whether the user may give it now (the rights it needs). A disabled command shows
    // greyed in the menu and does nothing when given by its key.
    virtual bool CaseCommandEnabled(int commandId) const = 0;

    // Carries out a command on the selected cases, in list order: one case for the
    // single-case commands, one or more for the others, none for the commands on the
    // list as a whole. True when it changed the cases on the server: then the list
    // refreshes them (deleted cases leave the list).
    virtual bool RunCaseCommand(int commandId, const std::vector<std::string>& caseNumbers) = 0;

    // Runs the list's query again; null after a failure, which the host has reported.
    virtual std::unique_ptr<CCaseQueryResults> RunQuery(const CCaseQueryRequestInfo& request) = 0;

    // False when the user's inventory info asks the list not to run its query again
    // after a command.
    virtual bool RefreshAfterCommands() const = 0;

    virtual QString DocumentTitle() const = 0;
    virtual void SetDocumentTitle(const QString& title) = 0;

    virtual UserPrompts& Prompts() = 0;
};
