#include "codec/codec_exception.h"
#include "codec/file_stream.h"
#include "codec/mem_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

TEST(MemFile, GrowsInStepsAndReadsBack)
{
    CMemFile file(1024);
    const std::string chunk(700, 'q');
    file.Write(chunk.data(), chunk.size());
    EXPECT_EQ(file.Capacity(), 1024u);
    file.Write(chunk.data(), chunk.size());
    EXPECT_EQ(file.Capacity() % 1024, 0u);
    EXPECT_EQ(file.GetLength(), 1400u);

    file.SeekToBegin();
    std::string back(1500, '\0');
    EXPECT_EQ(file.Read(back.data(), back.size()), 1400u);
    EXPECT_EQ(file.Read(back.data(), 1), 0u);
    EXPECT_THROW(file.Seek(1401), CCodecException);

    // Writing in the middle overwrites without changing the length.
    file.Seek(10);
    file.Write("ab", 2);
    EXPECT_EQ(file.GetLength(), 1400u);
    EXPECT_EQ(file.ToString().substr(9, 4), "qabq");
}

TEST(FileStream, WritesReadsAndRefusesTheWrongDirection)
{
    const auto path = std::filesystem::temp_directory_path() / ("orv_stream_" + std::to_string(::getpid()));
    {
        CFileStream out;
        ASSERT_TRUE(out.Open(path.string(), CFileStream::modeWrite));
        out.Write("hello", 5);
        char c;
        EXPECT_THROW(out.Read(&c, 1), CCodecException);
        out.Close();
    }
    CFileStream in;
    ASSERT_TRUE(in.Open(path.string(), CFileStream::modeRead));
    EXPECT_EQ(in.GetLength(), 5u);
    in.Seek(1);
    char buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer), "ello");
    EXPECT_THROW(in.Write("x", 1), CCodecException);
    in.Close();
    std::filesystem::remove(path);

    CFileStream missing;
    EXPECT_FALSE(missing.Open((path / "nope").string(), CFileStream::modeRead));
}
