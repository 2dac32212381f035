#include "casedlg/case_order_prop_sheet.h"

#include "platform/user_prompts.h"
#include "widgets/masked_date_edit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Text(const QString& text)
{
    return text.toLatin1().toStdString();
}

constexpr int kTextLimit = 50;

// Builds the controls of one section of a page, bound to the order's fields.
class Binder {
public:
    Binder(CCaseOrderPage& page, QGridLayout& grid) : m_page(page), m_grid(grid) {}

    void Heading(const char* text)
    {
        auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(QString::fromLatin1(text)), &m_page);
        m_grid.addWidget(label, m_row++, m_column, 1, 2);
    }
    QLineEdit* Edit(const char* label, std::string& field, int limit = kTextLimit, const char* name = nullptr)
    {
        auto* edit = new QLineEdit(Latin1(field), &m_page);
        edit->setMaxLength(limit);
        edit->setObjectName(QLatin1String(name ? name : label));
        m_page.AddStore([edit, &field] { field = Text(edit->text()); });
        Row(label, edit);
        return edit;
    }
    // An address: the label on the first of two lines.
    void Address(const char* label, std::string& line1, std::string& line2, int limit = 30)
    {
        Edit(label, line1, limit);
        Edit("", line2, limit, (std::string(label) + " 2").c_str());
    }
    CMaskedDateEdit* Date(const char* label, CDateTime& field)
    {
        auto* edit = new CMaskedDateEdit(&m_page);
        edit->setObjectName(QLatin1String(label));
        edit->SetDateTime(field);
        m_page.AddStore([edit, &field] { field = edit->DateTime(); });
        Row(label, edit);
        return edit;
    }
    QCheckBox* Check(const char* label, bool& field)
    {
        auto* box = new QCheckBox(QString::fromLatin1(label), &m_page);
        box->setObjectName(QLatin1String(label));
        box->setChecked(field);
        m_page.AddStore([box, &field] { field = box->isChecked(); });
        m_grid.addWidget(box, m_row++, m_column, 1, 2);
        return box;
    }
    void List(const char* label, int32_t& field, const std::vector<const char*>& choices)
    {
        auto* combo = new QComboBox(&m_page);
        combo->setObjectName(QLatin1String(label));
        for (const char* choice : choices)
            combo->addItem(QString::fromLatin1(choice));
        combo->setCurrentIndex(field >= 0 && field < combo->count() ? field : 0);
        m_page.AddStore([combo, &field] { field = combo->currentIndex(); });
        Row(label, combo);
    }
    void TextList(const char* label, std::string& field, const std::vector<const char*>& choices)
    {
        auto* combo = new QComboBox(&m_page);
        combo->setObjectName(QLatin1String(label));
        combo->setEditable(true);
        for (const char* choice : choices)
            combo->addItem(QString::fromLatin1(choice));
        combo->setCurrentText(Latin1(field));
        m_page.AddStore([combo, &field] { field = Text(combo->currentText()); });
        Row(label, combo);
    }
    void NextColumn()
    {
        m_column += 2;
        m_row = 0;
    }

private:
    void Row(const char* label, QWidget* widget)
    {
        m_grid.addWidget(new QLabel(QString::fromLatin1(label), &m_page), m_row, m_column);
        m_grid.addWidget(widget, m_row++, m_column + 1);
    }

    CCaseOrderPage& m_page;
    QGridLayout& m_grid;
    int m_row = 0;
    int m_column = 0;
};

void AgentBlock(Binder& b, CCaseOrder& o)
{
    b.Heading("AGENT");
    b.Edit("Contact:", o.agentContact, 30, "Agent Contact:");
    b.Edit("Agency:", o.agentCompany, 50);
    b.Address("Address:", o.agentAddress1, o.agentAddress2);
    b.Edit("City:", o.agentCity, 30, "Agent City:");
    b.Edit("State:", o.agentState, 2, "Agent State:");
    b.Edit("Zip:", o.agentZip, 12, "Agent Zip:");
    b.Edit("Phone:", o.agentPhone, 20, "Agent Phone:");
}

