#include "admin/case_child_prop_sheet.h"

#include "admin/assign_criteria.h"
#include "admin/child_sheet_logic.h"
#include "admin/criterion_dlg.h"
#include "platform/user_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString L1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Std(const QString& text)
{
    return text.toLatin1().toStdString();
}

QLineEdit* Edit(const char* objectName, int maxLength, QWidget* parent, bool password = false)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    if (password)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

CCaseChildPropSheet::CCaseChildPropSheet(CChildSheetLogic& logic, const QString& title, UserPrompts& prompts,
                                         std::vector<std::string> printers, QWidget* parent)
    : CPropSheetFrame(logic.Adding(), title, prompts, parent), m_logic(logic), m_prompts(prompts),
      m_printers(std::move(printers))
{
    m_general = BuildGeneral();
    m_access = BuildAccess();
    m_assignments = BuildAssignments();
    m_done = BuildDone();
    for (QWidget* page : {m_general, m_access, m_assignments, m_done})
        page->hide();
    Load();
    RebuildPages();
    SetCurrentPage(0);
}

QWidget* CCaseChildPropSheet::BuildGeneral()
{
    auto* page = new QWidget(this);
    page->setObjectName("generalPage");
    auto* form = new QFormLayout(page);
    m_group = new QComboBox(page);
    m_group->setObjectName("group");
    for (const std::string& name : UserGroupNames())
        m_group->addItem(L1(name));
    m_group->setEnabled(m_logic.Adding());
    form->addRow(QStringLiteral("Group:"), m_group);
    m_userId = Edit("userId", 20, page);
    form->addRow(QStringLiteral("User ID:"), m_userId);
    m_name = Edit("name", 50, page);
    form->addRow(QStringLiteral("Name:"), m_name);
    m_password = Edit("password", 10, page, true);
    form->addRow(QStringLiteral("Password:"), m_password);
    m_passwordAgain = Edit("passwordAgain", 10, page, true);
    form->addRow(QStringLiteral("Confirm Password:"), m_passwordAgain);
    m_detailLabel = new QLabel(page);
    auto* detail = new QHBoxLayout;
    m_detailChoice = new QComboBox(page);
    m_detailChoice->setObjectName("groupDetail");
    m_dllName = Edit("dllName", 30, page);
    detail->addWidget(m_detailChoice);
    detail->addWidget(m_dllName);
    form->addRow(m_detailLabel, detail);
    static const char* const contactLabels[] = {"Address:", "", "City:", "State:", "Zip:", "Phone:", "Fax:", "E-Mail:"};
    static const char* const contactNames[] = {"address1", "address2", "city", "state", "zip", "phone", "fax", "email"};
    static const int contactLimits[] = {30, 30, 30, 2, 12, 20, 20, 80};
    for (size_t i = 0; i < m_contact.size(); ++i) {
        m_contact[i] = Edit(contactNames[i], contactLimits[i], page);
        form->addRow(QString::fromLatin1(contactLabels[i]), m_contact[i]);
    }
    m_notes = new QPlainTextEdit(page);
    m_notes->setObjectName("notes");
    m_notes->setMaximumHeight(60);
    form->addRow(QStringLiteral("Notes:"), m_notes);
    m_hidden = new QCheckBox(QStringLiteral("Hide user in the Inventory Tree"), page);
    m_hidden->setObjectName("hidden");
    form->addRow(m_hidden);
    connect(m_group, qOverload<int>(&QComboBox::activated), this, &CCaseChildPropSheet::GroupChosen);
    return page;
}

QWidget* CCaseChildPropSheet::BuildAccess()
{
    auto* page = new QWidget(this);
    page->setObjectName("accessPage");
    auto* grid = new QGridLayout(page);
    const auto& rights = AccessRightsList();
    const int half = static_cast<int>((rights.size() + 1) / 2);
    for (size_t i = 0; i < rights.size(); ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(rights[i].label), page);
        box->setObjectName(QStringLiteral("right%1").arg(rights[i].flag, 0, 16));
        grid->addWidget(box, static_cast<int>(i) % half, static_cast<int>(i) / half);
        m_rights.push_back(box);
    }
    grid->setRowStretch(half, 1);
    return page;
}

