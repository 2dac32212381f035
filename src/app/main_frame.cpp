#include "app/main_frame.h"

#include "app/about_dlg.h"
#include "app/case_list_print_host.h"
#include "app/command_icons.h"
#include "app/lock_key_state.h"
#include "app/main_commands.h"
#include "app/main_frame_layout.h"
#include "app/orvenna_oc_app.h"
#include "app/orvenna_oc_doc.h"
#include "app/program_emblem.h"
#include "platform/user_prompts.h"
#include "query/case_list_commands.h"
#include "query/widgets/case_view.h"
#include "query/widgets/empty_view.h"
#include "query/widgets/inventory_tree_view.h"
#include "records/case_query_request_info.h"
#include "records/case_query_results.h"
#include "report/report_commands.h"
#include "report/widgets/tw_report_view_gp.h"

#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

// Finds a command's menu text in the layout, popups included.
const MenuEntry* FindEntry(const std::vector<MenuEntry>& entries, int commandId)
{
    for (const MenuEntry& entry : entries) {
        if (entry.commandId == commandId && !entry.IsPopup())
            return &entry;
        if (const MenuEntry* found = FindEntry(entry.submenu, commandId))
            return found;
    }
    return nullptr;
}

}  // namespace

CMainFrame::CMainFrame(COrvennaOCDoc& doc, QWidget* parent) : QMainWindow(parent), doc_(doc)
{
    setWindowIcon(ProgramIcon());
    setUnifiedTitleAndToolBarOnMac(true);

    BuildPanes();
    BuildStatusBar();
    RegisterCommands();
    BuildMenusAndToolbar();

    connectionTimer_ = new QTimer(this);
    connectionTimer_->setInterval(kConnectionCheckMs);
    connect(connectionTimer_, &QTimer::timeout, this, &CMainFrame::OnConnectionTimer);
    connectionTimer_->start();

    doc_.AddObserver(this);
    OnTitleChanged(doc_.DocumentTitle());
    qApp->installEventFilter(this);
    UpdateLockIndicators();
    UpdateCommands();

    // A size that suits the panes on a desktop screen, never more than the screen.
    QSize size(1180, 760);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.92);
    resize(size);
}

CMainFrame::~CMainFrame()
{
    connectionTimer_->stop();
    qApp->removeEventFilter(this);
    // The panes go before the QObject does: focus moves while they do.
    disconnect(focusConnection_);
    disconnect(editFocusConnection_);
    doc_.RemoveObserver(this);
    tree_->SetHost(nullptr);
    caseView_->SetHost(nullptr);
}

// --- Panes -----------------------------------------------------------------------------------

void CMainFrame::BuildPanes()
{
    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setChildrenCollapsible(false);
    mainSplitter_->setHandleWidth(5);

    tree_ = new CInventoryTreeView(mainSplitter_);
    tree_->SetHost(&doc_);
    tree_->setMinimumWidth(60);

    rightSplitter_ = new QSplitter(Qt::Vertical, mainSplitter_);
    rightSplitter_->setChildrenCollapsible(false);
    rightSplitter_->setHandleWidth(5);

    caseView_ = new CCaseView(rightSplitter_);
    listHost_ = std::make_unique<CaseListPrintHost>(doc_, *caseView_);
    caseView_->SetHost(listHost_.get());

    // The report pane. It shows the blank view until a report is put in it, then the
    // report preview.
    reportPane_ = new QStackedWidget(rightSplitter_);
    reportPane_->setFrameShape(QFrame::StyledPanel);
    emptyView_ = new CEmptyView(reportPane_);
    // A desk rather than a blank page: nothing is shown here yet.
    emptyView_->setBackgroundRole(QPalette::Mid);
    reportPane_->addWidget(emptyView_);
    connect(emptyView_, &CEmptyView::documentTitleRequested, this,
            [this](const QString& title) { doc_.SetDocumentTitle(title); });
    reportView_ = new CTWReportViewGP(reportPane_);
    reportView_->setFocusPolicy(Qt::StrongFocus);
    reportPane_->addWidget(reportView_);
    connect(reportView_, &CTWReportViewGP::previewChanged, this, [this] { UpdateCommands(); });
    connect(reportView_, &CTWReportViewGP::printFailed, this,
            [this] { doc_.Prompts().Message(QString::fromLatin1(CTWReportViewGP::kPrintFailedMessage)); });
    focusConnection_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });

    mainSplitter_->addWidget(tree_);
    mainSplitter_->addWidget(rightSplitter_);
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    rightSplitter_->addWidget(caseView_);
    rightSplitter_->addWidget(reportPane_);
    rightSplitter_->setStretchFactor(0, 0);
    rightSplitter_->setStretchFactor(1, 1);
    setCentralWidget(mainSplitter_);

    connect(caseView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateCommands(); });
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!doc_.CanCloseWithAudits()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (sized_)
        return;
    sized_ = true;
    // The initial pane sizes: the tree 160 wide, the case list 200 high; the rest goes
    // to the right side and to the report pane.
    const int width = mainSplitter_->width() - mainSplitter_->handleWidth();
    mainSplitter_->setSizes({kTreeWidth, std::max(width - kTreeWidth, 1)});
    const int height = rightSplitter_->height() - rightSplitter_->handleWidth();
    rightSplitter_->setSizes({kCaseListHeight, std::max(height - kCaseListHeight, 1)});
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    const QStringList names = {QStringLiteral("CAP"), QStringLiteral("NUM"), QStringLiteral("SCRL")};
    for (int i = 0; i < 3; ++i) {
        auto* indicator = new QLabel(names[i], bar);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 16);
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicators_[i] = indicator;
        bar->addPermanentWidget(indicator);
    }
}

