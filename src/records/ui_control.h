#pragma once
// The controls of a settings dialog that the server describes control by control: the
// common fields (style, caption or value, rectangle, id) and each kind's own fields.
// These are the data only; the report layer creates the windows from them and reads
// the values back into them.

#include "codec/date_time.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CUIControl : public CObject {
    ORV_DECLARE_SERIAL(CUIControl)
public:
    // Window-style bits: child window and initially shown; a border; a tab stop.
    static constexpr int32_t kChildVisibleStyle = 0x50000000;
    static constexpr int32_t kEditStyle = 0x50810000;

    struct Rect {
        int32_t left = 0, top = 0, right = 0, bottom = 0;  // dialog units
    };

    void Serialize(CArchive& ar) override;
    // A copy of the same kind, for copying a dialog description with its controls.
    virtual std::shared_ptr<CUIControl> Clone() const { return std::make_shared<CUIControl>(*this); }

    int32_t style = 0;
    std::string text;  // caption, or the current value of edit, date and combo controls
    Rect rect;
    int32_t controlId = 0;
};

class CUIEditControl : public CUIControl {
    ORV_DECLARE_SERIAL(CUIEditControl)
public:
    CUIEditControl() { style = kEditStyle; }
    std::shared_ptr<CUIControl> Clone() const override { return std::make_shared<CUIEditControl>(*this); }
};

class CUIDateEditControl : public CUIControl {
    ORV_DECLARE_SERIAL(CUIDateEditControl)
public:
    CUIDateEditControl() { style = kEditStyle; }
    void Serialize(CArchive& ar) override;
    std::shared_ptr<CUIControl> Clone() const override { return std::make_shared<CUIDateEditControl>(*this); }

    CDateTime date = kNullDate;
};

class CUIStaticControl : public CUIControl {
    ORV_DECLARE_SERIAL(CUIStaticControl)
public:
    CUIStaticControl() { style = kChildVisibleStyle; }
    std::shared_ptr<CUIControl> Clone() const override { return std::make_shared<CUIStaticControl>(*this); }
};

class CUIButtonControl : public CUIControl {
    ORV_DECLARE_SERIAL(CUIButtonControl)
public:
    CUIButtonControl() { style = kChildVisibleStyle; }
    void Serialize(CArchive& ar) override;
    std::shared_ptr<CUIControl> Clone() const override { return std::make_shared<CUIButtonControl>(*this); }

    int32_t checkState = 0;
};

class CUIComboBoxControl : public CUIControl {
    ORV_DECLARE_SERIAL(CUIComboBoxControl)
public:
    // Added to the received style when the window is created: vertical scroll, tab
    // stop, drop-down list.
    static constexpr int32_t kCreateStyle = 0x00210003;

    void Serialize(CArchive& ar) override;
    std::shared_ptr<CUIControl> Clone() const override { return std::make_shared<CUIComboBoxControl>(*this); }

    std::vector<std::string> items;  // the selected item's text is `text`
};

class CUICheckListBoxControl : public CUIControl {
    ORV_DECLARE_SERIAL(CUICheckListBoxControl)
public:
    // Added to the received style when the window is created: vertical scroll, border,
    // tab stop, owner-drawn fixed, has strings, no integral height.
    static constexpr int32_t kCreateStyle = 0x00A10150;

    void Serialize(CArchive& ar) override;
    std::shared_ptr<CUIControl> Clone() const override { return std::make_shared<CUICheckListBoxControl>(*this); }

    // The three lists travel with their own counts and need not be equally long.
    std::vector<std::string> items;
    std::vector<int32_t> checkStates;
    std::vector<int32_t> itemData;
};
