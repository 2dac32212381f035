#pragma once
// The description of a report's settings dialog, with the current values in its
// controls. Copies own their own controls.

#include "codec/object.h"
#include "records/owned_objects.h"
#include "records/ui_control.h"

#include <cstdint>
#include <string>

class CUIDialog : public CObject {
    ORV_DECLARE_SERIAL(CUIDialog)
public:
    void Serialize(CArchive& ar) override;

    OwnedObjects<CUIControl> controls;  // in tab order; never an empty entry
    int32_t width = 0;                  // client area, dialog units
    int32_t height = 0;
    std::string title;
};
