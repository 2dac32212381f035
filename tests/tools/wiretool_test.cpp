#include "stream_commands.h"

#include "codec/payload_cipher.h"
#include "codec/wire_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kIvHex = "000102030405060708090a0b0c0d0e0f";

std::string Iv()
{
    std::string iv;
    for (int i = 0; i < 16; ++i)
        iv.push_back(static_cast<char>(i));
    return iv;
}

// Runs the real program with a file as standard input; returns the exit status and
// fills standard error's text.
int RunTool(const std::string& args, const std::string& input, std::string& error)
{
    const auto folder = std::filesystem::temp_directory_path();
    const auto in = folder / ("wiretool_in_" + std::to_string(::getpid()));
    const auto err = folder / ("wiretool_err_" + std::to_string(::getpid()));
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = std::string(WIRETOOL_PATH) + " " + args + " < " + in.string() + " > /dev/null 2> " +
                                err.string();
    const int status = std::system(command.c_str());
    std::ifstream stream(err);
    error.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    std::filesystem::remove(in);
    std::filesystem::remove(err);
    return WEXITSTATUS(status);
}

}  // namespace

TEST(Wiretool, CompressAndExpandRoundTrip)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i % 17) + "\n";
    const CToolResult compressed = RunCompress({}, text);
    ASSERT_EQ(compressed.exitCode, 0);
    EXPECT_LT(compressed.output.size(), text.size());
    const CToolResult expanded = RunExpand({}, compressed.output);
    ASSERT_EQ(expanded.exitCode, 0) << expanded.error;
    EXPECT_EQ(expanded.output, text);

    EXPECT_EQ(RunCompress({}, "").output, "");
    EXPECT_EQ(RunExpand({}, "").exitCode, 0);
}

TEST(Wiretool, ExpandRejectsMalformedStreams)
{
    // A header announcing a body longer than a block.
    EXPECT_EQ(RunExpand({}, std::string("\x01\x04", 2) + std::string(1025, 'x')).exitCode, 1);
    // A stream cut in the middle of its body.
    const std::string compressed = RunCompress({}, std::string(3000, 'a')).output;
    const CToolResult cut = RunExpand({}, compressed.substr(0, compressed.size() - 3));
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_FALSE(cut.error.empty());
}

TEST(Wiretool, EncipherWithAGivenIvIsReproducible)
{
    const std::string plain(40, 'p');
    const CToolResult first = RunEncipher({"--iv", kIvHex}, plain);
    const CToolResult second = RunEncipher({"--iv", kIvHex}, plain);
    ASSERT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.output, second.output);
    ASSERT_EQ(first.output.size(), plain.size() + 16);
    EXPECT_EQ(first.output.substr(0, 16), Iv());  // the IV leads a long message in clear

    // Without --iv every message gets a fresh one.
    EXPECT_NE(RunEncipher({}, plain).output, RunEncipher({}, plain).output);

    const CToolResult back = RunDecipher({}, first.output);
    ASSERT_EQ(back.exitCode, 0);
    EXPECT_EQ(back.output, plain);

    // The same as the library with the wire key.
    CPayloadCipher cipher;
    ASSERT_TRUE(cipher.SetKey(kWireKeyText, kWireKeyLength));
    EXPECT_EQ(cipher.Decipher(first.output), plain);
}

TEST(Wiretool, KeyOptionAndUsageErrors)
{
    const std::string key = "0123456789abcdef";
    const CToolResult enciphered = RunEncipher({"--key", key}, "secret text here");
    ASSERT_EQ(enciphered.exitCode, 0);
    EXPECT_EQ(RunDecipher({"--key", key}, enciphered.output).output, "secret text here");
    EXPECT_NE(RunDecipher({}, enciphered.output).output, "secret text here");

    EXPECT_EQ(RunEncipher({"--iv", "0011"}, "x").exitCode, 2);
    EXPECT_EQ(RunEncipher({"--iv", std::string(32, 'g')}, "x").exitCode, 2);
    EXPECT_EQ(RunEncipher({"--iv"}, "x").exitCode, 2);
    EXPECT_EQ(RunEncipher({"--key", "short"}, "x").exitCode, 2);
    EXPECT_EQ(RunDecipher({"--iv", kIvHex}, "x").exitCode, 2);
    EXPECT_EQ(RunCompress({"--fast"}, "x").exitCode, 2);
}

TEST(Wiretool, MalformedInputExitsOneWithOneLine)
{
    std::string error;
    EXPECT_EQ(RunTool("decipher", "too short", error), 1);
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;

    EXPECT_EQ(RunTool("expand", std::string("\xFF\xFF", 2), error), 1);
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;

    EXPECT_EQ(RunTool("frobnicate", "", error), 2);
    EXPECT_EQ(RunTool("compress", "plain", error), 0);
    EXPECT_TRUE(error.empty());
}
