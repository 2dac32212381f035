#pragma once
// The command identifiers of the main menu and the toolbar. The commands of the case
// list (case_list_commands.h) and of the tree (inventory_tree_layout.h) keep their own
// names; the main menu uses those where it offers the same command.

enum MainCommand : int {
    // The document's.
    cmdLogIn = 32771,
    cmdLogOut = 32772,
    cmdPrintSetup = 32781,
    cmdOpenReportFile = 32878,
    cmdSaveReportFile = 32879,
    cmdSearchCases = 32881,
    cmdLoggedInUserList = 32899,
    cmdHiddenTreeNodes = 32900,
    cmdLaunchTool = 32903,

    // The report pane's.
    cmdZoomIn = 33790,
    cmdZoomOut = 33791,
    cmdNextPage = 33792,
    cmdPreviousPage = 33793,
    cmdFirstPage = 33794,
    cmdLastPage = 33795,
    cmdFilePrint = 57607,
    cmdFilePrintPreview = 57609,

    // The frame's and the application's.
    cmdEditCopy = 57634,
    cmdEditCut = 57635,
    cmdEditPaste = 57637,
    cmdAppAbout = 57664,
    cmdAppExit = 57665,
};
