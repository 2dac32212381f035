#include "platform/ini_file.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cctype>

namespace {

// Settings files are small; a larger file is not read at all.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

// A value or key stays on its own line: a line end in it would start another entry.
std::string OneLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string Trimmed(const std::string& text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The section name of a "[name]" line.
std::optional<std::string> SectionName(const std::string& line)
{
    const std::string text = Trimmed(line);
    if (text.size() < 2 || text.front() != '[')
        return std::nullopt;
    const size_t close = text.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return Trimmed(text.substr(1, close - 1));
}

bool IsComment(const std::string& line)
{
    const std::string text = Trimmed(line);
    return text.empty() || text.front() == ';' || text.front() == '#';
}

// The key of a "key=value" line and where its '=' is.
std::optional<std::pair<std::string, size_t>> KeyOf(const std::string& line)
{
    if (IsComment(line) || SectionName(line))
        return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return std::make_pair(Trimmed(line.substr(0, equals)), equals);
}

}  // namespace

IniFile IniFile::FromText(const std::string& text)
{
    IniFile file;
    if (text.empty())
        return file;
    file.lineEnd_ = text.find("\r\n") != std::string::npos || text.find('\n') == std::string::npos ? "\r\n" : "\n";
    file.endsWithLineEnd_ = text.back() == '\n';
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        file.lines_.push_back(std::move(line));
        at = end + 1;
    }
    return file;
}

std::optional<IniFile> IniFile::LoadForWriting(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return IniFile();
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxFileSize);
    return FromText(bytes.toStdString());
}

IniFile IniFile::Load(const QString& path)
{
    return LoadForWriting(path).value_or(IniFile());
}

std::optional<size_t> IniFile::FindSection(const std::string& section) const
{
    for (size_t i = 0; i < lines_.size(); ++i)
        if (const std::optional<std::string> name = SectionName(lines_[i]); name && SameName(*name, section))
            return i;
    return std::nullopt;
}

size_t IniFile::SectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i]))
        ++i;
    return i;
}

std::optional<std::string> IniFile::Value(const std::string& section, const std::string& key) const
{
    const std::optional<size_t> header = FindSection(section);
    if (!header)
        return std::nullopt;
    for (size_t i = *header + 1; i < SectionEnd(*header); ++i)
        if (const auto entry = KeyOf(lines_[i]); entry && SameName(entry->first, key))
            return Trimmed(lines_[i].substr(entry->second + 1));
    return std::nullopt;
}

void IniFile::SetValue(const std::string& section, const std::string& key, const std::string& value)
{
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        // A blank line apart from what came before, as people lay the file out.
        if (!lines_.empty() && !Trimmed(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + OneLine(section) + "]");
        header = lines_.size() - 1;
    }
    const size_t end = SectionEnd(*header);
    size_t lastEntry = *header;
    for (size_t i = *header + 1; i < end; ++i) {
        const auto entry = KeyOf(lines_[i]);
        if (!entry)
            continue;
        if (SameName(entry->first, key)) {
            lines_[i] = lines_[i].substr(0, entry->second + 1) + OneLine(value);
            return;
        }
        lastEntry = i;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1), OneLine(key) + "=" + OneLine(value));
}

std::string IniFile::Text() const
{
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
        if (i + 1 < lines_.size() || endsWithLineEnd_)
            text += lineEnd_;
    }
    return text;
}

bool IniFile::Save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string text = Text();
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<std::string> ReadIniValue(const QString& path, const std::string& section, const std::string& key)
{
    return IniFile::Load(path).Value(section, key);
}

bool WriteIniValues(const QString& path, const std::string& section,
                    const std::vector<std::pair<std::string, std::string>>& values)
{
    std::optional<IniFile> file = IniFile::LoadForWriting(path);
    if (!file)
        return false;
    for (const auto& [key, value] : values)
        file->SetValue(section, key, value);
    return file->Save(path);
}
