#include "admin/case_parent_prop_sheet.h"

#include "admin/parent_sheet_logic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
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

QLineEdit* Edit(const QString& objectName, int maxLength, QWidget* parent, bool password = false)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    if (password)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QSpinBox* Spin(const QString& objectName, int low, int high, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(objectName);
    spin->setRange(low, high);
    return spin;
}

QDoubleSpinBox* Amount(const QString& objectName, double high, QWidget* parent)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(objectName);
    spin->setRange(0.0, high);
    spin->setDecimals(2);
    return spin;
}

// "Set master due dates to" [n] "days past workable date".
QHBoxLayout* Sentence(const char* before, QWidget* field, const char* after)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromLatin1(before)));
    row->addWidget(field);
    row->addWidget(new QLabel(QString::fromLatin1(after)));
    row->addStretch();
    return row;
}

const char* const kChargeKindNames[] = {"Productive Physical",  "Non-productive Physical",
                                        "Productive Telephone", "Non-productive Telephone",
                                        "Productive Mail",      "Non-productive Mail"};

}  // namespace

CCaseParentPropSheet::CCaseParentPropSheet(CParentSheetLogic& logic, const QString& title, UserPrompts& prompts,
                                           QWidget* parent)
    : CPropSheetFrame(logic.Adding(), title, prompts, parent), m_logic(logic)
{
    std::vector<std::pair<QString, QWidget*>> pages;
    for (ParentPage page : m_logic.Pages()) {
        QWidget* widget = page == ParentPage::general      ? BuildGeneral()
                          : page == ParentPage::contact    ? BuildContact()
                          : page == ParentPage::connection ? BuildConnection()
                          : page == ParentPage::billing    ? BuildBilling()
                                                           : BuildDone();
        widget->hide();
        pages.emplace_back(QString::fromLatin1(CParentSheetLogic::PageTitle(page)), widget);
    }
    Load();
    SetPages(std::move(pages));
    SetCurrentPage(0);
}

QWidget* CCaseParentPropSheet::BuildGeneral()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    m_name = Edit("name", 50, page);
    form->addRow(QStringLiteral("Name:"), m_name);
    m_type = new QComboBox(page);
    m_type->setObjectName("type");
    for (const std::string& type : CParentSheetLogic::TypeChoices())
        m_type->addItem(L1(type));
    form->addRow(QStringLiteral("Type:"), m_type);
    m_accountNumber = Spin("accountNumber", 0, 2147483647, page);
    form->addRow(QStringLiteral("Account #:"), m_accountNumber);
    layout->addLayout(form);
    m_masterDue = Spin("masterDueDays", 0, 9999, page);
    layout->addLayout(Sentence("Set master due dates to", m_masterDue, "days past workable date"));
    m_auditDue = Spin("auditDueDays", 0, 9999, page);
    layout->addLayout(Sentence("Set audit due dates to", m_auditDue, "days past workable date"));
    m_copies = Spin("copies", 0, 99, page);
    layout->addLayout(Sentence("Print", m_copies, "copies of each attachment"));
    layout->addWidget(new QLabel(QStringLiteral("Notes:"), page));
    m_notes = new QPlainTextEdit(page);
    m_notes->setObjectName("notes");
    layout->addWidget(m_notes);
    m_hidden = new QCheckBox(QStringLiteral("Hide Parent in the Inventory Tree"), page);
    m_hidden->setObjectName("hidden");
    layout->addWidget(m_hidden);
    return page;
}

QWidget* CCaseParentPropSheet::BuildContact()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    static const char* const labels[] = {"Contact:", "Address:", "", "City:", "State:",
                                         "Zip:",     "Phone:",   "Fax:", "E-Mail:"};
    static const char* const names[] = {"contact", "address1", "address2", "city", "state",
                                        "zip",     "phone",    "fax",      "email"};
    static const int limits[] = {50, 30, 30, 30, 2, 12, 20, 20, 80};
    for (size_t i = 0; i < m_contact.size(); ++i) {
        m_contact[i] = Edit(names[i], limits[i], page);
        form->addRow(QString::fromLatin1(labels[i]), m_contact[i]);
    }
    return page;
}

