#include "casedlg/progress_report_dlg.h"

#include "platform/user_prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CProgressEntryDlg::CProgressEntryDlg(ProgressEntryForm& form, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), form_(form), prompts_(prompts), comment_(new QPlainTextEdit(this)), date_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Progress Report Properties"));
    comment_->setObjectName(QStringLiteral("comment"));
    comment_->setPlainText(QString::fromLatin1(form_.comment));
    // No more than the comment's length can be entered.
    connect(comment_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = comment_->toPlainText();
        if (text.size() <= static_cast<qsizetype>(ProgressEntryForm::kMaxCommentLength))
            return;
        QTextCursor cursor = comment_->textCursor();
        const int position = std::min(cursor.position(), static_cast<int>(ProgressEntryForm::kMaxCommentLength));
        comment_->setPlainText(text.left(static_cast<qsizetype>(ProgressEntryForm::kMaxCommentLength)));
        cursor = comment_->textCursor();
        cursor.setPosition(position);
        comment_->setTextCursor(cursor);
    });
    date_->setObjectName(QStringLiteral("date"));
    date_->setInputMask(QStringLiteral("99/99/9999;_"));
    date_->setText(QString::fromLatin1(form_.dateText));
    date_->setFixedWidth(date_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);

    auto* commentLabel = new QLabel(QStringLiteral("&Comments:"), this);
    commentLabel->setBuddy(comment_);
    auto* dateLabel = new QLabel(QStringLiteral("&Date:"), this);
    dateLabel->setBuddy(date_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(commentLabel);
    layout->addWidget(comment_);
    auto* row = new QHBoxLayout;
    row->addWidget(dateLabel);
    row->addWidget(date_);
    row->addStretch();
    if (form_.showInternal) {
        internal_ = new QCheckBox(QStringLiteral("Internal Entry  (does not print)"), this);
        internal_->setObjectName(QStringLiteral("internal"));
        internal_->setChecked(form_.internal);
        row->addWidget(internal_);
    }
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(460, 300);
}

void CProgressEntryDlg::accept()
{
    form_.comment = comment_->toPlainText().toLatin1().toStdString();
    form_.dateText = date_->text().toLatin1().toStdString();
    form_.internal = internal_ && internal_->isChecked();
    if (const std::optional<std::string> problem = form_.Validate()) {
        prompts_.Message(QString::fromLatin1(*problem));
        date_->setFocus();
        date_->selectAll();
        return;
    }
    QDialog::accept();
}

CProgressReportDlg::CProgressReportDlg(ProgressReportLogic& logic, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      logic_(logic),
      grid_(new QTableWidget(this)),
      properties_(new QPushButton(QStringLiteral("&Properties..."), this)),
      remove_(new QPushButton(QStringLiteral("&Remove"), this))
{
    setWindowTitle(QStringLiteral("Progress Report"));
    editor_ = [this, &prompts](ProgressEntryForm& form) {
        CProgressEntryDlg dialog(form, prompts, this);
        return dialog.exec() == QDialog::Accepted;
    };

    grid_->setObjectName(QStringLiteral("entries"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false);
    const std::vector<ProgressReportLogic::Column> columns = logic_.Columns();
    grid_->setColumnCount(static_cast<int>(columns.size()));
    int width = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        grid_->setHorizontalHeaderItem(static_cast<int>(i),
                                       new QTableWidgetItem(QString::fromLatin1(columns[i].header)));
        grid_->setColumnWidth(static_cast<int>(i), columns[i].width);
        width += columns[i].width;
    }
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(grid_, &QTableWidget::itemSelectionChanged, this, &CProgressReportDlg::ShowButtonStates);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { EditEntry(); });

    auto* newButton = new QPushButton(QStringLiteral("&New..."), this);
    newButton->setObjectName(QStringLiteral("new"));
    properties_->setObjectName(QStringLiteral("properties"));
    remove_->setObjectName(QStringLiteral("remove"));
    auto* copyAll = new QPushButton(QStringLiteral("&Copy All"), this);
    copyAll->setObjectName(QStringLiteral("copyAll"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(newButton, &QPushButton::clicked, this, &CProgressReportDlg::NewEntry);
    connect(properties_, &QPushButton::clicked, this, &CProgressReportDlg::EditEntry);
    connect(remove_, &QPushButton::clicked, this, &CProgressReportDlg::RemoveEntry);
    connect(copyAll, &QPushButton::clicked, this, &CProgressReportDlg::CopyAll);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {newButton, properties_, remove_, copyAll})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(width + 40, 320);
    Fill();
}

void CProgressReportDlg::Fill()
{
    grid_->clearContents();
    grid_->setRowCount(static_cast<int>(logic_.Entries().size()));
    for (size_t row = 0; row < logic_.Entries().size(); ++row) {
        const std::vector<std::string> texts = logic_.RowTexts(row);
        for (size_t column = 0; column < texts.size(); ++column)
            grid_->setItem(static_cast<int>(row), static_cast<int>(column),
                           new QTableWidgetItem(QString::fromLatin1(texts[column])));
    }
    grid_->resizeRowsToContents();
    ShowButtonStates();
}

int CProgressReportDlg::SelectedRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void CProgressReportDlg::ShowButtonStates()
{
    // A linked entry cannot be changed; without a selection the buttons say so.
    const int row = SelectedRow();
    const bool enabled = row < 0 || logic_.ChangeEnabled(row);
    properties_->setEnabled(enabled);
    remove_->setEnabled(enabled);
}

void CProgressReportDlg::NewEntry()
{
    if (logic_.New(editor_))
        Fill();
}

void CProgressReportDlg::EditEntry()
{
    if (logic_.Properties(SelectedRow(), editor_))
        Fill();
}

void CProgressReportDlg::RemoveEntry()
{
    if (logic_.Remove(SelectedRow()))
        Fill();
}

void CProgressReportDlg::CopyAll()
{
    QApplication::clipboard()->setText(QString::fromLatin1(logic_.CopyAllText()));
}