QWidget* CCaseChildPropSheet::BuildAssignments()
{
    auto* page = new QWidget(this);
    page->setObjectName("assignmentsPage");
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    m_cap = new QSpinBox(page);
    m_cap->setObjectName("inventoryCap");
    m_cap->setRange(CAdminChildUser::kNoInventoryCap, kMaxInventoryCap);
    m_cap->setSpecialValueText(QStringLiteral("-1 (no limit)"));
    form->addRow(QStringLiteral("Inventory Cap:"), m_cap);
    layout->addLayout(form);
    m_autoFlag = new QCheckBox(QStringLiteral("Automatically flag this auditor's assigned cases for download"), page);
    m_autoFlag->setObjectName("autoFlag");
    layout->addWidget(m_autoFlag);
    m_criteria = new QTreeWidget(page);
    m_criteria->setObjectName("criteria");
    m_criteria->setRootIsDecorated(false);
    m_criteria->setHeaderLabels({QStringLiteral("Category"), QStringLiteral("Value 1"), QStringLiteral("Value 2")});
    layout->addWidget(m_criteria);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("&Add..."), page);
    add->setObjectName("addCriterion");
    auto* remove = new QPushButton(QStringLiteral("&Remove"), page);
    remove->setObjectName("removeCriterion");
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    auto* text = new QLabel(QString::fromLatin1(kUnlimitedCategoryText), page);
    text->setWordWrap(true);
    layout->addWidget(text);
    connect(add, &QPushButton::clicked, this, &CCaseChildPropSheet::AskForCriterion);
    connect(remove, &QPushButton::clicked, this, &CCaseChildPropSheet::RemoveSelectedCriterion);
    return page;
}

QWidget* CCaseChildPropSheet::BuildDone()
{
    auto* page = new QWidget(this);
    page->setObjectName("donePage");
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(
        QStringLiteral("This Child is now ready to be added.  Press the 'Finish' button to complete the addition."), page);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
    return page;
}

void CCaseChildPropSheet::Load()
{
    const CAdminChildUser& child = m_logic.Child();
    m_group->setCurrentIndex(ListPositionOfGroup(child.group));
    m_userId->setText(L1(child.userId));
    m_name->setText(L1(child.name));
    m_password->setText(L1(child.password));
    m_passwordAgain->setText(L1(m_logic.passwordAgain));
    const std::string* contact[] = {&child.address1, &child.address2, &child.city, &child.state,
                                    &child.zip,      &child.phone,    &child.fax,  &child.email};
    for (size_t i = 0; i < m_contact.size(); ++i)
        m_contact[i]->setText(L1(*contact[i]));
    m_notes->setPlainText(L1(child.notes));
    m_hidden->setChecked(child.hidden);
    const auto& rights = AccessRightsList();
    for (size_t i = 0; i < rights.size(); ++i)
        m_rights[i]->setChecked((child.rights & rights[i].flag) != 0);
    m_cap->setValue(child.inventoryCap);
    m_autoFlag->setChecked(child.autoFlag);
    m_autoFlag->setEnabled(child.autoFlagEnabled);
    LoadGroupDetail();
    LoadCriteria();
}

void CCaseChildPropSheet::LoadGroupDetail()
{
    const CAdminChildUser& child = m_logic.Child();
    const GroupDetailField detail = GroupDetailOf(child.group);
    m_detailLabel->setText(L1(detail.label));
    const QSignalBlocker blocker(m_detailChoice);
    m_detailChoice->clear();
    std::vector<std::string> choices = detail.choices;
    if (detail.kind == GroupDetailKind::printer)
        choices = m_printers;
    else if (detail.kind == GroupDetailKind::parent)
        choices = m_logic.parentNames;
    for (const std::string& choice : choices)
        m_detailChoice->addItem(L1(choice));
    const bool isList = detail.kind == GroupDetailKind::typeList || detail.kind == GroupDetailKind::printer ||
                        detail.kind == GroupDetailKind::parent;
    m_detailChoice->setVisible(isList || detail.kind == GroupDetailKind::none);
    m_detailChoice->setEnabled(isList);
    m_dllName->setVisible(detail.kind == GroupDetailKind::dllName);
    m_dllName->setText(L1(m_logic.dllName));
    if (isList) {
        // A stored value no longer offered (a printer removed from this computer) stays
        // as it is rather than silently becoming the first choice.
        int index = m_detailChoice->findText(L1(child.groupDetail));
        if (index < 0 && !child.groupDetail.empty()) {
            m_detailChoice->addItem(L1(child.groupDetail));
            index = m_detailChoice->count() - 1;
        }
        m_detailChoice->setCurrentIndex(index >= 0 ? index : 0);
    }
}