QWidget* CCaseParentPropSheet::BuildConnection()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_direct = new QRadioButton(QString::fromLatin1(CParentSheetLogic::ConnectionKindText("*DIRECT*")), page);
    m_direct->setObjectName("direct");
    m_none = new QRadioButton(QString::fromLatin1(CParentSheetLogic::ConnectionKindText("*NONE*")), page);
    m_none->setObjectName("none");
    layout->addWidget(m_direct);
    layout->addWidget(m_none);
    auto* form = new QFormLayout;
    m_host = Edit("hostName", 255, page);
    form->addRow(QStringLiteral("Host Name:"), m_host);
    m_userId = Edit("connectionUserId", 20, page);
    form->addRow(QStringLiteral("User ID:"), m_userId);
    m_password = Edit("connectionPassword", 10, page, true);
    form->addRow(QStringLiteral("Password:"), m_password);
    m_passwordAgain = Edit("passwordAgain", 10, page, true);
    form->addRow(QStringLiteral("Confirm Password:"), m_passwordAgain);
    layout->addLayout(form);
    layout->addStretch();
    connect(m_direct, &QRadioButton::toggled, this, &CCaseParentPropSheet::UpdateEnabled);
    return page;
}

QWidget* CCaseParentPropSheet::BuildBilling()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_useBilling = new QCheckBox(QStringLiteral("Use billing features with this Parent"), page);
    m_useBilling->setObjectName("useBilling");
    layout->addWidget(m_useBilling);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Charge"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Flat / 1st Hr"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Addl Hr"), page), 0, 3);
    for (int i = 0; i < CAdminParentUser::chargeKindCount; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(kChargeKindNames[i]), page), i + 1, 0);
        m_modes[i] = new QComboBox(page);
        m_modes[i]->setObjectName(QStringLiteral("mode%1").arg(i));
        m_modes[i]->addItems({QStringLiteral("Flat"), QStringLiteral("Hourly")});
        grid->addWidget(m_modes[i], i + 1, 1);
        m_first[i] = Amount(QStringLiteral("rate%1").arg(i), kMaxChargeRate, page);
        grid->addWidget(m_first[i], i + 1, 2);
        m_additional[i] = Amount(QStringLiteral("additional%1").arg(i), kMaxChargeRate, page);
        grid->addWidget(m_additional[i], i + 1, 3);
        connect(m_modes[i], qOverload<int>(&QComboBox::activated), this, &CCaseParentPropSheet::UpdateEnabled);
    }
    layout->addLayout(grid);
    auto* discounts = new QGroupBox(QStringLiteral("Discounts:"), page);
    auto* discountGrid = new QGridLayout(discounts);
    for (int i = 0; i < 3; ++i) {
        discountGrid->addWidget(new QLabel(QStringLiteral("%1)").arg(i + 1), discounts), i, 0);
        m_discountDays[i] = Amount(QStringLiteral("discountDays%1").arg(i), kMaxDiscountDays, discounts);
        m_discountDays[i]->setDecimals(0);
        discountGrid->addWidget(m_discountDays[i], i, 1);
        discountGrid->addWidget(new QLabel(QStringLiteral("days"), discounts), i, 2);
        m_discountPercent[i] = Amount(QStringLiteral("discountPercent%1").arg(i), kMaxDiscountPercent, discounts);
        discountGrid->addWidget(m_discountPercent[i], i, 3);
        discountGrid->addWidget(new QLabel(QStringLiteral("%"), discounts), i, 4);
    }
    layout->addWidget(discounts);
    auto* routing = new QHBoxLayout;
    m_defaultRouting = new QRadioButton(QStringLiteral("Use default routing order"), page);
    m_defaultRouting->setObjectName("defaultRouting");
    m_customRouting = new QRadioButton(QStringLiteral("Use custom:"), page);
    m_customRouting->setObjectName("customRouting");
    routing->addWidget(m_defaultRouting);
    routing->addWidget(m_customRouting);
    for (size_t i = 0; i < m_routing.size(); ++i) {
        m_routing[i] = Spin(QStringLiteral("routing%1").arg(i), 0, 99, page);
        routing->addWidget(m_routing[i]);
    }
    layout->addLayout(routing);
    connect(m_customRouting, &QRadioButton::toggled, this, &CCaseParentPropSheet::UpdateEnabled);
    connect(m_useBilling, &QCheckBox::toggled, this, &CCaseParentPropSheet::UpdateEnabled);
    return page;
}

QWidget* CCaseParentPropSheet::BuildDone()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(
        QStringLiteral("This Parent is now ready to be added.  Press the 'Finish' button to complete the addition."),
        page);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
    return page;
}

