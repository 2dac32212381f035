#include "query/widgets/case_query_prop_sheet.h"

#include "platform/user_prompts.h"
#include "query/case_field_catalogue.h"
#include "query/civil_date.h"
#include "query/period_range.h"
#include "query/predefined_filters.h"
#include "query/scope_bits.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

void Fill(QComboBox* box, const std::vector<std::string>& labels)
{
    for (const std::string& label : labels)
        box->addItem(Latin1(label));
}

CDateTime LocalNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    CDateTime midnight = MakeDate({date.year(), date.month(), date.day()});
    if (midnight.IsValid())
        midnight.date += now.time().msecsSinceStartOfDay() / 86400000.0;
    return midnight;
}

}  // namespace

// --- Column Properties ----------------------------------------------------------------------

CColumnPropsDlg::CColumnPropsDlg(const CaseQueryColumnRow& row, QWidget* parent)
    : QDialog(parent), field_(new QComboBox(this)), header_(new QLineEdit(this)), width_(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Column Properties"));
    setObjectName(QStringLiteral("ColumnProperties"));
    Fill(field_, CaseFieldCatalogue::AllLabels());
    field_->setCurrentIndex(field_->findText(Latin1(row.label)));
    header_->setMaxLength(static_cast<int>(CaseQueryEditLogic::kMaxHeaderLength));
    header_->setText(Latin1(row.header));
    width_->setRange(0, CaseQueryEditLogic::kMaxWidth);
    width_->setValue(row.width.empty() ? 0 : QString::fromLatin1(row.width).toInt());
    field_->setObjectName(QStringLiteral("field"));
    header_->setObjectName(QStringLiteral("header"));
    width_->setObjectName(QStringLiteral("width"));

    auto* alignBox = new QHBoxLayout;
    const char* names[3] = {"Left", "Center", "Right"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        align_[i] = new QRadioButton(QString::fromLatin1(names[i]), this);
        group->addButton(align_[i], i);
        alignBox->addWidget(align_[i]);
    }
    align_[row.label.empty() && row.align.empty() ? 0 : CaseQueryEditLogic::AlignmentOf(row.align)]->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Field Name:"), field_);
    form->addRow(QStringLiteral("Header Name:"), header_);
    form->addRow(QStringLiteral("Width:"), width_);
    form->addRow(QStringLiteral("Alignment:"), alignBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

CaseQueryColumnRow CColumnPropsDlg::Row() const
{
    int align = 0;
    for (int i = 0; i < 3; ++i)
        if (align_[i]->isChecked())
            align = i;
    return {Bytes(field_->currentText()), Bytes(header_->text()), std::to_string(width_->value()),
            CaseQueryEditLogic::AlignmentText(align)};
}

// --- The sheet --------------------------------------------------------------------------------

CCaseQueryPropSheet::CCaseQueryPropSheet(CCaseQueryData& view, const QString& title, UserPrompts& prompts,
                                         const std::vector<std::shared_ptr<CCaseQueryData>>* definitions,
                                         QWidget* parent, const CDateTime* now)
    : QDialog(parent),
      view_(view),
      prompts_(prompts),
      definitions_(definitions),
      logic_(view, now ? *now : LocalNow()),
      pages_(new QTabWidget(this))
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("CaseQueryPropSheet"));
    if (definitions_) {
        generalPage_ = BuildGeneralPage();
        pages_->addTab(generalPage_, QStringLiteral("General"));
    }
    sortPage_ = BuildSortPage();
    pages_->addTab(sortPage_, QStringLiteral("Period and Sorting"));
    pages_->addTab(BuildColumnsPage(), QStringLiteral("Columns"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCaseQueryPropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
}

QWidget* CCaseQueryPropSheet::BuildGeneralPage()
{
    auto* page = new QWidget;
    name_ = new QLineEdit(Latin1(logic_.name), page);
    name_->setObjectName(QStringLiteral("name"));
    name_->setMaxLength(static_cast<int>(CaseQueryEditLogic::kMaxNameLength));
    viewType_ = new QComboBox(page);
    viewType_->setObjectName(QStringLiteral("viewType"));
    viewType_->addItems({QStringLiteral("Case View"), QStringLiteral("Search View"), QStringLiteral("Case & Search View")});
    viewType_->setCurrentIndex(logic_.viewType >= 0 && logic_.viewType <= 2 ? logic_.viewType : 0);

    auto* scopeBox = new QGroupBox(QStringLiteral("Scope:"), page);
    auto* scopeGrid = new QGridLayout(scopeBox);
    scope_ = new QButtonGroup(page);
    for (size_t i = 0; i < kScopeChoiceCount; ++i) {
        auto* button = new QRadioButton(Latin1(std::string(ScopeChoices()[i].label)), scopeBox);
        button->setObjectName(QStringLiteral("scope%1").arg(i));
        scope_->addButton(button, static_cast<int>(i));
        scopeGrid->addWidget(button, static_cast<int>(i % 7), static_cast<int>(i / 7));
        button->setChecked(i == logic_.scopeChoice);
    }
    connect(scope_, &QButtonGroup::idClicked, this, [this](int id) { logic_.scopeChoice = static_cast<size_t>(id); });

    auto* queryBox = new QGroupBox(QStringLiteral("Query"), page);
    queryType_ = new QComboBox(queryBox);
    queryType_->setObjectName(QStringLiteral("queryType"));
    for (const PredefinedFilter& filter : PredefinedFilters())
        queryType_->addItem(Latin1(std::string(filter.name)));
    queryType_->setCurrentIndex(logic_.queryType);
    formula_ = new QLineEdit(Latin1(logic_.formula), queryBox);
    formula_->setObjectName(QStringLiteral("formula"));
    formula_->setReadOnly(logic_.FormulaReadOnly());
    auto* queryForm = new QFormLayout(queryBox);
    queryForm->addRow(QStringLiteral("Type:"), queryType_);
    queryForm->addRow(QStringLiteral("Formula:"), formula_);
    connect(queryType_, &QComboBox::activated, this, [this](int index) {
        logic_.formula = Bytes(formula_->text());
        logic_.SetQueryType(index);
        formula_->setText(Latin1(logic_.formula));
        formula_->setReadOnly(logic_.FormulaReadOnly());
        if (!logic_.FormulaReadOnly())
            formula_->setFocus();
    });

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("View Name:"), name_);
    top->addRow(QStringLiteral("View Type:"), viewType_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(scopeBox);
    layout->addWidget(queryBox);
    layout->addStretch();
    return page;
}

QWidget* CCaseQueryPropSheet::BuildSortPage()
{
    auto* page = new QWidget;
    keyDate_ = new QComboBox(page);
    keyDate_->setObjectName(QStringLiteral("keyDate"));
    Fill(keyDate_, CaseQueryEditLogic::KeyDateLabels());
    keyDate_->setCurrentIndex(static_cast<int>(logic_.keyDateChoice));
    period_ = new QComboBox(page);
    period_->setObjectName(QStringLiteral("period"));
    for (int32_t p = 0; p < kPeriodCount; ++p)
        period_->addItem(Latin1(PeriodName(p).value_or(std::string())));
    period_->setCurrentIndex(logic_.period);
    from_ = new QLineEdit(page);
    to_ = new QLineEdit(page);
    from_->setObjectName(QStringLiteral("from"));
    to_->setObjectName(QStringLiteral("to"));
    for (QLineEdit* edit : {from_, to_})
        edit->setInputMask(QStringLiteral("99/99/9999"));

    auto* periodBox = new QGroupBox(QStringLiteral("Period"), page);
    auto* periodGrid = new QGridLayout(periodBox);
    periodGrid->addWidget(new QLabel(QStringLiteral("Key Date Field:"), periodBox), 0, 0);
    periodGrid->addWidget(keyDate_, 0, 1, 1, 3);
    periodGrid->addWidget(new QLabel(QStringLiteral("Period:"), periodBox), 1, 0);
    periodGrid->addWidget(period_, 1, 1, 1, 3);
    periodGrid->addWidget(new QLabel(QStringLiteral("From"), periodBox), 2, 0);
    periodGrid->addWidget(from_, 2, 1);
    periodGrid->addWidget(new QLabel(QStringLiteral("to"), periodBox), 2, 2);
    periodGrid->addWidget(to_, 2, 3);

    connect(keyDate_, &QComboBox::activated, this, [this](int index) {
        logic_.keyDateChoice = static_cast<size_t>(index);
        ShowPeriod();
    });
    connect(period_, &QComboBox::activated, this, [this](int index) {
        logic_.fromText = Bytes(from_->text());
        logic_.toText = Bytes(to_->text());
        logic_.SetPeriod(index);
        ShowPeriod();
    });

    auto* sortBox = new QGroupBox(QStringLiteral("Sorting"), page);
    auto* sortGrid = new QGridLayout(sortBox);
    const char* labels[3] = {"1st Sort:", "2nd Sort:", "3rd Sort:"};
    const std::vector<std::string> sortLabels = CaseQueryEditLogic::SortLabels();
    for (int i = 0; i < 3; ++i) {
        sort_[i] = new QComboBox(sortBox);
        sort_[i]->setObjectName(QStringLiteral("sort%1").arg(i + 1));
        Fill(sort_[i], sortLabels);
        sort_[i]->setCurrentIndex(static_cast<int>(logic_.sortChoice[i]));
        ascending_[i] = new QRadioButton(QStringLiteral("Ascending"), sortBox);
        descending_[i] = new QRadioButton(QStringLiteral("Descending"), sortBox);
        ascending_[i]->setObjectName(QStringLiteral("ascending%1").arg(i + 1));
        descending_[i]->setObjectName(QStringLiteral("descending%1").arg(i + 1));
        auto* group = new QButtonGroup(sortBox);
        group->addButton(ascending_[i]);
        group->addButton(descending_[i]);
        (logic_.sortAscending[i] ? ascending_[i] : descending_[i])->setChecked(true);
        sortGrid->addWidget(new QLabel(QString::fromLatin1(labels[i]), sortBox), i, 0);
        sortGrid->addWidget(sort_[i], i, 1);
        sortGrid->addWidget(ascending_[i], i, 2);
        sortGrid->addWidget(descending_[i], i, 3);
    }
    sortGrid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(periodBox);
    layout->addWidget(sortBox);
    layout->addStretch();
    ShowPeriod();
    return page;
}

void CCaseQueryPropSheet::ShowPeriod()
{
    period_->setEnabled(logic_.PeriodEnabled());
    from_->setText(Latin1(logic_.fromText));
    to_->setText(Latin1(logic_.toText));
    for (QLineEdit* edit : {from_, to_}) {
        edit->setEnabled(logic_.PeriodEnabled());
        edit->setReadOnly(!logic_.DatesWritable());
    }
}

QWidget* CCaseQueryPropSheet::BuildColumnsPage()
{
    auto* page = new QWidget;
    columns_ = new QTreeWidget(page);
    columns_->setObjectName(QStringLiteral("columns"));
    columns_->setRootIsDecorated(false);
    columns_->setSelectionBehavior(QAbstractItemView::SelectRows);
    columns_->setHeaderLabels({QStringLiteral("Field"), QStringLiteral("Column Label"), QStringLiteral("Width"),
                               QStringLiteral("Align")});
    const int widths[4] = {140, 140, 60, 70};
    for (int i = 0; i < 4; ++i)
        columns_->setColumnWidth(i, widths[i]);
    columns_->setMinimumWidth(140 + 140 + 60 + 70 + 8);
    columns_->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    columns_->headerItem()->setTextAlignment(3, Qt::AlignRight);
    ShowRows();

    auto* buttons = new QVBoxLayout;
    const auto add = [&](const char* text, auto action) {
        auto* button = new QPushButton(QString::fromLatin1(text), page);
        button->setObjectName(QString::fromLatin1(text).remove(QLatin1Char(' ')));
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    };
    const auto selectedAction = [this](void (CaseQueryEditLogic::*change)()) {
        return [this, change] {
            logic_.selected = columns_->currentItem() && columns_->currentItem()->isSelected()
                                  ? columns_->indexOfTopLevelItem(columns_->currentItem())
                                  : -1;
            if (logic_.selected < 0)
                return;
            (logic_.*change)();
            ShowRows();
        };
    };
    add("New", [this] { EditRow(true); });
    add("Remove", selectedAction(&CaseQueryEditLogic::RemoveSelected));
    add("Properties", [this] { EditRow(false); });
    add("Move Up", selectedAction(&CaseQueryEditLogic::MoveSelectedUp));
    add("Move Down", selectedAction(&CaseQueryEditLogic::MoveSelectedDown));
    buttons->addStretch();
    connect(columns_, &QTreeWidget::itemDoubleClicked, this, [this] { EditRow(false); });

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(columns_, 1);
    layout->addLayout(buttons);
    return page;
}

void CCaseQueryPropSheet::ShowRows()
{
    columns_->clear();
    for (const CaseQueryColumnRow& row : logic_.rows) {
        auto* item = new QTreeWidgetItem(columns_, {Latin1(row.label), Latin1(row.header), Latin1(row.width),
                                                    Latin1(row.align)});
        item->setTextAlignment(2, Qt::AlignCenter);
        item->setTextAlignment(3, Qt::AlignRight);
    }
    if (logic_.selected >= 0 && logic_.selected < columns_->topLevelItemCount()) {
        QTreeWidgetItem* item = columns_->topLevelItem(logic_.selected);
        columns_->setCurrentItem(item);
        item->setSelected(true);
        columns_->setFocus();
    }
}

void CCaseQueryPropSheet::EditRow(bool isNew)
{
    QTreeWidgetItem* current = columns_->currentItem();
    logic_.selected = current && current->isSelected() ? columns_->indexOfTopLevelItem(current) : -1;
    if (!isNew && logic_.selected < 0)
        return;
    CColumnPropsDlg dialog(isNew ? CaseQueryColumnRow{} : logic_.rows[static_cast<size_t>(logic_.selected)], this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (isNew)
        logic_.AddRow(dialog.Row());
    else
        logic_.ReplaceSelected(dialog.Row());
    ShowRows();
}

void CCaseQueryPropSheet::ReadControls()
{
    if (name_) {
        logic_.name = Bytes(name_->text());
        logic_.viewType = viewType_->currentIndex();
        logic_.queryType = queryType_->currentIndex();
        logic_.formula = Bytes(formula_->text());
    }
    logic_.keyDateChoice = static_cast<size_t>(std::max(0, keyDate_->currentIndex()));
    logic_.period = period_->currentIndex();
    logic_.fromText = Bytes(from_->text());
    logic_.toText = Bytes(to_->text());
    for (int i = 0; i < 3; ++i) {
        logic_.sortChoice[i] = static_cast<size_t>(std::max(0, sort_[i]->currentIndex()));
        logic_.sortAscending[i] = ascending_[i]->isChecked();
    }
}

void CCaseQueryPropSheet::accept()
{
    ReadControls();
    const CCaseQueryData* self = original_ ? original_ : &view_;
    if (const std::optional<CaseQueryEditFailure> failure = logic_.Validate(definitions_, self)) {
        if (failure->page == CaseQueryEditFailure::general && generalPage_) {
            pages_->setCurrentWidget(generalPage_);
            name_->setFocus();
            name_->selectAll();
        } else {
            pages_->setCurrentWidget(sortPage_);
            from_->setFocus();
        }
        prompts_.Message(QString::fromLatin1(failure->message));
        return;
    }
    logic_.Commit(view_, definitions_ != nullptr);
    QDialog::accept();
}
