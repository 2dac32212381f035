#include "report/widgets/ui_dialog_window.h"

#include "records/ui_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace {

// Window-style bits that the built controls honour.
constexpr int32_t kVisible = 0x10000000;
constexpr int32_t kDisabled = 0x08000000;
constexpr int32_t kBorder = 0x00800000;
constexpr int32_t kGroup = 0x00020000;
constexpr int32_t kTabStop = 0x00010000;
// Edit controls.
constexpr int32_t kEditCenter = 0x1;
constexpr int32_t kEditRight = 0x2;
constexpr int32_t kEditMultiLine = 0x4;
constexpr int32_t kEditUpperCase = 0x8;
constexpr int32_t kEditLowerCase = 0x10;
constexpr int32_t kEditPassword = 0x20;
constexpr int32_t kEditReadOnly = 0x800;
constexpr int32_t kEditNumber = 0x2000;
// Static controls.
constexpr int32_t kStaticCenter = 0x1;
constexpr int32_t kStaticRight = 0x2;
// Button kinds (the low four bits).
enum ButtonKind : int32_t {
    pushButton = 0,
    defaultPushButton = 1,
    checkBox = 2,
    autoCheckBox = 3,
    radioButton = 4,
    threeState = 5,
    autoThreeState = 6,
    groupBox = 7,
    autoRadioButton = 9,
};
// Combo boxes.
constexpr int32_t kComboSort = 0x100;

constexpr const char* kDateMask = "99/99/9999";
// Day 0 of the wire's date-time.
const QDate kDayZero(1899, 12, 30);

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

int32_t Clamp(int32_t value)
{
    return std::clamp<int32_t>(value, 0, UIDialogLimits::kMaxUnits);
}

QString DateText(const CDateTime& date)
{
    if (date.status != CDateTime::valid || !std::isfinite(date.date) || std::fabs(date.date) > 3.0e6)
        return {};
    const QDate day = kDayZero.addDays(static_cast<qint64>(std::floor(date.date)));
    return day.isValid() ? day.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

// The date typed: null when the mask holds no digit, invalid when it is no date.
CDateTime ParseDateText(const QString& text)
{
    if (!std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
        return {CDateTime::null, 0.0};
    const QDate day = QDate::fromString(text.simplified().remove(QLatin1Char(' ')), QStringLiteral("MM/dd/yyyy"));
    if (!day.isValid())
        return {CDateTime::invalid, 0.0};
    return {CDateTime::valid, static_cast<double>(kDayZero.daysTo(day))};
}

Qt::CheckState CheckStateOf(int32_t state)
{
    return state == 0 ? Qt::Unchecked : state == 1 ? Qt::Checked : Qt::PartiallyChecked;
}

int32_t StateValue(Qt::CheckState state)
{
    return state == Qt::Unchecked ? 0 : state == Qt::Checked ? 1 : 2;
}

}  // namespace

// --- Dialog units ---------------------------------------------------------------------------

DialogUnits DialogUnits::OfFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    DialogUnits units;
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    units.charWidth = std::max(1, (letters / 26 + 1) / 2);
    units.charHeight = std::max(1, metrics.height());
    return units;
}

int DialogUnits::X(int32_t x) const
{
    return static_cast<int>(static_cast<int64_t>(Clamp(x)) * charWidth / 4);
}

int DialogUnits::Y(int32_t y) const
{
    return static_cast<int>(static_cast<int64_t>(Clamp(y)) * charHeight / 8);
}

QRect DialogUnits::Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    const int x = X(left);
    const int y = Y(top);
    return QRect(x, y, std::max(0, X(right) - x), std::max(0, Y(bottom) - y));
}

