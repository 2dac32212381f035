#pragma once
// Where the companion audit application is and where it listens. Its program path is
// the user's setting Settings/DDEPath of organisation "Corvane", application
// "Korrimat 4.0" (read, never written); the link's local socket is named by the
// ORV_DDE_SOCKET environment variable, or else "Orvenna.Edit" in the user's runtime
// folder (XDG_RUNTIME_DIR), or in the private temporary folder without one.

#include <QString>

namespace Companion {

inline constexpr const char* kService = "Orvenna";
inline constexpr const char* kTopic = "Edit";
inline constexpr const char* kItem = "Audit";
inline constexpr const char* kDefaultProgram = "korrimat";

// The DDEPath setting; empty when it is not set.
QString ProgramSetting();
// The program to start: the setting, or "korrimat" (looked up on PATH) without one.
QString Program();
// True when the setting is set and names an existing file.
bool Installed();
QString SocketName();

}  // namespace Companion
