#pragma once
// Check boxes that show a value shared by several records: 0 unchecked, 1 checked,
// 2 grey (the records differ; left unchanged unless the user picks a state).

#include <QCheckBox>

#include <cstdint>

// Makes the box three-state and shows the value (anything but 0 and 1 shows grey).
void SetTriStateValue(QCheckBox& box, int32_t value);
// 0, 1 or 2 for the box's state.
int32_t TriStateValue(const QCheckBox& box);
