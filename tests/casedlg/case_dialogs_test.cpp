// The import dialog and the order wizards on screen: the import sends the file's bytes
// and appends the server's lines to a log that keeps everything; a wizard page with a
// field missing keeps the user on it. With ORV_SCREENSHOT_DIR set, the dialogs are saved
// there as pictures.
#include "casedlg/case_import_dlg.h"
#include "casedlg/case_order_prop_sheet.h"
#include "codec/binary_object.h"
#include "query/civil_date.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/widget_application.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>

namespace {

void Save(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
    }
}

}  // namespace

TEST(CaseImportDlg, SendsTheFileAndKeepsEveryImportInTheLog)
{
    WidgetApplication();
    CTempDir dir;
    const std::string bytes("[InsuredName]\r\nA\0B\r\n", 20);
    std::ofstream(dir.File("cases.txt"), std::ios::binary) << bytes;
    ScriptedPrompts prompts;
    std::vector<std::string> sent;
    bool serverAnswers = true;
    CCaseImportDlg dialog(
        [&](const CBinaryObject& file, std::vector<std::string>& lines) {
            sent.push_back(file.GetBytes());
            lines = {"Line 2: created case 2026-000301", "1 case(s) imported successfully"};
            return serverAnswers;
        },
        prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Orvenna Import Client"));

    prompts.fileAnswers.push_back(QString::fromStdString(dir.File("cases.txt")));
    dialog.findChild<QPushButton*>(QStringLiteral("browse"))->click();
    ASSERT_EQ(prompts.fileChoices.size(), 1u);
    EXPECT_EQ(prompts.fileChoices[0].title, QStringLiteral("Select Source Text File"));
    EXPECT_EQ(prompts.fileChoices[0].filter, QStringLiteral("All Files (*.*)|*.*||"));
    dialog.findChild<QPushButton*>(QStringLiteral("import"))->click();
    dialog.Import();
    EXPECT_EQ(sent, (std::vector<std::string>{bytes, bytes}));
    const QString once = QStringLiteral("\nImporting...\n\nLine 2: created case 2026-000301\n"
                                        "1 case(s) imported successfully\n");
    EXPECT_EQ(dialog.Log()->toPlainText(), once + once);
    EXPECT_TRUE(prompts.messages.empty());
    dialog.show();
    Save(dialog, QStringLiteral("import-dialog.png"));

    serverAnswers = false;
    dialog.Import();
    dialog.PathEdit()->setText(QString::fromStdString(dir.File("missing.txt")));
    dialog.Import();
    dialog.PathEdit()->setText(QString::fromStdString(dir.Path()));
    dialog.Import();
    const std::vector<QString> messages = prompts.MessageTexts();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], QStringLiteral("Failed to send import file to server"));
    EXPECT_EQ(messages[1], QStringLiteral("Error opening file"));
    EXPECT_EQ(messages[2], QStringLiteral("Is a directory"));
    EXPECT_TRUE(dialog.Log()->toPlainText().startsWith(once + once + QStringLiteral("\nImporting...\n\n")));
}

TEST(CaseOrderPropSheet, PagesInOrderAndAPageWithAMissingFieldHoldsTheUser)
{
    WidgetApplication();
    for (const int product : {CCaseOrder::inspection, CCaseOrder::audit}) {
        const bool audit = product == CCaseOrder::audit;
        ScriptedPrompts prompts;
        CCaseOrder order;
        order.product = product;
        order.orderedBy = "joan";
        order.dueDate = MakeDate(CivilDate{2026, 12, 31});
        CCaseOrderPropSheet sheet(order, prompts);
        EXPECT_EQ(sheet.windowTitle(), QString::fromLatin1(audit ? "Order New Audit" : "Order New Inspection"));
        sheet.resize(sheet.sizeHint());
        sheet.show();
        const int first = sheet.currentId();
        sheet.next();
        EXPECT_EQ(sheet.currentId(), first);
        EXPECT_EQ(prompts.MessageTexts(), std::vector<QString>{QStringLiteral("Insured Name field must be filled in.")});

        const auto type = [&](const char* field, const char* text) {
            auto* edit = sheet.currentPage()->findChild<QLineEdit*>(QString::fromLatin1(field));
            ASSERT_NE(edit, nullptr) << field;
            edit->setText(QString::fromLatin1(text));
        };
        type("* Insured:", "Harbor Bakery");
        type("* Policy #:", "BOP-1");
        type("* Address:", "14 Wharf St");
        type("* City:", "Boston");
        type("* State:", "MA");
        if (audit) {
            type("* Period:", "01/01/2026");
            type("to", "01/01/2027");
        }
        const QString prefix = QString::fromLatin1(audit ? "order-audit-" : "order-inspection-");
        QStringList titles;
        for (int page = 1;; ++page) {
            titles << sheet.currentPage()->title();
            Save(sheet, prefix + QString::number(page) + QStringLiteral(".png"));
            if (sheet.currentPage()->title() == QStringLiteral("Locations and Special")) {
                type("* Address:", "16 Wharf St");
                type("* City:", "Boston");
                type("* State:", "MA");
            }
            if (sheet.currentPage()->title() == QStringLiteral("Selections")) {
                sheet.next();
                EXPECT_EQ(prompts.MessageTexts().back(), QStringLiteral("At least one selection must be made."));
                sheet.currentPage()->findChild<QCheckBox*>(QStringLiteral("Dog"))->setChecked(true);
            }
            if (sheet.currentPage()->title() == QStringLiteral("Finish"))
                break;
            const int before = sheet.currentId();
            sheet.next();
            ASSERT_NE(sheet.currentId(), before) << prompts.MessageTexts().back().toStdString();
        }
        EXPECT_EQ(titles, audit ? QStringList({"General", "Locations and Special", "Principals and Codes", "Finish"})
                                : QStringList({"General", "Locations and Special", "Selections", "Finish"}));
        EXPECT_EQ(order.insuredName, "Harbor Bakery");
        EXPECT_EQ(order.locAddress1, "16 Wharf St");
        EXPECT_EQ(order.selected[CCaseOrder::dog], !audit);
        if (audit) {
            EXPECT_EQ(order.periodTo, MakeDate(CivilDate{2027, 1, 1}));
        }
    }

    CCaseOrderSelectDlg select({"Atlas Mutual Insurance", "Beacon Premium Audit Co."});
    EXPECT_EQ(select.windowTitle(), QStringLiteral("Select Product and Parent"));
    select.show();
    Save(select, QStringLiteral("order-select.png"));
    EXPECT_EQ(select.Product(), CCaseOrder::inspection);
    EXPECT_EQ(select.Parent(), "Atlas Mutual Insurance");
}
