// The progress dialog of long exchanges: shown modal at its first refresh with the
// figures, and its Cancel button answers stop. With ORV_SCREENSHOT_DIR set, the dialog
// mid-transfer is written there as a PNG, to look at.
#include "app/transfer_progress_dlg.h"
#include "support/widget_application.h"

#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(TransferProgressDlg, ShowsTheFiguresModallyAndCancelStops)
{
    WidgetApplication();
    QMainWindow frame;
    frame.show();
    CTransferProgressDlg view(&frame);
    EXPECT_EQ(view.Dialog(), nullptr) << "nothing before the first refresh";

    TransferFigures figures;
    figures.activity = TransferFigures::Activity::receiving;
    figures.itemDone = 12 * 1024 * 1024;
    figures.itemTotal = 30 * 1024 * 1024;
    ASSERT_TRUE(view.Refresh(figures));
    QProgressDialog* dialog = view.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Receiving from the server: 12.0 MB of 30.0 MB"));
    EXPECT_EQ(dialog->value(), 400);

    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(dialog->grab().save(QDir(folder).filePath(QStringLiteral("transfer_progress.png"))));
    }

    // The length not known yet: a busy bar.
    figures.itemTotal = -1;
    ASSERT_TRUE(view.Refresh(figures));
    EXPECT_EQ(dialog->maximum(), 0);

    QPushButton* cancel = dialog->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    cancel->click();
    EXPECT_FALSE(view.Refresh(figures));
}
