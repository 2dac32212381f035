#include "app/main_frame_layout.h"

#include "app/main_commands.h"
#include "app/command_prompts.h"
#include "query/case_list_commands.h"

namespace {

// Where the main menu names a case list command otherwise than the list's own menu: the
// main menu's text. An entry of the list's menu takes it when it appears in the main
// menu, whenever that entry arrives.
const struct {
    int commandId;
    const char* text;
} kMainMenuTexts[] = {
    {cmdOrderCases, "O&rder Cases..."},
    {cmdListExportText, "Export List to Text"},
    {cmdListPrintPreview, "Print Preview &List"},
    {cmdListPrint, "Print L&ist..."},
};

MenuEntry WithMainMenuText(MenuEntry entry)
{
    for (const auto& text : kMainMenuTexts)
        if (text.commandId == entry.commandId)
            entry.text = text.text;
    for (MenuEntry& inner : entry.submenu)
        inner = WithMainMenuText(std::move(inner));
    return entry;
}

// The case list's commands as the main menu offers them: the list's own menu without
// its printing entries, which the report menu's Print Preview and Print stand for.
std::vector<MenuEntry> CaseCommandEntries()
{
    std::vector<MenuEntry> entries;
    for (const MenuEntry& entry : CaseListMenu())
        if (entry.commandId != cmdListPrint && entry.commandId != cmdListPrintPreview)
            entries.push_back(WithMainMenuText(entry));
    return entries;
}

std::vector<MenuEntry> BuildMainMenu()
{
    std::vector<MenuEntry> cases = {{cmdSearchCases, "&Search Cases...", {}}, MenuSeparator()};
    for (MenuEntry& entry : CaseCommandEntries())
        cases.push_back(std::move(entry));

    return {
        {0, "&File",
         {{cmdLogIn, "Log &In...", {}},
          {cmdLogOut, "Log &Out...", {}},
          MenuSeparator(),
          {cmdPrintSetup, "&Print Setup...", {}},
          MenuSeparator(),
          {cmdLaunchTool, "Launch Tool", {}},
          MenuSeparator(),
          {cmdAppExit, "E&xit", {}}}},
        {0, "&Edit", {{cmdEditCut, "Cu&t", {}}, {cmdEditCopy, "&Copy", {}}, {cmdEditPaste, "&Paste", {}}}},
        {0, "&Cases", cases},
        {0, "&View",
         {{cmdHiddenTreeNodes, "&Hidden Tree Nodes", {}},
          MenuSeparator(),
          {cmdLoggedInUserList, "Logged In User List", {}}}},
        {0, "&Report",
         {{cmdFilePrintPreview, "Print Pre&view...", {}},
          {cmdFilePrint, "&Print...", {}},
          MenuSeparator(),
          {cmdFirstPage, "&First Page", {}},
          {cmdPreviousPage, "P&revious Page", {}},
          {cmdNextPage, "&Next Page", {}},
          {cmdLastPage, "&Last Page", {}},
          MenuSeparator(),
          {cmdZoomIn, "Zoom &In", {}},
          {cmdZoomOut, "Zoom &Out", {}},
          MenuSeparator(),
          {cmdOpenReportFile, "Op&en File...", {}},
          {cmdSaveReportFile, "&Save As File...", {}}}},
        {0, "&Help", {{cmdAppAbout, "&About Orvenna Office Client...", {}}}},
    };
}

}  // namespace

const std::vector<MenuEntry>& MainMenuLayout()
{
    static const std::vector<MenuEntry> menu = BuildMainMenu();
    return menu;
}

const std::vector<MenuEntry>& ToolbarLayout()
{
    static const std::vector<MenuEntry> toolbar = {
        {cmdSearchCases, "Search Cases", {}},
        MenuSeparator(),
        {cmdEditCut, "Cut", {}},
        {cmdEditCopy, "Copy", {}},
        {cmdEditPaste, "Paste", {}},
        MenuSeparator(),
        {cmdFilePrintPreview, "Print Preview", {}},
        {cmdFilePrint, "Print", {}},
        {cmdAppAbout, "About", {}},
        MenuSeparator(),
        {cmdLaunchTool, "Launch Tool", {}},
        MenuSeparator(),
        {cmdFirstPage, "First Page", {}},
        {cmdPreviousPage, "Previous Page", {}},
        {cmdNextPage, "Next Page", {}},
        {cmdLastPage, "Last Page", {}},
        MenuSeparator(),
        {cmdZoomIn, "Zoom In", {}},
        {cmdZoomOut, "Zoom Out", {}},
    };
    return toolbar;
}

CommandPrompt CommandPromptOf(int commandId)
{
    switch (commandId) {
    case cmdLogIn: return {QStringLiteral("Log into server"), QStringLiteral("Log in")};
    case cmdLogOut: return {QStringLiteral("Log out of server"), QStringLiteral("Log out")};
    default: return CommandPromptFromTable(commandId);
    }
}

QList<QKeySequence> CommandShortcuts(int commandId)
{
    switch (commandId) {
    case cmdEditCut: return QKeySequence::keyBindings(QKeySequence::Cut);
    case cmdEditCopy: return QKeySequence::keyBindings(QKeySequence::Copy);
    case cmdEditPaste: return QKeySequence::keyBindings(QKeySequence::Paste);
    default: return {};
    }
}

QString ToolTipOfMenuText(const QString& menuText)
{
    QString tip;
    for (qsizetype i = 0; i < menuText.size(); ++i) {
        if (menuText[i] == QLatin1Char('&')) {
            // "&&" stands for one ampersand.
            if (i + 1 < menuText.size() && menuText[i + 1] == QLatin1Char('&'))
                tip += menuText[++i];
            continue;
        }
        tip += menuText[i];
    }
    while (tip.endsWith(QLatin1Char('.')))
        tip.chop(1);
    return tip;
}
