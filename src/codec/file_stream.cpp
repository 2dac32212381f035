#include "codec/file_stream.h"

#include "codec/codec_exception.h"

#include <sys/stat.h>

CFileStream::~CFileStream()
{
    try {
        Close();
    } catch (const CCodecException&) {
        // A destructor cannot report; callers that care call Close themselves.
    }
}

bool CFileStream::Open(const std::string& path, Mode mode)
{
    Close();
    m_file = std::fopen(path.c_str(), mode == modeRead ? "rb" : "wb");
    // A folder opens for reading on Linux but has no bytes to read: it is not a file.
    struct stat info {};
    if (m_file && (::fstat(::fileno(m_file), &info) != 0 || S_ISDIR(info.st_mode))) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_mode = mode;
    m_owned = m_file != nullptr;
    return m_file != nullptr;
}

void CFileStream::Attach(std::FILE* file, Mode mode)
{
    Close();
    m_file = file;
    m_mode = mode;
    m_owned = false;
}

void CFileStream::Close()
{
    if (!m_file)
        return;
    std::FILE* file = m_file;
    m_file = nullptr;
    const bool flushed = std::fflush(file) == 0;
    const bool closed = m_owned ? std::fclose(file) == 0 : true;
    if (!flushed || !closed)
        throw CCodecException(CCodecException::ioError, "Could not finish writing the file");
}

size_t CFileStream::Read(void* buffer, size_t n)
{
    if (!m_file || m_mode != modeRead)
        throw CCodecException(CCodecException::ioError, "The file is not open for reading");
    const size_t count = std::fread(buffer, 1, n, m_file);
    if (count < n && std::ferror(m_file))
        throw CCodecException(CCodecException::ioError, "Could not read the file");
    return count;
}

void CFileStream::Write(const void* buffer, size_t n)
{
    if (!m_file || m_mode != modeWrite)
        throw CCodecException(CCodecException::ioError, "The file is not open for writing");
    if (n != 0 && std::fwrite(buffer, 1, n, m_file) != n)
        throw CCodecException(CCodecException::ioError, "Could not write the file");
}

uint64_t CFileStream::GetPosition()
{
    if (!m_file)
        return 0;
    const long position = std::ftell(m_file);
    return position < 0 ? 0 : static_cast<uint64_t>(position);
}

uint64_t CFileStream::GetLength()
{
    if (!m_file)
        return 0;
    const long here = std::ftell(m_file);
    if (here < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
        return 0;  // pipes have no length
    const long end = std::ftell(m_file);
    std::fseek(m_file, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<uint64_t>(end);
}

void CFileStream::Seek(uint64_t position)
{
    if (!m_file || std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0)
        throw CCodecException(CCodecException::ioError, "Could not seek in the file");
}
