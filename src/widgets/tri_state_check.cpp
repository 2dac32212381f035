#include "widgets/tri_state_check.h"

void SetTriStateValue(QCheckBox& box, int32_t value)
{
    box.setTristate(true);
    box.setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

int32_t TriStateValue(const QCheckBox& box)
{
    switch (box.checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    default: return 2;
    }
}