void InspectionGeneral(CCaseOrderPage& page, QGridLayout& grid, CCaseOrder& o)
{
    Binder b(page, grid);
    b.Heading("GENERAL");
    b.Edit("* Ordered By:", o.orderedBy);
    b.Date("* Due Date:", o.dueDate);
    b.Check("Priority Status", o.priority);
    b.Check("Layout Sketch", o.layoutSketch);
    b.Edit("# of Photos front:", o.photosFront, 5);
    b.Edit("Back:", o.photosBack, 5);
    b.Heading("INSURED");
    b.Edit("* Policy #:", o.policyNumber);
    b.Edit("* Insured:", o.insuredName);
    b.Edit("DBA:", o.dba);
    b.Address("* Address:", o.insuredAddress1, o.insuredAddress2);
    b.Edit("* City:", o.insuredCity, 30);
    b.Edit("* State:", o.insuredState, 2);
    b.Edit("Zip:", o.insuredZip, 12);
    b.Edit("Business Type:", o.businessType);
    b.NextColumn();
    b.Heading("CONTACT INFORMATION");
    b.Edit("Contact:", o.contact, 30);
    b.Edit("Phone:", o.contactPhone, 20);
    AgentBlock(b, o);
    b.Heading("RATING BASIS");
    b.Edit("Bldg Value:", o.bldgValue, 20);
    b.Edit("Cts:", o.cts, 20);
    b.Edit("Sq ft:", o.sqFt, 20);
    b.Edit("Units:", o.units, 20);
}

void AuditGeneral(CCaseOrderPage& page, QGridLayout& grid, CCaseOrder& o)
{
    Binder b(page, grid);
    b.Edit("* Ordered By:", o.orderedBy);
    b.Date("* Due Date:", o.dueDate);
    b.Check("Priority Status", o.priority);
    b.List("Audit Type:", o.auditType, {"Annual", "Cancellation", "Interim", "Mail", "Pre-audit", "Re-Audit", "Other"});
    b.List("Audit Source:", o.auditSource, {"Physical", "Telephone", "Mail", "Other"});
    b.Edit("* Insured:", o.insuredName);
    b.Edit("DBA:", o.dba);
    b.Address("* Address:", o.insuredAddress1, o.insuredAddress2);
    b.Edit("* City:", o.insuredCity, 30);
    b.Edit("* State:", o.insuredState, 2);
    b.Edit("Zip:", o.insuredZip, 12);
    b.TextList("Entity:", o.entity,
               {"", "Sole Proprietorship", "Partnership", "Corporation", "Limited Liability Co.", "Non-profit Org."});
    b.Edit("Fed ID:", o.fedId, 20);
    b.Edit("Business Type:", o.businessType);
    b.NextColumn();
    b.Heading("CONTACT");
    b.Edit("Contact:", o.contact, 30);
    b.Edit("Phone:", o.contactPhone, 20);
    AgentBlock(b, o);
    b.Heading("POLICY");
    b.TextList("Policy Type:", o.policyType,
               {"", "Workers Compensation", "General Liability", "Dealer", "Garage", "Survey"});
    b.Edit("* Policy #:", o.policyNumber);
    b.Date("* Period:", o.periodFrom);
    b.Date("to", o.periodTo);
    b.Date("Anniv. Date:", o.annivDate);
    grid.addWidget(new QLabel(QStringLiteral("(if applicable)"), &page), grid.rowCount(), 3);
}

void LocationsAndSpecial(CCaseOrderPage& page, QGridLayout& grid, CCaseOrder& o)
{
    Binder b(page, grid);
    b.Heading("SPECIAL INSTRUCTIONS");
    auto* memo = new QPlainTextEdit(Latin1(o.specialInstructions), &page);
    memo->setObjectName(QStringLiteral("SPECIAL INSTRUCTIONS"));
    page.AddStore([memo, &o] {
        o.specialInstructions = Text(memo->toPlainText()).substr(0, CaseOrderForm::kMaxSpecialInstructions);
    });
    grid.addWidget(memo, 1, 0, 6, 2);
    grid.setRowStretch(6, 1);  // the location block stays at the top, beside the memo
    Binder location(page, grid);
    location.NextColumn();
    location.Heading("LOCATION");
    location.Address("* Address:", o.locAddress1, o.locAddress2);
    location.Edit("* City:", o.locCity, 30);
    location.Edit("* State:", o.locState, 2);
    location.Edit("Zip:", o.locZip, 12);
}