void CMainFrame::UpdateLockIndicators()
{
    const std::optional<LockKeyState> state = ReadLockKeyState();
    const bool on[3] = {state && state->capsLock, state && state->numLock, state && state->scrollLock};
    for (int i = 0; i < 3; ++i)
        indicators_[i]->setEnabled(on[i]);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The lock keys may have changed with any key, or while another program had the
    // keyboard.
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease || (type == QEvent::WindowActivate && watched == this) ||
        (type == QEvent::ApplicationActivate && watched == qApp))
        UpdateLockIndicators();
    return QMainWindow::eventFilter(watched, event);
}

// --- Commands ----------------------------------------------------------------------------------

void CMainFrame::RegisterCommands()
{
    // The document's own commands, then the case list's (given to the list, which takes
    // the selection they need), then the frame's and the application's.
    auto visit = [this](const auto& self, const std::vector<MenuEntry>& entries) -> void {
        for (const MenuEntry& entry : entries) {
            self(self, entry.submenu);
            const int id = entry.commandId;
            if (id == 0 || commands_.count(id) != 0)
                continue;
            if (doc_.HasDocumentCommand(id)) {
                std::function<bool()> checked;
                if (doc_.DocumentCommandCheckable(id))
                    checked = [this, id] { return doc_.DocumentCommandChecked(id); };
                commands_[id] = {[this, id] { doc_.RunDocumentCommand(id); },
                                 [this, id] { return doc_.DocumentCommandEnabled(id); }, checked};
            } else if (doc_.HasCaseCommand(id)) {
                commands_[id] = {[this, id] { caseView_->RunCommand(id); },
                                 [this, id] { return doc_.CaseCommandEnabled(id); }, {}};
            }
        }
    };
    visit(visit, MainMenuLayout());
    visit(visit, ToolbarLayout());

    RegisterReportCommands();
    RegisterShellCommands();
    commands_[cmdAppAbout] = {[this] { ShowAbout(); }, {}, {}};
    commands_[cmdAppExit] = {[this] { close(); }, {}, {}};
}

void CMainFrame::RegisterReportCommands()
{
    // Paging and zoom are the report pane's, whichever pane has the focus.
    for (int id : {cmdFirstPage, cmdPreviousPage, cmdNextPage, cmdLastPage, cmdZoomIn, cmdZoomOut})
        commands_[id] = {[this, id] { reportView_->RunCommand(id); },
                         [this, id] { return reportView_->Logic().IsEnabled(id); }, {}};

    // One identifier for the report's print and the list's.
    commands_[cmdFilePrint] = {[this] {
                                   if (printPane_ == PrintPane::report)
                                       reportView_->RunCommand(ReportCommand::print);
                                   else
                                       caseView_->RunCommand(cmdListPrint);
                               },
                               {}, {}};
    commands_[cmdFilePrintPreview] = {[this] { caseView_->RunCommand(cmdListPrintPreview); },
                                      [this] { return printPane_ == PrintPane::caseList; }, {}};
}

void CMainFrame::OnFocusChanged(QWidget* now)
{
    if (now == nullptr)
        return;
    PrintPane pane = printPane_;
    if (now == caseView_ || caseView_->isAncestorOf(now))
        pane = PrintPane::caseList;
    else if (now == reportView_ || reportView_->isAncestorOf(now))
        pane = PrintPane::report;
    if (pane == printPane_)
        return;
    printPane_ = pane;
    UpdateCommands();
}

void CMainFrame::AddCommand(int commandId, std::function<void()> run, std::function<bool()> enabled,
                            std::function<bool()> checked)
{
    commands_[commandId] = {std::move(run), std::move(enabled), std::move(checked)};
    BuildMenusAndToolbar();
    UpdateCommands();
}

