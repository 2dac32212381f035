#pragma once
// Files named after something the server sent, written where they never replace another:
// the name is reduced to its last path component, and when it is taken "(1)", "(2)" ...
// is inserted before its first '.' until a free one is found. Files are created with
// O_CREAT | O_EXCL | O_NOFOLLOW, so a name taken between the test and the creation, or a
// planted link, is passed over rather than written through.

#include <QString>

#include <optional>
#include <string>

namespace UniqueFile {

// The part of `name` after its last '/' or '\\', without control characters and leading
// dots or blanks (so that "../../.bashrc" gives "bashrc", "C:\\x\\y.doc" gives "y.doc"),
// at most 200 bytes; `fallback` when nothing is left.
std::string LastPathComponent(const std::string& name, const std::string& fallback = "attachment");

// `name` with "(n)" inserted before its first '.', or appended when it has none;
// n == 0 gives the name unchanged.
std::string WithCopyNumber(const std::string& name, int n);

// Creates a new file in `folder` named after `name` (made safe and unique as above),
// mode 0600, holding `bytes`. Its full path, or nothing with `error` set (the system's
// text) when it could not be created or written; a partly written file is removed.
std::optional<QString> Create(const QString& folder, const std::string& name, const std::string& bytes,
                              QString* error = nullptr);

// Reads a whole file; nothing with `error` set when it cannot be read.
std::optional<std::string> ReadAll(const QString& path, QString* error = nullptr);

}  // namespace UniqueFile

// The program's private temporary folder: "orvenna-oc-UID" in the system temporary
// folder, mode 0700, owned by the user. A folder of that name that is a link, belongs to
// someone else or is open to others is not used; a fresh one from mkdtemp takes its
// place. Empty when no folder could be had.
QString PrivateTempFolder();
