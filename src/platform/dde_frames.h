#pragma once
// The frames of the companion link: the DDE conversation of the office client with the
// companion audit application, carried over a local socket (companion/README.md gives
// the layout). Each frame is a 32-bit little-endian body length and the body: a type
// byte and the type's fields, texts and data blocks as a 32-bit length and the bytes.
// The reader never trusts a length it has not received: a body longer than
// DdeFrame::kMaxBody, a length beyond the body or a body with bytes left over is
// malformed, and the reader stays failed.

#include <cstdint>
#include <optional>
#include <string>

struct DdeFrame {
    enum Type : uint8_t {
        connect = 1,      // client: service, topic
        ack = 2,          // reply to any transaction: ok flag, data (a request's answer)
        poke = 3,         // client: item, format, data
        execute = 4,      // client: data (the command)
        request = 5,      // client: item, format
        adviseStart = 6,  // client: item, format (hot link)
        adviseStop = 7,   // client: item
        adviseData = 8,   // companion: item, format, data
        disconnect = 9,   // either side, no fields
    };

    static constexpr uint32_t kTextFormat = 1;                  // CF_TEXT
    static constexpr uint32_t kMaxBody = 64u * 1024 * 1024;     // an audit is far smaller

    Type type = disconnect;
    std::string service;  // connect
    std::string topic;    // connect
    std::string item;     // poke, request, adviseStart, adviseStop, adviseData
    uint32_t format = kTextFormat;
    std::string data;     // ack, poke, execute, adviseData
    bool ok = false;      // ack

    std::string Encode() const;
};

// Collects received bytes and hands out whole frames.
class DdeFrameReader {
public:
    void Append(const std::string& bytes) { buffer_ += bytes; }
    // The next whole frame, or nothing when more bytes are needed or the stream is
    // malformed (Failed() then tells).
    std::optional<DdeFrame> Next();
    bool Failed() const { return failed_; }

private:
    std::string buffer_;
    bool failed_ = false;
};

// The 32-bit little-endian integers and length-prefixed blocks of the message formats
// carried inside the frames' data (edit requests, replies and notifications).
namespace DdeBytes {
void PutInt(std::string& out, uint32_t value);
// A text with its terminating zero, preceded by its length (which counts the zero).
void PutText(std::string& out, const std::string& text);

// Reads from a byte string; every read past the end fails and keeps failing.
class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool Int(uint32_t& value);
    // A length and that many bytes; a terminating zero is dropped from the text.
    bool Text(std::string& text);
    // What follows the current position.
    std::string Rest() const { return bytes_.substr(pos_); }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    const std::string& bytes_;
    size_t pos_ = 0;
};
}  // namespace DdeBytes
