#pragma once
// The log of the unattended tasks: a text file beside the program, named after the
// program file as the settings file is, with "LOG" for the extension ("OrvennaOC"
// writes "OrvennaOC.LOG"), or in the user's configuration folder when the program's
// folder cannot be written. Each run reads the whole file, appends its lines and writes
// the file once at the end, so that one run leaves one block of lines. The oldest lines
// go first once 20000 are held.
//
// The file is read in pieces of at most 1023 bytes: a longer line becomes several
// entries that are written back as they were, and bytes that are not text are kept
// unchanged.

#include <QString>

#include <cstddef>
#include <ctime>
#include <deque>
#include <string>

class CTaskLog {
public:
    static constexpr size_t kMaxLines = 20000;
    static constexpr size_t kMaxReadPiece = 1023;

    explicit CTaskLog(std::string path) : m_path(std::move(path)) {}

    // Reads the existing file into the lines (a missing file gives none). False when a
    // file is there but could not be read; the lines read so far are kept.
    bool Load();
    // Adds one line (the caller ends it with a line feed), first dropping the oldest
    // lines while kMaxLines or more are held.
    void Append(const std::string& line);
    // Writes every line to the file, creating or replacing it. False on failure.
    bool Save() const;

    const std::string& Path() const { return m_path; }
    const std::deque<std::string>& Lines() const { return m_lines; }

    // "%x %I:%M%p" of a moment in local time, as the start and end lines show it.
    static std::string TimeStamp(std::time_t moment);

private:
    std::string m_path;
    std::deque<std::string> m_lines;
};

// The task log file name for a program file name (or path): its extension gives way to
// "LOG", and a name without one gets ".LOG".
QString TaskLogFileNameFor(const QString& programFile);
// The task log path of the running program: beside it when its folder can be written,
// else in the user's configuration folder (needs the application object).
QString TaskLogFilePath();
