#include "codec/archive.h"

#include "codec/class_registry.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Windows-1252 characters 0x80 to 0x9F by their Unicode code points; 0 where the code
// page has no character. Texts that arrive as 16-bit characters are turned into 8-bit
// text with this code page, as the peer's system code page does.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char ToCodePage(uint16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == unit)
            return static_cast<char>(0x80 + i);
    return '?';
}

[[noreturn]] void Fail(CCodecException::Cause cause, const char* what)
{
    throw CCodecException(cause, what);
}

}  // namespace

CArchive::CArchive(CByteStream& stream, Mode mode, size_t bufferSize, const CClassRegistry* registry,
                   ReaderLimits limits)
    : m_stream(stream),
      m_mode(mode),
      m_registry(registry ? registry : &CClassRegistry::Global()),
      m_limits(limits),
      m_buffer(std::max<size_t>(bufferSize, 16))
{
    if (mode == load)
        m_loaded.emplace_back();  // index 0: the null object
}

CArchive::~CArchive()
{
    if (m_mode == store) {
        try {
            Flush();
        } catch (const CCodecException&) {
            // Nothing can be reported from a destructor; explicit Flush reports it.
        }
    }
}

void CArchive::Flush()
{
    if (m_mode != store || m_current == 0)
        return;
    const size_t count = m_current;
    m_current = 0;
    m_stream.Write(m_buffer.data(), count);
}

// --- Raw bytes ------------------------------------------------------------------------

void CArchive::WriteRaw(const void* bytes, size_t length)
{
    auto* source = static_cast<const unsigned char*>(bytes);
    while (length > 0) {
        if (m_current == m_buffer.size())
            Flush();
        const size_t chunk = std::min(length, m_buffer.size() - m_current);
        std::memcpy(m_buffer.data() + m_current, source, chunk);
        m_current += chunk;
        source += chunk;
        length -= chunk;
    }
}

bool CArchive::FillBuffer()
{
    m_current = 0;
    m_end = m_stream.Read(m_buffer.data(), m_buffer.size());
    m_pulled += m_end;
    return m_end > 0;
}

void CArchive::ReadRaw(void* bytes, size_t length)
{
    auto* target = static_cast<unsigned char*>(bytes);
    while (length > 0) {
        if (m_current == m_end && !FillBuffer())
            Fail(CCodecException::endOfFile, "The data ended before an item was complete");
        const size_t chunk = std::min(length, m_end - m_current);
        std::memcpy(target, m_buffer.data() + m_current, chunk);
        m_current += chunk;
        target += chunk;
        length -= chunk;
    }
}

uint64_t CArchive::RemainingInput()
{
    if (!m_inputSized) {
        // What the stream still holds now, plus what has already been pulled into the
        // buffer; from here on the bytes pulled are subtracted as they arrive.
        m_inputLeft = m_stream.Remaining() + m_pulled;
        m_inputSized = true;
    }
    const uint64_t streamLeft = m_inputLeft > m_pulled ? m_inputLeft - m_pulled : 0;
    return streamLeft + (m_end - m_current);
}

void CArchive::CheckAvailable(uint64_t count, uint64_t minBytes)
{
    if (count == 0)
        return;
    const uint64_t remaining = RemainingInput();
    if (minBytes == 0 || count > remaining / minBytes)
        Fail(CCodecException::limitExceeded, "A length or count exceeds the remaining data");
}

void CArchive::ReadBytes(std::string& out, uint64_t length)
{
    CheckAvailable(length);
    out.clear();
    // Grow as the bytes arrive, in bounded steps, never from the length alone.
    constexpr uint64_t kStep = 1 << 16;
    while (length > 0) {
        const size_t chunk = static_cast<size_t>(std::min(length, kStep));
        const size_t old = out.size();
        out.resize(old + chunk);
        ReadRaw(out.data() + old, chunk);
        length -= chunk;
    }
}

// --- Primitives -----------------------------------------------------------------------

void CArchive::WriteUInt16(uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    WriteRaw(bytes, 2);
}

void CArchive::WriteUInt32(uint32_t value)
{
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    WriteRaw(bytes, 4);
}

void CArchive::WriteDouble(double value)
{
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    WriteRaw(bytes, 8);
}

uint8_t CArchive::ReadUInt8()
{
    if (m_current < m_end)
        return m_buffer[m_current++];
    uint8_t value;
    ReadRaw(&value, 1);
    return value;
}

