#pragma once
// The desktop's display of a long exchange with the server: a modal progress dialog with
// the bytes moved (a bar when the payload's length is known) and a Cancel button. While
// it shows, each refresh lets the window repaint; the dialog's modality keeps clicks and
// keys away from the rest of the program, and events of the companion link's socket wait
// until the exchange is over, so nothing re-enters the document meanwhile.

#include "net/transfer_progress.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

class CTransferProgressDlg : public TransferProgressView {
public:
    explicit CTransferProgressDlg(QWidget* parent);
    ~CTransferProgressDlg() override;
    CTransferProgressDlg(const CTransferProgressDlg&) = delete;
    CTransferProgressDlg& operator=(const CTransferProgressDlg&) = delete;

    bool Refresh(const TransferFigures& figures) override;
    // The dialog, once shown (null before the first refresh).
    QProgressDialog* Dialog() const;

private:
    QPointer<QWidget> parent_;
    QPointer<QProgressDialog> dialog_;
    bool cursorPushed_ = false;
};
