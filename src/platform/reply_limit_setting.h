#pragma once
// The largest server reply the program believes, from the settings file: [Settings]
// "MaxReplyMB", a whole number of MiB from 1 to 2047 (a payload's length line holds at
// most 2^31 - 1 bytes). Without the key, or with a value outside that range, the
// built-in bound holds.

#include <QString>

#include <cstdint>

int64_t ReplyLimitBytes(const QString& settingsPath, int64_t defaultBytes);