uint16_t CArchive::ReadUInt16()
{
    unsigned char bytes[2];
    ReadRaw(bytes, 2);
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t CArchive::ReadUInt32()
{
    unsigned char bytes[4];
    ReadRaw(bytes, 4);
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

double CArchive::ReadDouble()
{
    unsigned char bytes[8];
    ReadRaw(bytes, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | bytes[i];
    return std::bit_cast<double>(bits);
}

void CArchive::WriteDateTime(const CDateTime& value)
{
    WriteInt32(value.status);
    WriteDouble(value.date);
}

CDateTime CArchive::ReadDateTime()
{
    CDateTime value;
    value.status = ReadInt32();
    value.date = ReadDouble();
    return value;
}

void CArchive::WriteCount(uint64_t count)
{
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<uint16_t>(count));
        return;
    }
    if (count > 0xFFFFFFFFull)
        Fail(CCodecException::limitExceeded, "Too many elements for one count");
    WriteUInt16(0xFFFF);
    WriteUInt32(static_cast<uint32_t>(count));
}

uint32_t CArchive::ReadCount()
{
    const uint16_t small = ReadUInt16();
    return small != 0xFFFF ? small : ReadUInt32();
}

void CArchive::StringArray(std::vector<std::string>& texts)
{
    if (IsStoring()) {
        WriteCount(texts.size());
        for (const auto& text : texts)
            WriteString(text);
        return;
    }
    const uint32_t count = ReadCount();
    CheckAvailable(count);
    texts.clear();
    for (uint32_t i = 0; i < count; ++i)
        texts.push_back(ReadString());
}

// --- Strings --------------------------------------------------------------------------

void CArchive::WriteString(const std::string& text)
{
    const uint64_t length = text.size();
    if (length < 0xFF) {
        WriteUInt8(static_cast<uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteUInt8(0xFF);
        WriteUInt16(static_cast<uint16_t>(length));
    } else {
        if (length > 0xFFFFFFFFull)
            Fail(CCodecException::limitExceeded, "A text too long for the archive");
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<uint32_t>(length));
    }
    WriteRaw(text.data(), text.size());
}

// The length that follows a first prefix byte: the byte itself, a 16-bit word after
// 0xFF, or a 32-bit word after 0xFF 0xFFFF. 0xFF 0xFFFE is returned as is for the
// caller to recognise the 16-bit character form.
uint64_t CArchive::ReadStringLength(uint8_t first)
{
    if (first < 0xFF)
        return first;
    const uint16_t word = ReadUInt16();
    if (word < 0xFFFE)
        return word;
    if (word == 0xFFFF)
        return ReadUInt32();
    return 0xFFFFFFFFFFFFFFFEull;  // marker of the 16-bit form
}

std::string CArchive::ReadString()
{
    constexpr uint64_t kWideMarker = 0xFFFFFFFFFFFFFFFEull;
    uint64_t length = ReadStringLength(ReadUInt8());
    std::string text;
    if (length != kWideMarker) {
        ReadBytes(text, length);
        return text;
    }
    length = ReadStringLength(ReadUInt8());
    if (length == kWideMarker)
        Fail(CCodecException::badFormat, "A text marked twice as 16-bit characters");
    CheckAvailable(length, 2);
    std::string units;
    ReadBytes(units, length * 2);
    text.resize(static_cast<size_t>(length));
    for (size_t i = 0; i < text.size(); ++i) {
        const uint16_t unit = static_cast<uint16_t>(static_cast<unsigned char>(units[2 * i]) |
                                                    (static_cast<unsigned char>(units[2 * i + 1]) << 8));
        text[i] = ToCodePage(unit);
    }
    return text;
}

// --- Tagged objects -------------------------------------------------------------------

uint32_t CArchive::NextIndex()
{
    if (m_nextIndex >= 0x7FFFFFFFu)
        Fail(CCodecException::limitExceeded, "Too many objects in one archive");
    return m_nextIndex++;
}

void CArchive::WriteIndexTag(uint32_t index, bool isClass)
{
    if (index < kBigTag) {
        WriteUInt16(static_cast<uint16_t>(isClass ? (kClassTag | index) : index));
    } else {
        WriteUInt16(kBigTag);
        WriteUInt32(isClass ? (kBigClassFlag | index) : index);
    }
}

void CArchive::WriteObject(CObject* object)
{
    if (!object) {
        WriteUInt16(kNullTag);
        return;
    }
    if (const auto known = m_storedObjects.find(object); known != m_storedObjects.end()) {
        WriteIndexTag(known->second, false);
        return;
    }
    const CRuntimeClass* cls = object->GetRuntimeClass();
    if (!cls)
        Fail(CCodecException::badClass, "A record without a class name cannot be tagged");
    if (const auto known = m_storedClasses.find(cls); known != m_storedClasses.end()) {
        WriteIndexTag(known->second, true);
    } else {
        const size_t nameLength = std::strlen(cls->name);
        if (nameLength > kMaxClassNameLength)
            Fail(CCodecException::badClass, "A class name of 64 bytes or more");
        WriteUInt16(kNewClassTag);
        WriteUInt16(cls->schema);
        WriteUInt16(static_cast<uint16_t>(nameLength));
        WriteRaw(cls->name, nameLength);
        m_storedClasses.emplace(cls, NextIndex());
    }
    m_storedObjects.emplace(object, NextIndex());
    object->Serialize(*this);
}

std::shared_ptr<CObject> CArchive::ReadObject()
{
    const uint16_t tag = ReadUInt16();
    uint32_t index = 0;
    bool isClass = false;
    bool newClass = false;
    if (tag == kNewClassTag) {
        newClass = true;
    } else if (tag == kBigTag) {
        const uint32_t big = ReadUInt32();
        isClass = (big & kBigClassFlag) != 0;
        index = big & ~kBigClassFlag;
    } else if (tag & kClassTag) {
        isClass = true;
        index = tag & 0x7FFFu;
    } else {
        index = tag;
    }

    if (!newClass && !isClass) {
        if (index == 0)
            return nullptr;
        if (index >= m_loaded.size() || !m_loaded[index].object)
            Fail(CCodecException::badIndex, "Reference to an object index not yet given");
        // A reference to an object whose fields are still being read would make a
        // record own itself; such a cycle cannot be owned, so it is refused.
        if (m_loaded[index].loading)
            Fail(CCodecException::badIndex, "An object that refers to itself");
        CountMaterialised(m_loaded[index].bytes, m_loaded[index].objects);
        return m_loaded[index].object;
    }

    const CRuntimeClass* cls = nullptr;
    uint32_t schema = 0;
    if (newClass) {
        schema = ReadUInt16();
        const uint16_t nameLength = ReadUInt16();
        if (nameLength > kMaxClassNameLength)
            Fail(CCodecException::badClass, "A class name of 64 bytes or more");
        char name[kMaxClassNameLength + 1];
        ReadRaw(name, nameLength);
        cls = m_registry->Find(std::string_view(name, nameLength));
        if (!cls)
            Fail(CCodecException::badClass, "A class that is not registered");
        if (!cls->acceptsAnySchema && schema != cls->schema)
            Fail(CCodecException::badSchema, "A schema number that the class does not accept");
        if (m_loaded.size() >= m_limits.maxIndexEntries)
            Fail(CCodecException::limitExceeded, "Too many objects in one archive");
        LoadEntry entry;
        entry.cls = cls;
        entry.schema = schema;
        m_loaded.push_back(std::move(entry));
    } else {
        if (index == 0 || index >= m_loaded.size() || !m_loaded[index].cls)
            Fail(CCodecException::badIndex, "Reference to a class index not yet given");
        cls = m_loaded[index].cls;
        schema = m_loaded[index].schema;
    }

    if (m_depth >= m_limits.maxObjectDepth)
        Fail(CCodecException::limitExceeded, "Objects nested too deeply");
    if (m_loaded.size() >= m_limits.maxIndexEntries)
        Fail(CCodecException::limitExceeded, "Too many objects in one archive");

    CountMaterialised(0, 1);
    const uint64_t bytesBefore = MaterialisedBytes();
    const uint64_t objectsBefore = m_materialisedObjects;
    std::shared_ptr<CObject> object = cls->create();
    const size_t objectIndex = m_loaded.size();
    LoadEntry entry;
    entry.object = object;
    entry.loading = true;
    m_loaded.push_back(std::move(entry));

    const uint32_t savedSchema = m_objectSchema;
    m_objectSchema = schema;
    ++m_depth;
    object->Serialize(*this);
    --m_depth;
    m_objectSchema = savedSchema;
    LoadEntry& loaded = m_loaded[objectIndex];
    loaded.loading = false;
    loaded.bytes = MaterialisedBytes() - bytesBefore;
    loaded.objects = m_materialisedObjects - objectsBefore + 1;
    CountMaterialised(0, 0);
    return object;
}

void CArchive::CountMaterialised(uint64_t extraBytes, uint64_t extraObjects)
{
    m_referencedBytes += extraBytes;
    m_materialisedObjects += extraObjects;
    if (MaterialisedBytes() > m_limits.maxMaterialisedBytes ||
        m_materialisedObjects > m_limits.maxMaterialisedObjects)
        Fail(CCodecException::limitExceeded, "The archive stands for more data than allowed");
}