std::optional<std::string> CheckUIDialog(const CUIDialog& dialog)
{
    if (dialog.controls.size() > UIDialogLimits::kMaxControls)
        return "The settings dialog sent by the server has too many controls to be shown";
    size_t items = 0;
    for (const auto& control : dialog.controls) {
        if (const auto* combo = dynamic_cast<const CUIComboBoxControl*>(control.get()))
            items += combo->items.size();
        if (const auto* list = dynamic_cast<const CUICheckListBoxControl*>(control.get()))
            items += list->items.size();
    }
    if (items > UIDialogLimits::kMaxItems)
        return "The settings dialog sent by the server has too many list items to be shown";
    return std::nullopt;
}

// --- The window -------------------------------------------------------------------------------

CUIDialogWindow::CUIDialogWindow(CUIDialog& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog)
{
    setWindowTitle(QStringLiteral("Properties"));
    setObjectName(QStringLiteral("Properties"));
    CreateControls();
}

CUIDialogWindow::~CUIDialogWindow() = default;

void CUIDialogWindow::CreateControls()
{
    const DialogUnits units = DialogUnits::OfFont(font());
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("canvas"));

    const int32_t width = Clamp(dialog_.width);
    const int32_t height = Clamp(dialog_.height);
    QRect area = units.Rect(0, 0, width, height);

    // OK and Cancel first, so that the described controls lie above them.
    auto* ok = new QPushButton(QStringLiteral("OK"), canvas_);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), canvas_);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    ok->setGeometry(units.Rect(width - 55, 5, width - 5, 19));
    cancel->setGeometry(units.Rect(width - 55, 23, width - 5, 37));
    connect(ok, &QPushButton::clicked, this, &CUIDialogWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &CUIDialogWindow::reject);
    area = area.united(ok->geometry()).united(cancel->geometry());

    windows_.reserve(dialog_.controls.size());
    QButtonGroup* radioGroup = nullptr;
    for (const auto& control : dialog_.controls) {
        QWidget* window = control ? CreateControl(*control) : nullptr;
        windows_.push_back(window);
        if (!window)
            continue;
        const CUIControl::Rect& r = control->rect;
        QRect place = units.Rect(r.left, r.top, r.right, r.bottom);
        // A drop-down list's rectangle includes its open list; the closed box is one line.
        if (qobject_cast<QComboBox*>(window))
            place.setHeight(std::min(std::max(place.height(), 1), window->sizeHint().height()));
        window->setGeometry(place);
        area = area.united(place);
        window->setFont(font());
        // Radio buttons form exclusive groups, each begun by a button with the group bit.
        if (auto* radio = qobject_cast<QRadioButton*>(window)) {
            if (!radioGroup || (control->style & kGroup) != 0)
                radioGroup = new QButtonGroup(this);
            // Joined unchecked, then checked, so that the group knows its checked button.
            const bool checked = radio->isChecked();
            radio->setChecked(false);
            radioGroup->addButton(radio);
            radio->setChecked(checked);
        } else if ((control->style & kGroup) != 0) {
            radioGroup = nullptr;
        }
    }
    // Z-order from last to first, so that the first control is on top; tab order is the
    // list order, then OK and Cancel.
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (*it && !qobject_cast<QGroupBox*>(*it))
            (*it)->raise();
    for (QWidget* window : windows_)
        if (auto* box = qobject_cast<QGroupBox*>(window))
            box->lower();
    QWidget* previous = nullptr;
    for (QWidget* window : windows_) {
        if (!window || window->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, window);
        previous = window;
    }
    if (previous)
        setTabOrder(previous, ok);
    setTabOrder(ok, cancel);

    canvas_->setFixedSize(area.right() + 1, area.bottom() + 1);
    scroll->setWidget(canvas_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    // The client area the description asks for, but never larger than the screen.
    QSize size = canvas_->size() + QSize(2, 2);
    if (const QScreen* screen = this->screen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        size = size.boundedTo(room);
    }
    resize(size);

    if (!dialog_.title.empty())
        setWindowTitle(Latin1(dialog_.title));
}

