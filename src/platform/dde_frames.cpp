#include "platform/dde_frames.h"

namespace DdeBytes {

void PutInt(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutText(std::string& out, const std::string& text)
{
    PutInt(out, static_cast<uint32_t>(text.size() + 1));
    out += text;
    out += '\0';
}

bool Reader::Int(uint32_t& value)
{
    if (bytes_.size() - pos_ < 4) {
        pos_ = bytes_.size();
        return false;
    }
    value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return true;
}

bool Reader::Text(std::string& text)
{
    uint32_t length = 0;
    if (!Int(length))
        return false;
    if (length > bytes_.size() - pos_) {
        pos_ = bytes_.size();
        return false;
    }
    text = bytes_.substr(pos_, length);
    pos_ += length;
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return true;
}

}  // namespace DdeBytes

namespace {

void PutBlock(std::string& out, const std::string& block)
{
    DdeBytes::PutInt(out, static_cast<uint32_t>(block.size()));
    out += block;
}

// Reads a raw block (no terminating zero is dropped).
bool Block(const std::string& body, size_t& pos, std::string& block)
{
    if (body.size() - pos < 4)
        return false;
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<uint32_t>(static_cast<unsigned char>(body[pos + i])) << (8 * i);
    pos += 4;
    if (length > body.size() - pos)
        return false;
    block = body.substr(pos, length);
    pos += length;
    return true;
}

bool Int(const std::string& body, size_t& pos, uint32_t& value)
{
    if (body.size() - pos < 4)
        return false;
    value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(body[pos + i])) << (8 * i);
    pos += 4;
    return true;
}

std::optional<DdeFrame> Decode(const std::string& body)
{
    if (body.empty())
        return std::nullopt;
    DdeFrame frame;
    const auto type = static_cast<uint8_t>(body[0]);
    size_t pos = 1;
    bool ok = true;
    switch (type) {
    case DdeFrame::connect:
        ok = Block(body, pos, frame.service) && Block(body, pos, frame.topic);
        break;
    case DdeFrame::ack:
        ok = pos < body.size();
        if (ok) {
            frame.ok = body[pos++] != 0;
            ok = Block(body, pos, frame.data);
        }
        break;
    case DdeFrame::poke:
    case DdeFrame::adviseData:
        ok = Block(body, pos, frame.item) && Int(body, pos, frame.format) &&
             Block(body, pos, frame.data);
        break;
    case DdeFrame::execute:
        ok = Block(body, pos, frame.data);
        break;
    case DdeFrame::request:
    case DdeFrame::adviseStart:
        ok = Block(body, pos, frame.item) && Int(body, pos, frame.format);
        break;
    case DdeFrame::adviseStop:
        ok = Block(body, pos, frame.item);
        break;
    case DdeFrame::disconnect:
        break;
    default:
        return std::nullopt;
    }
    if (!ok || pos != body.size())
        return std::nullopt;
    frame.type = static_cast<DdeFrame::Type>(type);
    return frame;
}

}  // namespace

std::string DdeFrame::Encode() const
{
    std::string body(1, static_cast<char>(type));
    switch (type) {
    case connect:
        PutBlock(body, service);
        PutBlock(body, topic);
        break;
    case ack:
        body += static_cast<char>(ok ? 1 : 0);
        PutBlock(body, data);
        break;
    case poke:
    case adviseData:
        PutBlock(body, item);
        DdeBytes::PutInt(body, format);
        PutBlock(body, data);
        break;
    case execute:
        PutBlock(body, data);
        break;
    case request:
    case adviseStart:
        PutBlock(body, item);
        DdeBytes::PutInt(body, format);
        break;
    case adviseStop:
        PutBlock(body, item);
        break;
    case disconnect:
        break;
    }
    std::string frame;
    DdeBytes::PutInt(frame, static_cast<uint32_t>(body.size()));
    return frame + body;
}

std::optional<DdeFrame> DdeFrameReader::Next()
{
    if (failed_ || buffer_.size() < 4)
        return std::nullopt;
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<uint32_t>(static_cast<unsigned char>(buffer_[i])) << (8 * i);
    if (length == 0 || length > DdeFrame::kMaxBody) {
        failed_ = true;
        return std::nullopt;
    }
    if (buffer_.size() - 4 < length)
        return std::nullopt;
    std::optional<DdeFrame> frame = Decode(buffer_.substr(4, length));
    buffer_.erase(0, 4 + size_t{length});
    if (!frame)
        failed_ = true;
    return frame;
}
