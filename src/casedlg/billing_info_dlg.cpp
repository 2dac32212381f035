#include "casedlg/billing_info_dlg.h"

#include "platform/user_prompts.h"
#include "widgets/masked_date_edit.h"
#include "widgets/masked_time_edit.h"
#include "widgets/number_edits.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

CNumberEdit* Number(QWidget* parent, const char* name, double min, double max)
{
    auto* edit = new CNumberEdit(min, max, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// "Enter Date/Time": a date and a time; nothing when cancelled or not valid.
std::optional<CDateTime> AskDateTime(QWidget* parent, UserPrompts& prompts)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Enter Date/Time"));
    auto* grid = new QGridLayout(&dialog);
    auto* date = new CMaskedDateEdit(&dialog);
    auto* time = new CMaskedTimeEdit(&dialog);
    grid->addWidget(new QLabel(QStringLiteral("Date:"), &dialog), 0, 0);
    grid->addWidget(date, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Time:"), &dialog), 1, 0);
    grid->addWidget(time, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    grid->addWidget(buttons, 2, 0, 1, 2);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (date->State() != DateFieldState::valid || time->State() != DateFieldState::valid) {
            prompts.Message(QStringLiteral("Please enter a valid date and time."));
            return;
        }
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    DayAndTime parts;
    const CDateTime day = date->DateTime();
    if (!SplitDateTime(day, parts))
        return std::nullopt;
    return MakeDateTime(parts.day, TimeFieldFraction(time->Value()));
}

}  // namespace

CBillingInfoDlg::CBillingInfoDlg(BillingLogic& logic, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), logic_(logic), prompts_(prompts)
{
    auto* layout = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("entries"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setStyleSheet(QStringLiteral("QTreeWidget::item { border-right: 1px solid #d0d0d0; "
                                        "border-bottom: 1px solid #d0d0d0; }"));
    list_->setHeaderLabels({"Date", "Parent/Child", "1 Hr Rate", "+ Hr Rate", "Time", "Flat", "Discount", "Amount"});
    const int widths[] = {60, 130, 60, 60, 60, 66, 60, 70};
    for (int i = 0; i < 8; ++i) {
        list_->setColumnWidth(i, widths[i] * 5 / 4);
        if (i >= 2)
            list_->headerItem()->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    layout->addWidget(list_);
    auto* totalRow = new QHBoxLayout;
    totalRow->addStretch(1);
    totalRow->addWidget(new QLabel(QStringLiteral("TOTAL"), this));
    total_ = new QLabel(this);
    total_->setObjectName(QStringLiteral("total"));
    total_->setFrameShape(QFrame::StyledPanel);
    total_->setMinimumWidth(100);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totalRow->addWidget(total_);
    layout->addLayout(totalRow);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Parent/Child:"), this), 0, 0);
    party_ = new QComboBox(this);
    party_->setObjectName(QStringLiteral("party"));
    party_->setMinimumWidth(200);
    grid->addWidget(party_, 0, 1);
    hourly_ = new QRadioButton(QStringLiteral("Hourly"), this);
    hourly_->setObjectName(QStringLiteral("hourly"));
    flat_ = new QRadioButton(QStringLiteral("Flat"), this);
    flat_->setObjectName(QStringLiteral("flat"));
    grid->addWidget(hourly_, 0, 2);
    grid->addWidget(flat_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("First Hour Rate:"), this), 1, 0);
    firstRate_ = Number(this, "firstHourRate", -99999999.99, 99999999.99);
    grid->addWidget(firstRate_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Additional Hours Rate:"), this), 1, 2);
    additionalRate_ = Number(this, "additionalRate", -99999999.99, 99999999.99);
    grid->addWidget(additionalRate_, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Billed Time:"), this), 2, 0);
    hours_ = Number(this, "hours", 0, 99999.99);
    grid->addWidget(hours_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Amount:"), this), 2, 2);
    flatAmount_ = Number(this, "flatAmount", -99999999.99, 99999999.99);
    grid->addWidget(flatAmount_, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Discount %:"), this), 3, 0);
    discount_ = Number(this, "discount", 0, 100);
    grid->addWidget(discount_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Billed Amount:"), this), 3, 2);
    amount_ = new QLabel(this);
    amount_->setObjectName(QStringLiteral("billedAmount"));
    amount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount_->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(amount_, 3, 3);
    grid->addWidget(new QLabel(QStringLiteral("Memo:"), this), 4, 0);
    memo_ = new QLineEdit(this);
    memo_->setObjectName(QStringLiteral("memo"));
    memo_->setMaxLength(80);
    grid->addWidget(memo_, 4, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Billed:"), this), 5, 0);
    dateBilled_ = new QLabel(this);
    dateBilled_->setObjectName(QStringLiteral("dateBilled"));
    grid->addWidget(dateBilled_, 5, 1);
    auto* override = new QPushButton(QStringLiteral("Override"), this);
    override->setObjectName(QStringLiteral("override"));
    grid->addWidget(override, 5, 2);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(QLatin1String(text), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* createNew = button("Create &New", "createNew");
    QPushButton* fill = button("&Fill Defaults", "fillDefaults");
    QPushButton* update = button("&Update", "update");
    QPushButton* remove = button("&Delete", "delete");
    buttons->addStretch(1);
    QPushButton* close = button("Close", "close");
    layout->addLayout(buttons);

    connect(createNew, &QPushButton::clicked, this, [this] { CreateNew(); });
    connect(fill, &QPushButton::clicked, this, [this] { FillDefaults(); });
    connect(update, &QPushButton::clicked, this, [this] { Update(); });
    connect(remove, &QPushButton::clicked, this, [this] { Delete(); });
    connect(override, &QPushButton::clicked, this, [this] { Override(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { EditRow(list_->indexOfTopLevelItem(item)); });
    for (CNumberEdit* edit : {firstRate_, additionalRate_, hours_, flatAmount_, discount_})
        connect(edit, &QLineEdit::textEdited, this, [this] { ShowAmount(); });
    connect(hourly_, &QRadioButton::clicked, this, [this] { ShowAmount(); ShowKind(); });
    connect(flat_, &QRadioButton::clicked, this, [this] { ShowAmount(); ShowKind(); });
    connect(party_, &QComboBox::activated, this, [this] { ShowAmount(); });

    for (const std::string& party : logic_.Parties())
        party_->addItem(QString::fromLatin1(party));
    ShowList();
    ShowForm();
    resize(760, 520);
}

void CBillingInfoDlg::ShowList()
{
    list_->clear();
    for (const CBillingEntry& entry : logic_.Entries()) {
        auto* item = new QTreeWidgetItem(list_, BillingRowTexts(entry));
        for (int i = 2; i < 8; ++i)
            item->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
    }
    total_->setText(logic_.TotalText());
}

void CBillingInfoDlg::ShowForm()
{
    const BillingLogic::Form& form = logic_.Buffer();
    setWindowTitle(logic_.Title());
    party_->setCurrentIndex(party_->findText(QString::fromLatin1(form.party)));
    hourly_->setChecked(form.kind == CBillingEntry::hourly);
    flat_->setChecked(form.kind != CBillingEntry::hourly);
    firstRate_->SetValue(form.firstHourRate);
    additionalRate_->SetValue(form.additionalRate);
    hours_->SetValue(form.hours);
    flatAmount_->SetValue(form.flatAmount);
    discount_->SetValue(form.discount);
    memo_->setText(QString::fromLatin1(form.memo));
    dateBilled_->setText(logic_.DateBilledText());
    ShowKind();
    ShowAmount();
}

void CBillingInfoDlg::ReadForm()
{
    BillingLogic::Form& form = logic_.Buffer();
    form.party = party_->currentText().toLatin1().toStdString();
    form.kind = hourly_->isChecked() ? CBillingEntry::hourly : CBillingEntry::flat;
    form.firstHourRate = firstRate_->ValueOrZero();
    form.additionalRate = additionalRate_->ValueOrZero();
    form.hours = hours_->ValueOrZero();
    form.flatAmount = flatAmount_->ValueOrZero();
    form.discount = discount_->ValueOrZero();
    form.memo = memo_->text().toLatin1().toStdString();
}

void CBillingInfoDlg::ShowAmount()
{
    ReadForm();
    amount_->setText(QString::asprintf("%.2f", logic_.Amount()));
}

void CBillingInfoDlg::ShowKind()
{
    const bool hourly = hourly_->isChecked();
    firstRate_->setEnabled(hourly);
    additionalRate_->setEnabled(hourly);
    hours_->setEnabled(hourly);
    flatAmount_->setEnabled(!hourly);
}

void CBillingInfoDlg::CreateNew()
{
    logic_.NewMode();
    list_->clearSelection();
    ShowForm();
}

void CBillingInfoDlg::EditRow(int row)
{
    logic_.EditRow(row);
    ShowForm();
}

void CBillingInfoDlg::FillDefaults()
{
    ReadForm();
    if (logic_.FillDefaults())
        ShowForm();
}

void CBillingInfoDlg::Update()
{
    ReadForm();
    if (!logic_.Update())
        return;
    ShowList();
    list_->clearSelection();
    ShowForm();
}

void CBillingInfoDlg::Delete()
{
    std::vector<int> rows;
    for (QTreeWidgetItem* item : list_->selectedItems())
        rows.push_back(list_->indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end());
    logic_.Delete(rows);
    ShowList();
    ShowForm();
}

void CBillingInfoDlg::Override()
{
    if (const std::optional<CDateTime> when = AskDateTime(this, prompts_)) {
        ReadForm();
        logic_.Override(*when);
        dateBilled_->setText(logic_.DateBilledText());
    }
}
