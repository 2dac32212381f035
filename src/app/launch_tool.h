#pragma once
// Launch Tool: starts the external tool named by [Settings] "ToolPath" of the settings
// file, a command line of program and arguments, without waiting for it to end.

#include <QString>

#include <functional>

class UserPrompts;

// [Settings] "ToolPath", at most 255 characters; empty when missing.
QString ReadToolPath(const QString& settingsPath);

// Starts a command line detached from this program; false when it could not start
// (nothing is then left running). Tests replace it.
using ToolStarter = std::function<bool(const QString& commandLine)>;
bool StartDetachedCommandLine(const QString& commandLine);

// The command: "There isn't an application currently configured" for an empty tool
// path, "Attempt to launch tool failed" when it does not start. True when started.
bool LaunchTool(UserPrompts& prompts, const QString& settingsPath,
                const ToolStarter& start = StartDetachedCommandLine);
