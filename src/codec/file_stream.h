#pragma once
// A byte stream over a file on disk (report files, wiretool's standard input and output).

#include "codec/byte_stream.h"

#include <cstdio>
#include <string>

class CFileStream : public CByteStream {
public:
    enum Mode { modeRead, modeWrite };

    CFileStream() = default;
    ~CFileStream() override;
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    // Opens a file; returns false (and leaves the stream closed) when it cannot.
    bool Open(const std::string& path, Mode mode);
    // Adopts an open stdio stream such as stdin or stdout; it is not closed by Close.
    void Attach(std::FILE* file, Mode mode);
    // Flushes and closes; throws CCodecException when buffered bytes could not be written.
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    size_t Read(void* buffer, size_t n) override;
    void Write(const void* buffer, size_t n) override;
    uint64_t GetLength() override;
    uint64_t GetPosition() override;
    void Seek(uint64_t position) override;

private:
    std::FILE* m_file = nullptr;
    Mode m_mode = modeRead;
    bool m_owned = false;
};
