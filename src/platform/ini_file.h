#pragma once
// The settings file as people edit it by hand: "[Section]" lines, "Key=Value" lines,
// comments and blank lines. Section and key names compare without regard to letter
// case; values are raw text (no escapes, no quoting, no lists). Writing a key changes
// only that key's line and keeps every other byte of the file as it was, so comments,
// order, backslashes and commas survive. Texts are 8-bit (Latin-1), byte for byte.

#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

class IniFile {
public:
    // The file's lines; a missing or unreadable file gives an empty one.
    static IniFile Load(const QString& path);
    // The file's lines for changing them: an empty file when there is none, nothing
    // when it exists but cannot be read (writing would then lose it).
    static std::optional<IniFile> LoadForWriting(const QString& path);
    static IniFile FromText(const std::string& text);

    // The value of the first "key=" line of the first section of that name, with the
    // blanks around it removed; nothing when there is none.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;

    // Sets a key: its line keeps its own spelling of the key and gets the new value;
    // a missing key is added after the section's last entry; a missing section is
    // added at the end of the file.
    void SetValue(const std::string& section, const std::string& key, const std::string& value);

    // The file's bytes, with the line ends it was read with (CR LF for a new file).
    std::string Text() const;

    // Writes the whole file through a temporary file that replaces it; false when the
    // file could not be written (the old one is then left as it was).
    bool Save(const QString& path) const;

private:
    // Index of the section's header line, or nothing.
    std::optional<size_t> FindSection(const std::string& section) const;
    // The end of the section that starts at `header`: the next header or the end.
    size_t SectionEnd(size_t header) const;

    std::vector<std::string> lines_;  // without line ends
    std::string lineEnd_ = "\r\n";
    bool endsWithLineEnd_ = true;
};

// Reads several keys of one section and writes several keys of one section: helpers for
// the settings code.
std::optional<std::string> ReadIniValue(const QString& path, const std::string& section, const std::string& key);
bool WriteIniValues(const QString& path, const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& values);
