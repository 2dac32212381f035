#pragma once
// The main window: the menus and the toolbar (main_frame_layout.h), the status bar
// with the message pane and the Caps, Num and Scroll Lock indicators, the panes in
// their splitters (the inventory tree on the left; on the right the case list above the
// report pane), and the 30-second timer that has the document check its connection.
//
// The frame observes the document: it rebuilds the tree when the lists change, empties
// the case list after a log-out, hands the tables of case views to the case list and
// the reports to the report pane, and shows the document title. Menu and toolbar
// entries exist only for the commands the program carries out; their enabling follows
// the document's state and the report pane's.
//
// "&Print..." goes to the case list or to the report pane, whichever of the two last
// had the keyboard focus (the case list at first; a report that is shown takes the
// focus). "Print Pre&view..." is the case list's, offered while the list is the one.

#include "app/document_observer.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class CaseListPrintHost;
class CCaseView;
class CEmptyView;
class CInventoryTreeView;
class COrvennaOCDoc;
class CTWReportViewGP;
class QAction;
class QLabel;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;

class CMainFrame : public QMainWindow, public DocumentObserver {
    Q_OBJECT
public:
    static constexpr int kConnectionCheckMs = 30000;
    static constexpr int kTreeWidth = 160;
    static constexpr int kCaseListHeight = 200;

    // The document must outlive the frame.
    explicit CMainFrame(COrvennaOCDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // A command of the frame's own: it gets its place in the menus and on the toolbar
    // wherever the layouts put its identifier. `enabled` and `checked` may be empty
    // (always enabled, not checkable).
    void AddCommand(int commandId, std::function<void()> run, std::function<bool()> enabled = {},
                    std::function<bool()> checked = {});
    bool HasCommand(int commandId) const { return commands_.count(commandId) != 0; }
    // Null for a command the program does not carry out.
    QAction* Action(int commandId) const;

    // Sets every command's enabling and check mark from the current state.
    void UpdateCommands();

    // The timer's tick: the document checks its connection.
    void OnConnectionTimer();

    // Which pane "&Print..." prints.
    enum class PrintPane { caseList, report };
    PrintPane PrintTarget() const { return printPane_; }

    CInventoryTreeView* TreeView() const { return tree_; }
    CCaseView* CaseView() const { return caseView_; }
    // The case list's printing, between the list and the document.
    CaseListPrintHost& CaseListPrinting() const { return *listHost_; }
    QStackedWidget* ReportPane() const { return reportPane_; }
    // The report preview, in the report pane once a report is shown.
    CTWReportViewGP* ReportView() const { return reportView_; }
    QSplitter* MainSplitter() const { return mainSplitter_; }
    QSplitter* RightSplitter() const { return rightSplitter_; }
    QToolBar* ToolBar() const { return toolBar_; }
    QTimer* ConnectionTimer() const { return connectionTimer_; }
    // The Caps Lock, Num Lock and Scroll Lock indicators, in that order.
    QLabel* LockIndicator(int index) const { return indicators_[index]; }

    // DocumentObserver
    void OnDocumentUpdated() override;
    void OnTitleChanged(const QString& title) override;
    void OnCaseViewRun(std::unique_ptr<CCaseQueryResults>& results,
                       std::unique_ptr<CCaseQueryRequestInfo>& request) override;
    void OnReportShown(const std::shared_ptr<CReportPrintout>& report) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Refused while audits are open in the companion application.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Command {
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
        QAction* action = nullptr;
    };

    void RegisterCommands();
    void RegisterReportCommands();
    // Print Setup, and Cut, Copy and Paste on the focused widget (main_frame_shell.cpp).
    void RegisterShellCommands();
    void BuildPanes();
    void OnFocusChanged(QWidget* now);
    void BuildStatusBar();
    // (Re)creates the menu bar and the toolbar from the layouts and the registered
    // commands.
    void BuildMenusAndToolbar();
    QAction* ActionFor(int commandId, const QString& menuText);
    void RunCommand(int commandId);
    void UpdateLockIndicators();
    void ShowAbout();

    COrvennaOCDoc& doc_;
    std::map<int, Command> commands_;
    CInventoryTreeView* tree_ = nullptr;
    CCaseView* caseView_ = nullptr;
    std::unique_ptr<CaseListPrintHost> listHost_;
    CEmptyView* emptyView_ = nullptr;
    QStackedWidget* reportPane_ = nullptr;
    CTWReportViewGP* reportView_ = nullptr;
    PrintPane printPane_ = PrintPane::caseList;
    QMetaObject::Connection focusConnection_;
    QMetaObject::Connection editFocusConnection_;
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* rightSplitter_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QTimer* connectionTimer_ = nullptr;
    QLabel* indicators_[3] = {};
    bool sized_ = false;
};