void CCaseChildPropSheet::LoadCriteria()
{
    m_criteria->clear();
    for (const CAssignCriterion& criterion : m_logic.Child().criteria)
        m_criteria->addTopLevelItem(
            new QTreeWidgetItem({L1(criterion.category), L1(criterion.value1), L1(criterion.value2)}));
}

void CCaseChildPropSheet::RebuildPages()
{
    std::vector<std::pair<QString, QWidget*>> pages;
    for (ChildPage page : m_logic.Pages()) {
        QWidget* widget = page == ChildPage::general  ? m_general
                          : page == ChildPage::access ? m_access
                          : page == ChildPage::assignments ? m_assignments
                                                           : m_done;
        pages.emplace_back(QString::fromLatin1(ChildPageTitle(page)), widget);
    }
    SetPages(std::move(pages));
}

void CCaseChildPropSheet::GroupChosen(int position)
{
    Store();
    m_logic.SetGroup(GroupAtListPosition(position));
    Load();
    RebuildPages();
}

void CCaseChildPropSheet::Store()
{
    CAdminChildUser& child = m_logic.Child();
    child.userId = Std(m_userId->text());
    child.name = Std(m_name->text());
    child.password = Std(m_password->text());
    m_logic.passwordAgain = Std(m_passwordAgain->text());
    std::string* contact[] = {&child.address1, &child.address2, &child.city, &child.state,
                              &child.zip,      &child.phone,    &child.fax,  &child.email};
    for (size_t i = 0; i < m_contact.size(); ++i)
        *contact[i] = Std(m_contact[i]->text());
    child.notes = Std(m_notes->toPlainText()).substr(0, 4096);
    child.hidden = m_hidden->isChecked();
    const GroupDetailField detail = GroupDetailOf(child.group);
    if (detail.kind == GroupDetailKind::dllName)
        m_logic.dllName = Std(m_dllName->text());
    else if (detail.kind != GroupDetailKind::none)
        child.groupDetail = Std(m_detailChoice->currentText()).substr(0, 30);
    int32_t ticked = 0;
    const auto& rights = AccessRightsList();
    for (size_t i = 0; i < rights.size(); ++i)
        if (m_rights[i]->isChecked())
            ticked |= rights[i].flag;
    child.rights = SavedRights(ticked);
    child.inventoryCap = m_cap->value();
    child.autoFlag = m_autoFlag->isChecked();
}

std::optional<SheetFailure> CCaseChildPropSheet::CheckPage(int page)
{
    return m_logic.ValidatePage(page);
}

std::optional<SheetFailure> CCaseChildPropSheet::CheckAll()
{
    return m_logic.Validate();
}

void CCaseChildPropSheet::AskForCriterion()
{
    CCriterionDlg dialog(m_logic.territoryEntries, m_logic.parentNames, m_logic.childNames, m_prompts, this);
    if (dialog.exec() == QDialog::Accepted)
        AddCriterion(dialog.Criterion());
}

void CCaseChildPropSheet::AddCriterion(const CAssignCriterion& criterion)
{
    const std::string refusal = ::AddCriterion(m_logic.Child().criteria, criterion);
    if (!refusal.empty()) {
        m_prompts.Message(L1(refusal));
        return;
    }
    LoadCriteria();
}

void CCaseChildPropSheet::RemoveSelectedCriterion()
{
    const int row = m_criteria->currentItem() ? m_criteria->indexOfTopLevelItem(m_criteria->currentItem()) : -1;
    auto& criteria = m_logic.Child().criteria;
    if (row < 0 || row >= static_cast<int>(criteria.size())) {
        m_prompts.Message(QStringLiteral("Nothing has been selected!"), UserPrompts::Icon::exclamation,
                          QStringLiteral("Error"));
        return;
    }
    criteria.erase(criteria.begin() + row);
    LoadCriteria();
}
