#include "server/reports/audit_document.h"

#include <algorithm>
#include <memory>

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsTableLine(const std::string& line)
{
    return !line.empty() && line[0] == '|';
}

std::vector<std::string> Cells(const std::string& line)
{
    std::string body = line.substr(1);
    if (!body.empty() && body.back() == '|')
        body.pop_back();
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
        const size_t bar = body.find('|', start);
        cells.push_back(Trimmed(body.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return cells;
}

// A row such as "|---|:--:|" under a header.
bool IsRuleRow(const std::vector<std::string>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) {
        return !cell.empty() && cell.find_first_not_of("-:") == std::string::npos;
    });
}

// Reads the lines one by one, split at LF; a CR before it is dropped.
class LineReader {
public:
    explicit LineReader(const std::string& bytes) : m_bytes(bytes) {}

    bool Next(std::string& line)
    {
        if (m_position > m_bytes.size())
            return false;
        const size_t end = m_bytes.find('\n', m_position);
        line = m_bytes.substr(m_position, end == std::string::npos ? std::string::npos : end - m_position);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_position = end == std::string::npos ? m_bytes.size() + 1 : end + 1;
        ++m_number;
        return true;
    }
    size_t Number() const { return m_number; }

private:
    const std::string& m_bytes;
    size_t m_position = 0;
    size_t m_number = 0;
};

// Collects a section's body: runs of table lines become tables, other lines text.
class SectionBuilder {
public:
    SectionBuilder(CAuditSection& section, size_t& cellCount) : m_section(section), m_cellCount(cellCount) {}

    bool Add(const std::string& line, std::string& error)
    {
        if (IsTableLine(line)) {
            std::vector<std::string> cells = Cells(line);
            if (cells.size() > AuditFormat::kMaxColumns) {
                error = "Too many table columns";
                return false;
            }
            m_cellCount += AuditFormat::kMaxColumns;
            if (m_cellCount > AuditFormat::kMaxTableCells) {
                error = "Too many table cells";
                return false;
            }
            if (!m_inTable) {
                FlushText();
                m_section.parts.emplace_back();
                m_section.parts.back().table.header = std::move(cells);
                m_inTable = true;
                return true;
            }
            CAuditTable& table = m_section.parts.back().table;
            if (table.rows.empty() && IsRuleRow(cells))
                return true;
            cells.resize(table.header.size());
            table.rows.push_back(std::move(cells));
            return true;
        }
        m_inTable = false;
        m_text.push_back(line);
        return true;
    }

    void FlushText()
    {
        while (!m_text.empty() && Trimmed(m_text.back()).empty())
            m_text.pop_back();
        size_t first = 0;
        while (first < m_text.size() && Trimmed(m_text[first]).empty())
            ++first;
        if (first < m_text.size()) {
            CAuditPart part;
            for (size_t i = first; i < m_text.size(); ++i)
                part.text += (i > first ? "\n" : "") + m_text[i];
            m_section.parts.push_back(std::move(part));
        }
        m_text.clear();
    }

private:
    CAuditSection& m_section;
    size_t& m_cellCount;  // of the whole document, counting each row as the widest
    std::vector<std::string> m_text;
    bool m_inTable = false;
};

}  // namespace

CAuditParseResult ParseAuditDocument(const std::string& bytes)
{
    CAuditParseResult result;
    if (bytes.size() > AuditFormat::kMaxBytes) {
        result.error = "Document too large";
        return result;
    }
    LineReader reader(bytes);
    std::string line;
    reader.Next(line);
    CAuditDocument document;
    const std::string magic = Trimmed(line);
    if (magic == AuditFormat::kAuditMagic) {
        document.kind = CAuditDocument::Kind::audit;
        document.title = "Audit";
    } else if (magic == AuditFormat::kSurveyMagic) {
        document.kind = CAuditDocument::Kind::survey;
        document.title = "Survey";
    } else {
        result.error = "Not an audit or survey document";
        return result;
    }

    // Heading fields up to the first blank line.
    bool more = reader.Next(line);
    for (; more && !Trimmed(line).empty(); more = reader.Next(line)) {
        if (line.size() > AuditFormat::kMaxLineLength) {
            result.error = "Line too long";
            return result;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos || line.rfind("# ", 0) == 0) {
            result.error = "Heading field without a colon on line " + std::to_string(reader.Number());
            return result;
        }
        std::string name = Trimmed(line.substr(0, colon));
        std::string value = Trimmed(line.substr(colon + 1));
        if (name == "Title") {
            document.title = std::move(value);
        } else {
            if (document.fields.size() >= AuditFormat::kMaxFields) {
                result.error = "Too many heading fields";
                return result;
            }
            document.fields.emplace_back(std::move(name), std::move(value));
        }
    }

    size_t cellCount = 0;
    document.sections.emplace_back();
    auto builder = std::make_unique<SectionBuilder>(document.sections.back(), cellCount);
    while (reader.Next(line)) {
        if (line.size() > AuditFormat::kMaxLineLength) {
            result.error = "Line too long";
            return result;
        }
        if (line.rfind("# ", 0) == 0) {
            if (document.sections.size() > AuditFormat::kMaxSections) {
                result.error = "Too many sections";
                return result;
            }
            builder->FlushText();
            document.sections.emplace_back();
            document.sections.back().heading = Trimmed(line.substr(2));
            builder = std::make_unique<SectionBuilder>(document.sections.back(), cellCount);
            continue;
        }
        if (!builder->Add(line, result.error))
            return result;
    }
    builder->FlushText();
    // The untitled section before the first heading goes when it holds nothing.
    if (document.sections.front().parts.empty())
        document.sections.erase(document.sections.begin());
    result.document = std::move(document);
    return result;
}
