#include "app/transfer_progress_dlg.h"

#include "app/orvenna_oc_app.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {

// The bar's scale when the length is known: tenths of a percent, so that lengths beyond
// the range of int still fit.
constexpr int kBarSteps = 1000;

}  // namespace

CTransferProgressDlg::CTransferProgressDlg(QWidget* parent) : parent_(parent) {}

CTransferProgressDlg::~CTransferProgressDlg()
{
    delete dialog_.data();
    if (cursorPushed_)
        QApplication::restoreOverrideCursor();
}

QProgressDialog* CTransferProgressDlg::Dialog() const
{
    return dialog_.data();
}

bool CTransferProgressDlg::Refresh(const TransferFigures& figures)
{
    if (!dialog_) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setObjectName(QStringLiteral("transferProgress"));
        dialog_->setWindowTitle(QString::fromLatin1(kApplicationTitle));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(0);
        dialog_->setMinimumWidth(380);
        dialog_->setCancelButtonText(QStringLiteral("Cancel"));
        // The exchange's wait cursor would hide that Cancel can be pressed.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        cursorPushed_ = true;
        dialog_->show();
    }
    if (figures.itemTotal > 0) {
        dialog_->setRange(0, kBarSteps);
        const double done = static_cast<double>(figures.itemDone) / static_cast<double>(figures.itemTotal);
        dialog_->setValue(static_cast<int>(std::min(1.0, done) * kBarSteps));
    } else {
        dialog_->setRange(0, 0);  // busy: the length is not known yet
    }
    dialog_->setLabelText(QString::fromLatin1(TransferProgressText(figures)));
    QApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    return dialog_ && !dialog_->wasCanceled();
}