void CCaseParentPropSheet::Load()
{
    const CAdminParentUser& parent = m_logic.Parent();
    m_name->setText(L1(parent.name));
    const int type = m_type->findText(L1(parent.type));
    if (type < 0 && !parent.type.empty())
        m_type->addItem(L1(parent.type));
    m_type->setCurrentIndex(type >= 0 ? type : parent.type.empty() ? 0 : m_type->count() - 1);
    m_accountNumber->setValue(parent.accountNumber);
    m_masterDue->setValue(parent.masterDueDays);
    m_auditDue->setValue(parent.auditDueDays);
    m_copies->setValue(parent.copies);
    m_notes->setPlainText(L1(parent.notes));
    m_hidden->setChecked(parent.hidden);
    const std::string* contact[] = {&parent.contact, &parent.address1, &parent.address2,
                                    &parent.city,    &parent.state,    &parent.zip,
                                    &parent.phone,   &parent.fax,      &parent.email};
    for (size_t i = 0; i < m_contact.size(); ++i)
        m_contact[i]->setText(L1(*contact[i]));
    const bool direct = parent.connectionKind == CAdminParentUser::kDirectConnection;
    m_direct->setChecked(direct);
    m_none->setChecked(!direct);
    m_host->setText(L1(parent.hostName));
    m_userId->setText(L1(parent.connectionUserId));
    m_password->setText(L1(parent.connectionPassword));
    m_passwordAgain->setText(L1(m_logic.passwordAgain));
    m_useBilling->setChecked(parent.useBilling);
    for (int i = 0; i < CAdminParentUser::chargeKindCount; ++i) {
        m_modes[i]->setCurrentIndex(parent.chargeModes[i] == 1 ? 1 : 0);
        m_first[i]->setValue(parent.chargeRates[i].first);
        m_additional[i]->setValue(parent.chargeRates[i].additional);
    }
    for (int i = 0; i < 3; ++i) {
        m_discountDays[i]->setValue(parent.discounts[i].days);
        m_discountPercent[i]->setValue(parent.discounts[i].percent);
    }
    bool custom = false;
    for (size_t i = 0; i < m_routing.size(); ++i) {
        m_routing[i]->setValue(parent.routingOrder[i]);
        custom = custom || parent.routingOrder[i] != 0;
    }
    m_customRouting->setChecked(custom);
    m_defaultRouting->setChecked(!custom);
    UpdateEnabled();
}

void CCaseParentPropSheet::UpdateEnabled()
{
    const bool direct = m_direct->isChecked();
    m_userId->setEnabled(direct);
    m_password->setEnabled(direct);
    m_passwordAgain->setEnabled(direct);
    m_host->setEnabled(direct);
    for (int i = 0; i < CAdminParentUser::chargeKindCount; ++i)
        m_additional[i]->setEnabled(m_modes[i]->currentIndex() == 1);
    for (QSpinBox* spin : m_routing)
        spin->setEnabled(m_customRouting->isChecked());
}

void CCaseParentPropSheet::Store()
{
    CAdminParentUser& parent = m_logic.Parent();
    parent.name = Std(m_name->text());
    parent.type = Std(m_type->currentText());
    parent.accountNumber = m_accountNumber->value();
    parent.masterDueDays = m_masterDue->value();
    parent.auditDueDays = m_auditDue->value();
    parent.copies = m_copies->value();
    parent.notes = Std(m_notes->toPlainText()).substr(0, 4096);
    parent.hidden = m_hidden->isChecked();
    std::string* contact[] = {&parent.contact, &parent.address1, &parent.address2, &parent.city, &parent.state,
                              &parent.zip,     &parent.phone,    &parent.fax,      &parent.email};
    for (size_t i = 0; i < m_contact.size(); ++i)
        *contact[i] = Std(m_contact[i]->text());
    parent.connectionKind =
        m_direct->isChecked() ? CAdminParentUser::kDirectConnection : CAdminParentUser::kNoConnection;
    parent.hostName = Std(m_host->text());
    parent.connectionUserId = Std(m_userId->text());
    parent.connectionPassword = Std(m_password->text());
    m_logic.passwordAgain = Std(m_passwordAgain->text());
    parent.useBilling = m_useBilling->isChecked();
    for (int i = 0; i < CAdminParentUser::chargeKindCount; ++i) {
        parent.chargeModes[i] = m_modes[i]->currentIndex();
        parent.chargeRates[i].first = m_first[i]->value();
        parent.chargeRates[i].additional = parent.chargeModes[i] == 1 ? m_additional[i]->value() : 0.0;
    }
    for (int i = 0; i < 3; ++i) {
        parent.discounts[i].days = m_discountDays[i]->value();
        parent.discounts[i].percent = m_discountPercent[i]->value();
    }
    for (size_t i = 0; i < m_routing.size(); ++i)
        parent.routingOrder[i] = m_customRouting->isChecked() ? m_routing[i]->value() : 0;
}

std::optional<SheetFailure> CCaseParentPropSheet::CheckPage(int page)
{
    return m_logic.ValidatePage(page);
}

std::optional<SheetFailure> CCaseParentPropSheet::CheckAll()
{
    return m_logic.Validate();
}