QAction* CMainFrame::Action(int commandId) const
{
    const auto found = commands_.find(commandId);
    return found == commands_.end() ? nullptr : found->second.action;
}

QAction* CMainFrame::ActionFor(int commandId, const QString& menuText)
{
    Command& command = commands_.at(commandId);
    if (command.action != nullptr)
        return command.action;
    auto* action = new QAction(menuText, this);
    action->setIcon(CommandIcon(commandId));
    action->setData(commandId);
    const CommandPrompt prompt = CommandPromptOf(commandId);
    action->setStatusTip(prompt.statusText);
    action->setToolTip(prompt.toolTip.isEmpty() ? ToolTipOfMenuText(menuText) : prompt.toolTip);
    action->setCheckable(static_cast<bool>(command.checked));
    action->setShortcuts(CommandShortcuts(commandId));
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    command.action = action;
    return action;
}

void CMainFrame::BuildMenusAndToolbar()
{
    const auto available = [this](int commandId) { return HasCommand(commandId); };

    QMenuBar* bar = menuBar();
    bar->clear();
    const auto fill = [this](const auto& self, QMenu& menu, const std::vector<MenuEntry>& entries) -> void {
        for (const MenuEntry& entry : entries) {
            if (entry.IsSeparator()) {
                menu.addSeparator();
            } else if (entry.IsPopup()) {
                self(self, *menu.addMenu(QString::fromLatin1(entry.text)), entry.submenu);
            } else {
                menu.addAction(ActionFor(entry.commandId, QString::fromLatin1(entry.text)));
            }
        }
    };
    for (const MenuEntry& popup : AvailableEntries(MainMenuLayout(), available)) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(popup.text));
        fill(fill, *menu, popup.submenu);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    }

    if (toolBar_ == nullptr) {
        toolBar_ = addToolBar(QStringLiteral("Standard"));
        toolBar_->setObjectName(QStringLiteral("standardToolBar"));
        toolBar_->setMovable(true);
        toolBar_->setFloatable(true);
        toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
        toolBar_->setIconSize(QSize(20, 20));
        toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    toolBar_->clear();
    for (const MenuEntry& entry : AvailableEntries(ToolbarLayout(), available)) {
        if (entry.IsSeparator()) {
            toolBar_->addSeparator();
            continue;
        }
        // A command that no menu names gets the toolbar's text.
        const MenuEntry* menuEntry = FindEntry(MainMenuLayout(), entry.commandId);
        toolBar_->addAction(ActionFor(entry.commandId, QString::fromLatin1(menuEntry ? menuEntry->text : entry.text)));
    }
}

void CMainFrame::RunCommand(int commandId)
{
    const auto found = commands_.find(commandId);
    if (found == commands_.end())
        return;
    // The state may have changed since the entry was last enabled.
    if (found->second.enabled && !found->second.enabled()) {
        UpdateCommands();
        return;
    }
    const std::function<void()> run = found->second.run;
    run();
    UpdateCommands();
}

void CMainFrame::UpdateCommands()
{
    for (auto& [id, command] : commands_) {
        if (command.action == nullptr)
            continue;
        command.action->setEnabled(!command.enabled || command.enabled());
        if (command.checked)
            command.action->setChecked(command.checked());
    }
}

void CMainFrame::ShowAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnConnectionTimer()
{
    doc_.CheckConnection();
}

// --- Document ----------------------------------------------------------------------------------

void CMainFrame::OnDocumentUpdated()
{
    tree_->Rebuild();
    // Logged out: the list empties at once with the tree.
    if (!doc_.IsLoggedIn())
        caseView_->ShowResults(nullptr, nullptr);
    UpdateCommands();
}

void CMainFrame::OnTitleChanged(const QString& title)
{
    const QString program = QString::fromLatin1(kApplicationTitle);
    setWindowTitle(title.isEmpty() ? program : title + QStringLiteral(" - ") + program);
    // A printed report is named after the document.
    reportView_->SetDocumentName(title.toLatin1().toStdString());
}

void CMainFrame::OnCaseViewRun(std::unique_ptr<CCaseQueryResults>& results,
                               std::unique_ptr<CCaseQueryRequestInfo>& request)
{
    caseView_->ShowResults(std::move(results), std::move(request));
    UpdateCommands();
}

void CMainFrame::OnReportShown(const std::shared_ptr<CReportPrintout>& report)
{
    reportView_->SetPrintout(report);
    reportPane_->setCurrentWidget(reportView_);
    // The report takes the focus, and with it "&Print...".
    reportView_->setFocus(Qt::OtherFocusReason);
    printPane_ = PrintPane::report;
    UpdateCommands();
}
