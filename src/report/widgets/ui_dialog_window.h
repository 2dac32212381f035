#pragma once
// The settings dialog of a report view, built at run time from the CUIDialog the server
// sends: a fixed dialog titled "Properties" with OK and Cancel, into which every
// described control is created at its place (dialog units converted with the dialog
// font's average character size), in tab order, with OK and Cancel moved to the right
// edge. OK writes the controls' values back into the description.
//
// The description is input from the network: CheckUIDialog refuses what cannot make a
// usable dialog (too many controls or items) with a message, rectangles are clamped to
// a sane range, unknown control classes are left out, and a dialog larger than the
// screen scrolls.

#include <QDialog>
#include <QRect>

#include <optional>
#include <string>
#include <vector>

class CUIDialog;
class CUIControl;
class QFont;
class QWidget;

// Dialog units to pixels from the dialog font: the average character width is
// (width of "A".."Z""a".."z" / 26 + 1) / 2, the height the font's line height; x
// pixels = x * width / 4, y pixels = y * height / 8.
struct DialogUnits {
    int charWidth = 1;
    int charHeight = 1;
    static DialogUnits OfFont(const QFont& font);
    int X(int32_t x) const;
    int Y(int32_t y) const;
    // Corners converted separately, the right and bottom kept at least at the left and top.
    QRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) const;
};

namespace UIDialogLimits {
inline constexpr size_t kMaxControls = 1000;
inline constexpr size_t kMaxItems = 20000;     // over all combo and check list items
inline constexpr int32_t kMaxUnits = 4000;     // coordinates are clamped to 0..kMaxUnits
}  // namespace UIDialogLimits

// The message for a description too large to show; nothing when it can be built.
std::optional<std::string> CheckUIDialog(const CUIDialog& dialog);

class CUIDialogWindow : public QDialog {
    Q_OBJECT
public:
    // The dialog must have passed CheckUIDialog and outlive the window.
    explicit CUIDialogWindow(CUIDialog& dialog, QWidget* parent = nullptr);
    ~CUIDialogWindow() override;

    // The window of each control, in list order (null for placeholders and unknown kinds).
    const std::vector<QWidget*>& ControlWindows() const { return windows_; }
    QWidget* Canvas() const { return canvas_; }

    // Writes the values of the controls into the description.
    void SaveValues();

public slots:
    void accept() override;

private:
    void CreateControls();
    QWidget* CreateControl(CUIControl& control);

    CUIDialog& dialog_;
    QWidget* canvas_ = nullptr;
    std::vector<QWidget*> windows_;
};
