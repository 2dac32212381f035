#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

CTempDir::CTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "orv-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
        m_path = pattern;
}

CTempDir::~CTempDir()
{
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
}