void Selections(CCaseOrderPage& page, QGridLayout& grid, CCaseOrder& o)
{
    using S = CCaseOrder;
    grid.addWidget(new QLabel(QStringLiteral("<b>SELECTIONS     (At least one selection is required)</b>"), &page),
                   0, 0, 1, 6);
    const struct {
        const char* group;
        std::vector<std::pair<const char*, S::Selection>> boxes;
    } groups[] = {
        {"Property", {{"All Risk", S::allRisk}, {"Plate Glass", S::plateGlass}, {"Theft", S::theft},
                      {"Property", S::property}, {"Water Damage", S::waterDamage}, {"Builders Risk", S::buildersRisk}}},
        {"Casualty", {{"Premises/Ops (Liab)", S::premisesOps}, {"Prod/Comp Oper.", S::prodCompOper},
                      {"Workers Comp.", S::workersComp}, {"Liquor Liab.", S::liquorLiab}, {"M&&C", S::mAndC}}},
        {"Comm Auto", {{"Liability", S::autoLiability}, {"Phys. Dam", S::physDam}}},
        {"Garage", {{"Gar. Liab.", S::garageLiab}}},
        {"Multi-peril", {{"SMP/BOP (Standard)", S::smpBop}, {"Photo/Occupancy", S::photoOccupancy},
                         {"SMP/Short", S::smpShort}}},
        {"Homeowners", {{"Interior", S::interior}, {"Exterior", S::exterior}, {"Wood Stove", S::woodStove},
                        {"High Value", S::highValue}, {"Dog", S::dog}}},
        {"Supplements", {{"Beauty", S::beauty}, {"Cooking", S::cooking}, {"Crime", S::crime}, {"Daycare", S::daycare},
                         {"Elevator", S::elevator}, {"Pool", S::pool}, {"Sprinkler", S::sprinkler},
                         {"Tanning", S::tanning}}},
        {"Inland Marine", {{"EDP", S::edp}, {"Contr. Equip.", S::contrEquip}}},
    };
    int index = 0;
    for (const auto& g : groups) {
        auto* box = new QGroupBox(QString::fromLatin1(g.group), &page);
        auto* layout = new QVBoxLayout(box);
        for (const auto& [label, selection] : g.boxes) {
            auto* check = new QCheckBox(QString::fromLatin1(label), box);
            check->setObjectName(QString::fromLatin1(label).replace(QStringLiteral("&&"), QStringLiteral("&")));
            check->setChecked(o.selected[selection]);
            page.AddStore([check, &o, s = selection] { o.selected[s] = check->isChecked(); });
            layout->addWidget(check);
        }
        if (index == 0) {  // Valuation sits under Property
            auto* valuation = new QGroupBox(QStringLiteral("Valuation"), &page);
            auto* form = new QFormLayout(valuation);
            auto* rc = new QLineEdit(Latin1(o.rcAmount), valuation);
            auto* ac = new QLineEdit(Latin1(o.acAmount), valuation);
            rc->setObjectName(QStringLiteral("RC, Amount:"));
            ac->setObjectName(QStringLiteral("AC, Amount:"));
            form->addRow(QStringLiteral("RC, Amount:"), rc);
            form->addRow(QStringLiteral("AC, Amount:"), ac);
            page.AddStore([rc, ac, &o] {
                o.rcAmount = Text(rc->text());
                o.acAmount = Text(ac->text());
            });
            grid.addWidget(valuation, 2, 0);
        }
        static const int kPlace[][2] = {{1, 0}, {1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}};
        grid.addWidget(box, kPlace[index][0], kPlace[index][1], Qt::AlignTop);
        ++index;
    }
}

void PrincipalsAndCodes(CCaseOrderPage& page, QGridLayout& grid, CCaseOrder& o)
{
    grid.addWidget(new QLabel(QStringLiteral("<b>PRINCIPALS</b>"), &page), 0, 0);
    const char* principalHeads[] = {"NAME", "DATE", "INCL/EXCL"};
    for (int c = 0; c < 3; ++c)
        grid.addWidget(new QLabel(QString::fromLatin1(principalHeads[c]), &page), 1, c);
    for (int r = 0; r < CCaseOrder::kPrincipalRows; ++r) {
        CCaseOrder::Principal& p = o.principals[r];
        auto* name = new QLineEdit(Latin1(p.name), &page);
        auto* date = new QLineEdit(Latin1(p.date), &page);
        auto* incl = new QComboBox(&page);
        name->setMaxLength(32);
        date->setMaxLength(12);
        incl->addItems({QString(), QStringLiteral("INCL"), QStringLiteral("EXCL")});
        incl->setCurrentText(Latin1(p.inclExcl));
        name->setObjectName(QStringLiteral("principal%1name").arg(r));
        grid.addWidget(name, 2 + r, 0);
        grid.addWidget(date, 2 + r, 1);
        grid.addWidget(incl, 2 + r, 2);
        page.AddStore([name, date, incl, &p] {
            p.name = Text(name->text());
            p.date = Text(date->text());
            p.inclExcl = Text(incl->currentText());
        });
    }
    const int top = 2 + CCaseOrder::kPrincipalRows;
    grid.addWidget(new QLabel(QStringLiteral("<b>CODES</b>"), &page), top, 0);
    const char* codeHeads[] = {"STATE", "CLASS CODE", "CLASS DESCRIPTION", "ESTIMATE"};
    for (int c = 0; c < 4; ++c)
        grid.addWidget(new QLabel(QString::fromLatin1(codeHeads[c]), &page), top + 1, c);
    for (int r = 0; r < CCaseOrder::kCodeRows; ++r) {
        CCaseOrder::Code& code = o.codes[r];
        QLineEdit* edits[4];
        std::string* fields[4] = {&code.state, &code.classCode, &code.description, &code.estimate};
        const int limits[4] = {2, 10, 52, 14};
        for (int c = 0; c < 4; ++c) {
            edits[c] = new QLineEdit(Latin1(*fields[c]), &page);
            edits[c]->setMaxLength(limits[c]);
            edits[c]->setObjectName(QStringLiteral("code%1_%2").arg(r).arg(c));
            grid.addWidget(edits[c], top + 2 + r, c);
            page.AddStore([edit = edits[c], field = fields[c]] { *field = Text(edit->text()); });
        }
    }
    grid.setColumnStretch(2, 3);
}

}  // namespace

