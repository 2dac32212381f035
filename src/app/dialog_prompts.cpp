#include "app/dialog_prompts.h"

#include "app/orvenna_oc_app.h"
#include "app/transfer_progress_dlg.h"
#include "platform/file_filter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString CaptionOr(const QString& caption)
{
    return caption.isEmpty() ? QString::fromLatin1(kApplicationTitle) : caption;
}

QMessageBox::Icon BoxIcon(UserPrompts::Icon icon)
{
    switch (icon) {
    case UserPrompts::Icon::information: return QMessageBox::Information;
    case UserPrompts::Icon::exclamation: return QMessageBox::Warning;
    case UserPrompts::Icon::stop: return QMessageBox::Critical;
    case UserPrompts::Icon::question: return QMessageBox::Question;
    case UserPrompts::Icon::none: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

DialogPrompts::DialogPrompts(QWidget* parent) : parent_(parent) {}

void DialogPrompts::Message(const QString& text, Icon icon, const QString& caption)
{
    QMessageBox box(BoxIcon(icon), CaptionOr(caption), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool DialogPrompts::AskYesNo(const QString& text, bool defaultNo, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, CaptionOr(caption), text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DialogPrompts::ChooseOpenFile(const FileChoice& choice)
{
    return ChooseFile(choice, false);
}

std::optional<QString> DialogPrompts::ChooseSaveFile(const FileChoice& choice)
{
    return ChooseFile(choice, true);
}

std::optional<QString> DialogPrompts::ChooseFile(const FileChoice& choice, bool save)
{
    QFileDialog dialog(parent_, choice.title, choice.initialPath, QtFileFilter(choice.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(choice.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

std::optional<QString> DialogPrompts::ChooseFolder(const QString& title, const QString& startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(parent_, title, startFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

void DialogPrompts::BeginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void DialogPrompts::EndWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

std::unique_ptr<TransferProgressView> DialogPrompts::CreateTransferProgressView()
{
    return std::make_unique<CTransferProgressDlg>(parent_);
}
