// The settings dialog built from a received description: every kind of control gives
// its values back through OK unchanged when untouched, edits are read back, the tab
// order is the list order, and hostile descriptions give a bounded, usable dialog or a
// refusal. With ORV_SCREENSHOT_DIR set the built dialog is written there as a PNG.
#include "support/widget_application.h"

#include "records/ui_dialog.h"
#include "report/widgets/ui_dialog_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

template <class T>
std::shared_ptr<T> Add(CUIDialog& dialog, int32_t id, const std::string& text, CUIControl::Rect rect)
{
    auto control = std::make_shared<T>();
    control->controlId = id;
    control->text = text;
    control->rect = rect;
    dialog.controls.push_back(control);
    return control;
}

// One control of every kind, with the values a server sends.
CUIDialog EveryKind()
{
    CUIDialog dialog;
    dialog.width = 260;
    dialog.height = 150;
    dialog.title = "Case Listing Settings";
    Add<CUIStaticControl>(dialog, -1, "Report title:", {7, 9, 70, 17});
    Add<CUIEditControl>(dialog, 101, "Open cases", {75, 7, 190, 19});
    auto date = Add<CUIDateEditControl>(dialog, 102, "", {75, 25, 190, 37});
    date->date = {CDateTime::valid, 46000.25};  // a time of day the edit does not show
    auto noDate = Add<CUIDateEditControl>(dialog, 103, "", {75, 43, 190, 55});
    auto check = Add<CUIButtonControl>(dialog, 104, "Include closed", {7, 61, 190, 73});
    check->style = 0x50010003;
    check->checkState = 1;
    auto radio1 = Add<CUIButtonControl>(dialog, 105, "Auditor due date", {7, 77, 100, 89});
    radio1->style = 0x50030009;
    auto radio2 = Add<CUIButtonControl>(dialog, 106, "Master due date", {105, 77, 190, 89});
    radio2->style = 0x50000009;
    radio2->checkState = 1;
    auto combo = Add<CUIComboBoxControl>(dialog, 107, "Billers", {75, 93, 190, 150});
    combo->style = 0x50000000;
    combo->items = {"Auditors", "Billers"};
    auto stray = Add<CUIComboBoxControl>(dialog, 108, "Nobody", {75, 111, 190, 160});
    stray->style = 0x50000000;
    stray->items = {"Auditors", "Billers"};
    auto list = Add<CUICheckListBoxControl>(dialog, 109, "", {195, 45, 255, 145});
    list->style = 0x50000000;
    list->items = {"One", "Two", "Three"};
    list->checkStates = {1, 0, 1};
    list->itemData = {7};
    Add<CUIControl>(dialog, 110, "placeholder", {0, 0, 10, 10});
    return dialog;
}

template <class T>
T* Window(CUIDialogWindow& window, int32_t id)
{
    return window.findChild<T*>(QStringLiteral("control%1").arg(id));
}

}  // namespace

TEST(UIDialogWindow, UntouchedControlsGiveTheirValuesBackThroughOk)
{
    WidgetApplication();
    CUIDialog dialog = EveryKind();
    const CUIDialog received = dialog;
    CUIDialogWindow window(dialog);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Case Listing Settings"));
    EXPECT_EQ(window.ControlWindows().back(), nullptr);  // the placeholder has no window
    EXPECT_EQ(Window<QLineEdit>(window, 103)->text(), QStringLiteral("//"));  // a null date: the empty mask
    EXPECT_EQ(Window<QComboBox>(window, 108)->currentIndex(), -1);
    EXPECT_EQ(Window<QListWidget>(window, 109)->item(0)->data(Qt::UserRole).toInt(), 7);
    EXPECT_FALSE(Window<QListWidget>(window, 109)->item(1)->data(Qt::UserRole).isValid());
    if (const char* folder = std::getenv("ORV_SCREENSHOT_DIR")) {
        window.show();
        QApplication::processEvents();
        window.grab().save(QStringLiteral("%1/settings_dialog.png").arg(QString::fromLocal8Bit(folder)));
    }

    window.findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
        const CUIControl& before = *received.controls[i];
        const CUIControl& after = *dialog.controls[i];
        // A combo text that names none of the items comes back empty.
        EXPECT_EQ(after.text, before.controlId == 108 ? std::string() : before.text) << before.controlId;
        EXPECT_EQ(after.style, before.style);
    }
    auto at = [&](size_t i) { return dialog.controls[i].get(); };
    EXPECT_EQ(static_cast<CUIDateEditControl*>(at(2))->date, (CDateTime{CDateTime::valid, 46000.25}));
    EXPECT_EQ(static_cast<CUIDateEditControl*>(at(3))->date.status, CDateTime::null);
    EXPECT_EQ(static_cast<CUIButtonControl*>(at(4))->checkState, 1);
    EXPECT_EQ(static_cast<CUIButtonControl*>(at(5))->checkState, 0);
    EXPECT_EQ(static_cast<CUIButtonControl*>(at(6))->checkState, 1);
    const auto* list = static_cast<CUICheckListBoxControl*>(at(9));
    EXPECT_EQ(list->checkStates, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(list->itemData, std::vector<int32_t>{7});
}