CCaseOrderPage::CCaseOrderPage(CCaseOrder& order, CCaseOrder::Page page, UserPrompts& prompts)
    : m_order(order), m_page(page), m_prompts(prompts)
{
    setTitle(QString::fromLatin1(CaseOrderForm::PageTitle(page)));
    auto* grid = new QGridLayout(this);
    const bool audit = order.product == CCaseOrder::audit;
    switch (page) {
    case CCaseOrder::general:
        audit ? AuditGeneral(*this, *grid, order) : InspectionGeneral(*this, *grid, order);
        break;
    case CCaseOrder::locationsAndSpecial: LocationsAndSpecial(*this, *grid, order); break;
    case CCaseOrder::selections: Selections(*this, *grid, order); break;
    case CCaseOrder::principalsAndCodes: PrincipalsAndCodes(*this, *grid, order); break;
    case CCaseOrder::finish: {
        auto* text = new QLabel(QStringLiteral("Press the \"Finish\" button to process the order.  Please note that "
                                               "this operation cannot be undone."),
                                this);
        text->setWordWrap(true);
        grid->addWidget(text, 0, 0);
        break;
    }
    }
}

void CCaseOrderPage::Store()
{
    for (const auto& store : m_stores)
        store();
}

bool CCaseOrderPage::validatePage()
{
    Store();
    const std::string problem = CaseOrderForm::CheckPage(m_order, m_page);
    if (problem.empty())
        return true;
    m_prompts.Message(QString::fromLatin1(problem.c_str()));
    return false;
}

const char* CCaseOrderPropSheet::Caption(int product)
{
    return product == CCaseOrder::audit ? "Order New Audit" : "Order New Inspection";
}

CCaseOrderPropSheet::CCaseOrderPropSheet(CCaseOrder& order, UserPrompts& prompts, QWidget* parent)
    : QWizard(parent), m_order(order)
{
    setWindowTitle(QString::fromLatin1(Caption(order.product)));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    for (const CCaseOrder::Page page : CaseOrderForm::PagesOf(order.product)) {
        auto* wizardPage = new CCaseOrderPage(order, page, prompts);
        wizardPage->setObjectName(QString::fromLatin1(CaseOrderForm::PageTitle(page)));
        addPage(wizardPage);
    }
}

CCaseOrderSelectDlg::CCaseOrderSelectDlg(const std::vector<std::string>& parents, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Product and Parent"));
    auto* layout = new QVBoxLayout(this);
    auto* productBox = new QGroupBox(QStringLiteral("Select Product to Order:"), this);
    auto* productLayout = new QVBoxLayout(productBox);
    m_product = new QButtonGroup(this);
    auto* inspection = new QRadioButton(QStringLiteral("Inspection"), productBox);
    auto* audit = new QRadioButton(QStringLiteral("Audit"), productBox);
    inspection->setObjectName(QStringLiteral("inspection"));
    audit->setObjectName(QStringLiteral("audit"));
    inspection->setChecked(true);
    m_product->addButton(inspection, CCaseOrder::inspection);
    m_product->addButton(audit, CCaseOrder::audit);
    productLayout->addWidget(inspection);
    productLayout->addWidget(audit);
    layout->addWidget(productBox);
    auto* parentRow = new QFormLayout;
    m_parent = new QComboBox(this);
    m_parent->setObjectName(QStringLiteral("parent"));
    for (const std::string& name : parents)
        m_parent->addItem(Latin1(name));
    m_parent->setEnabled(!parents.empty());
    parentRow->addRow(QStringLiteral("Parent:"), m_parent);
    layout->addLayout(parentRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CCaseOrderSelectDlg::Product() const
{
    return m_product->checkedId() == CCaseOrder::audit ? CCaseOrder::audit : CCaseOrder::inspection;
}

std::string CCaseOrderSelectDlg::Parent() const
{
    return Text(m_parent->currentText());
}