QWidget* CUIDialogWindow::CreateControl(CUIControl& control)
{
    const int32_t style = control.style;
    QWidget* window = nullptr;
    const std::type_info& kind = typeid(control);
    if (kind == typeid(CUIEditControl)) {
        if ((style & kEditMultiLine) != 0) {
            auto* edit = new QPlainTextEdit(Latin1(control.text), canvas_);
            edit->setReadOnly((style & kEditReadOnly) != 0);
            window = edit;
        } else {
            auto* edit = new QLineEdit(canvas_);
            edit->setMaxLength(std::max<int>(32767, static_cast<int>(std::min<size_t>(control.text.size(), 1 << 20))));
            edit->setText(Latin1(control.text));
            edit->setModified(false);
            if ((style & kEditPassword) != 0)
                edit->setEchoMode(QLineEdit::Password);
            edit->setReadOnly((style & kEditReadOnly) != 0);
            if ((style & kEditNumber) != 0)
                edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
            if ((style & kEditRight) != 0)
                edit->setAlignment(Qt::AlignRight);
            else if ((style & kEditCenter) != 0)
                edit->setAlignment(Qt::AlignHCenter);
            if ((style & (kEditUpperCase | kEditLowerCase)) != 0) {
                const bool upper = (style & kEditUpperCase) != 0;
                connect(edit, &QLineEdit::textEdited, edit, [edit, upper](const QString& text) {
                    const int at = edit->cursorPosition();
                    edit->setText(upper ? text.toUpper() : text.toLower());
                    edit->setCursorPosition(at);
                    edit->setModified(true);
                });
            }
            edit->setFrame((style & kBorder) != 0);
            window = edit;
        }
    } else if (kind == typeid(CUIDateEditControl)) {
        const auto& date = static_cast<CUIDateEditControl&>(control);
        auto* edit = new QLineEdit(canvas_);
        edit->setInputMask(QString::fromLatin1(kDateMask));
        edit->setMaxLength(10);
        edit->setText(DateText(date.date));
        edit->setModified(false);
        edit->setFrame((style & kBorder) != 0);
        window = edit;
    } else if (kind == typeid(CUIStaticControl)) {
        auto* label = new QLabel(Latin1(control.text), canvas_);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | ((style & 0x1F) == kStaticRight    ? Qt::AlignRight
                                            : (style & 0x1F) == kStaticCenter ? Qt::AlignHCenter
                                                                              : Qt::AlignLeft));
        if ((style & kBorder) != 0)
            label->setFrameShape(QFrame::Box);
        window = label;
    } else if (kind == typeid(CUIButtonControl)) {
        const auto& button = static_cast<CUIButtonControl&>(control);
        const QString caption = Latin1(control.text);
        switch (style & 0xF) {
        case checkBox:
        case autoCheckBox:
        case threeState:
        case autoThreeState: {
            auto* box = new QCheckBox(caption, canvas_);
            const int32_t kindBits = style & 0xF;
            box->setTristate(kindBits == threeState || kindBits == autoThreeState || button.checkState == 2);
            box->setCheckState(CheckStateOf(button.checkState));
            window = box;
            break;
        }
        case radioButton:
        case autoRadioButton: {
            auto* radio = new QRadioButton(caption, canvas_);
            radio->setAutoExclusive(false);
            radio->setChecked(button.checkState == 1);
            window = radio;
            break;
        }
        case groupBox: window = new QGroupBox(caption, canvas_); break;
        default: {
            auto* push = new QPushButton(caption, canvas_);
            push->setAutoDefault(false);
            window = push;
            break;
        }
        }
    } else if (kind == typeid(CUIComboBoxControl)) {
        const auto& combo = static_cast<CUIComboBoxControl&>(control);
        auto* box = new QComboBox(canvas_);
        QStringList items;
        for (const std::string& item : combo.items)
            items.push_back(Latin1(item));
        if (((style | CUIComboBoxControl::kCreateStyle) & kComboSort) != 0)
            items.sort();
        box->addItems(items);
        box->setCurrentIndex(control.text.empty() ? -1 : box->findText(Latin1(control.text), Qt::MatchExactly));
        window = box;
    } else if (kind == typeid(CUICheckListBoxControl)) {
        const auto& list = static_cast<CUICheckListBoxControl&>(control);
        auto* box = new QListWidget(canvas_);
        for (size_t i = 0; i < list.items.size(); ++i) {
            auto* item = new QListWidgetItem(Latin1(list.items[i]), box);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(CheckStateOf(i < list.checkStates.size() ? list.checkStates[i] : 0));
            if (i < list.itemData.size())
                item->setData(Qt::UserRole, list.itemData[i]);
        }
        window = box;
    } else {
        // The base class is a placeholder; a class this program does not know is left out.
        return nullptr;
    }
    window->setObjectName(QStringLiteral("control%1").arg(control.controlId));
    window->setVisible((style & kVisible) != 0);
    window->setEnabled((style & kDisabled) == 0);
    if ((style & kTabStop) == 0 && !qobject_cast<QComboBox*>(window) && !qobject_cast<QListWidget*>(window))
        window->setFocusPolicy(qobject_cast<QLabel*>(window) ? Qt::NoFocus : Qt::ClickFocus);
    return window;
}