TEST(UIDialogWindow, EditedValuesAreReadBackAndTabOrderIsTheListOrder)
{
    WidgetApplication();
    CUIDialog dialog = EveryKind();
    CUIDialogWindow window(dialog);
    Window<QLineEdit>(window, 101)->setText(QStringLiteral("Mine"));
    Window<QLineEdit>(window, 101)->setModified(true);
    auto* date = Window<QLineEdit>(window, 103);
    date->setText(QStringLiteral("02/29/2028"));
    date->setModified(true);
    Window<QCheckBox>(window, 104)->click();
    Window<QRadioButton>(window, 105)->click();  // the group is exclusive once built
    Window<QComboBox>(window, 108)->setCurrentIndex(0);
    Window<QListWidget>(window, 109)->item(1)->setCheckState(Qt::Checked);

    // Tab order: the focusable controls in list order, then OK and Cancel.
    std::vector<QWidget*> expected;
    for (QWidget* control : window.ControlWindows())
        if (control && control->focusPolicy() != Qt::NoFocus)
            expected.push_back(control);
    expected.push_back(window.findChild<QPushButton*>(QStringLiteral("ok")));
    expected.push_back(window.findChild<QPushButton*>(QStringLiteral("cancel")));
    std::vector<QWidget*> chain;
    QWidget* at = expected.front();
    for (int step = 0; step < 200 && chain.size() < expected.size(); ++step, at = at->nextInFocusChain())
        if (std::find(expected.begin(), expected.end(), at) != expected.end() &&
            std::find(chain.begin(), chain.end(), at) == chain.end())
            chain.push_back(at);
    EXPECT_EQ(chain, expected);

    window.accept();
    EXPECT_EQ(dialog.controls[1]->text, "Mine");
    const auto* typed = static_cast<CUIDateEditControl*>(dialog.controls[3].get());
    EXPECT_EQ(typed->date.status, CDateTime::valid);
    EXPECT_EQ(typed->text, "02/29/2028");
    EXPECT_EQ(static_cast<CUIButtonControl*>(dialog.controls[4].get())->checkState, 0);
    EXPECT_EQ(static_cast<CUIButtonControl*>(dialog.controls[5].get())->checkState, 1);
    EXPECT_EQ(static_cast<CUIButtonControl*>(dialog.controls[6].get())->checkState, 0);
    EXPECT_EQ(dialog.controls[8]->text, "Auditors");
    EXPECT_EQ(static_cast<CUICheckListBoxControl*>(dialog.controls[9].get())->checkStates,
              (std::vector<int32_t>{1, 1, 1}));
}

TEST(UIDialogWindow, HostileDescriptionsGiveABoundedDialogOrARefusal)
{
    WidgetApplication();
    CUIDialog huge;
    huge.width = 2000000000;
    huge.height = -5;
    Add<CUIEditControl>(huge, 1, "", {-100000, 2000000000, -7, 3});   // reversed and off the dialog
    Add<CUIStaticControl>(huge, 2, "far", {3900, 3900, 100000, 100000});
    CUIDialogWindow window(huge);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Properties"));  // no title sent
    const QSize screen = window.screen()->availableGeometry().size();
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());
    // Everything stays reachable: the canvas scrolls to the farthest control.
    const QRect far = window.findChild<QLabel*>(QStringLiteral("control2"))->geometry();
    EXPECT_TRUE(QRect(QPoint(0, 0), window.Canvas()->size()).contains(far.topLeft()));
    window.accept();
    EXPECT_EQ(huge.controls[0]->text, "");

    CUIDialog crowded;
    for (int i = 0; i <= static_cast<int>(UIDialogLimits::kMaxControls); ++i)
        Add<CUIStaticControl>(crowded, i, "x", {0, 0, 10, 10});
    EXPECT_TRUE(CheckUIDialog(crowded).has_value());
    crowded.controls.pop_back();
    EXPECT_FALSE(CheckUIDialog(crowded).has_value());
    CUIDialog longLists;
    Add<CUIComboBoxControl>(longLists, 1, "", {0, 0, 10, 10})->items.resize(UIDialogLimits::kMaxItems + 1);
    EXPECT_TRUE(CheckUIDialog(longLists).has_value());
}

TEST(UIDialogWindow, DialogUnitsFollowTheAverageCharacterSize)
{
    DialogUnits units;
    units.charWidth = 6;
    units.charHeight = 13;
    EXPECT_EQ(units.X(100), 150);
    EXPECT_EQ(units.Y(16), 26);
    EXPECT_EQ(units.Rect(10, 8, 4, 0), QRect(15, 13, 0, 0));  // reversed corners: empty, not negative
}