void CUIDialogWindow::SaveValues()
{
    for (size_t i = 0; i < windows_.size() && i < dialog_.controls.size(); ++i) {
        QWidget* window = windows_[i];
        CUIControl* control = dialog_.controls[i].get();
        if (!window || !control)
            continue;
        const std::type_info& kind = typeid(*control);
        if (kind == typeid(CUIEditControl)) {
            if (auto* edit = qobject_cast<QLineEdit*>(window)) {
                if (edit->isModified())
                    control->text = Bytes(edit->text());
            } else if (auto* text = qobject_cast<QPlainTextEdit*>(window)) {
                if (text->document()->isModified())
                    control->text = Bytes(text->toPlainText());
            }
        } else if (kind == typeid(CUIDateEditControl)) {
            auto* edit = qobject_cast<QLineEdit*>(window);
            // An untouched date keeps what was received, its time of day included.
            if (edit && edit->isModified()) {
                auto* date = static_cast<CUIDateEditControl*>(control);
                date->date = ParseDateText(edit->text());
                control->text = date->date.IsValid() ? Bytes(edit->text()) : std::string();
            }
        } else if (kind == typeid(CUIButtonControl)) {
            auto* button = static_cast<CUIButtonControl*>(control);
            if (auto* box = qobject_cast<QCheckBox*>(window)) {
                const int32_t shown = StateValue(box->checkState());
                if (shown != StateValue(CheckStateOf(button->checkState)))
                    button->checkState = shown;
            } else if (auto* radio = qobject_cast<QRadioButton*>(window)) {
                if (radio->isChecked() != (button->checkState == 1))
                    button->checkState = radio->isChecked() ? 1 : 0;
            }
        } else if (kind == typeid(CUIComboBoxControl)) {
            auto* box = qobject_cast<QComboBox*>(window);
            control->text = box && box->currentIndex() >= 0 ? Bytes(box->currentText()) : std::string();
        } else if (kind == typeid(CUICheckListBoxControl)) {
            auto* list = static_cast<CUICheckListBoxControl*>(control);
            auto* box = qobject_cast<QListWidget*>(window);
            if (!box)
                continue;
            const size_t count = std::min<size_t>(list->items.size(), static_cast<size_t>(box->count()));
            if (list->checkStates.size() < count)
                list->checkStates.resize(count, 0);
            for (size_t row = 0; row < count; ++row) {
                const int32_t shown = StateValue(box->item(static_cast<int>(row))->checkState());
                if (shown != StateValue(CheckStateOf(list->checkStates[row])))
                    list->checkStates[row] = shown;
            }
        }
    }
}

void CUIDialogWindow::accept()
{
    SaveValues();
    QDialog::accept();
}
