#pragma once
// The archive encoding of records: little-endian primitives, length-prefixed strings,
// counts, dates, and tagged objects with one running index shared by classes and
// objects. A storing archive writes through a buffer into a byte stream; a loading
// archive reads through a buffer and raises CCodecException on malformed data.

#include "codec/byte_stream.h"
#include "codec/codec_exception.h"
#include "codec/date_time.h"
#include "codec/object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CClassRegistry;

// Bounds for a loading archive, so that hostile input cannot exhaust the stack or memory.
// Lengths and counts are also checked against the bytes that remain in the stream.
struct ReaderLimits {
    uint32_t maxObjectDepth = 128;       // tagged objects nested inside each other
    uint64_t maxIndexEntries = 1u << 24; // classes and objects in one archive
    // What loading makes of the input, counting every reference to an object already
    // loaded as another copy of it (its bytes and the objects inside it): a few bytes
    // of references must not stand for gigabytes once the records are copied or stored.
    uint64_t maxMaterialisedBytes = uint64_t{1} << 32;
    uint64_t maxMaterialisedObjects = uint64_t{1} << 24;
};

class CArchive {
public:
    enum Mode { store, load };

    static constexpr size_t kDefaultBufferSize = 4096;
    static constexpr uint32_t kNoSchema = 0xFFFFFFFFu;

    // Tags of the object encoding.
    static constexpr uint16_t kNullTag = 0x0000;
    static constexpr uint16_t kBigTag = 0x7FFF;
    static constexpr uint16_t kClassTag = 0x8000;
    static constexpr uint16_t kNewClassTag = 0xFFFF;
    static constexpr uint32_t kBigClassFlag = 0x80000000u;
    static constexpr size_t kMaxClassNameLength = 63;

    CArchive(CByteStream& stream, Mode mode, size_t bufferSize = kDefaultBufferSize,
             const CClassRegistry* registry = nullptr, ReaderLimits limits = {});
    // A storing archive flushes what it still buffers; errors at that point are lost,
    // so callers flush explicitly first.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // Writes the buffered bytes to the stream.
    void Flush();

    // The schema number stored with the class of the tagged object being loaded, or
    // kNoSchema outside a tagged object (top-level records and storing archives).
    uint32_t GetObjectSchema() const { return m_objectSchema; }

    // --- Writing -------------------------------------------------------------------
    void WriteUInt8(uint8_t value) { WriteRaw(&value, 1); }
    void WriteUInt16(uint16_t value);
    void WriteInt32(int32_t value) { WriteUInt32(static_cast<uint32_t>(value)); }
    void WriteUInt32(uint32_t value);
    void WriteBool32(bool value) { WriteUInt32(value ? 1u : 0u); }
    void WriteDouble(double value);
    void WriteString(const std::string& text);
    void WriteDateTime(const CDateTime& value);
    void WriteCount(uint64_t count);
    void WriteObject(CObject* object);
    void WriteBytes(const void* bytes, size_t length) { WriteRaw(bytes, length); }

    // --- Reading -------------------------------------------------------------------
    uint8_t ReadUInt8();
    uint16_t ReadUInt16();
    int32_t ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }
    uint32_t ReadUInt32();
    bool ReadBool32() { return ReadUInt32() != 0; }
    double ReadDouble();
    std::string ReadString();
    CDateTime ReadDateTime();
    uint32_t ReadCount();
    std::shared_ptr<CObject> ReadObject();
    // Reads exactly `length` bytes into `out`, growing it as the bytes arrive.
    void ReadBytes(std::string& out, uint64_t length);

    // Fails with limitExceeded when `count` items of at least `minBytes` bytes each
    // cannot fit in what remains of the input.
    void CheckAvailable(uint64_t count, uint64_t minBytes = 1);

    // --- Both directions: the one serialization routine of a record ------------------
    void UInt8(uint8_t& v) { if (IsStoring()) WriteUInt8(v); else v = ReadUInt8(); }
    void UInt16(uint16_t& v) { if (IsStoring()) WriteUInt16(v); else v = ReadUInt16(); }
    void Int32(int32_t& v) { if (IsStoring()) WriteInt32(v); else v = ReadInt32(); }
    void UInt32(uint32_t& v) { if (IsStoring()) WriteUInt32(v); else v = ReadUInt32(); }
    void Bool32(bool& v) { if (IsStoring()) WriteBool32(v); else v = ReadBool32(); }
    void Double(double& v) { if (IsStoring()) WriteDouble(v); else v = ReadDouble(); }
    void String(std::string& v) { if (IsStoring()) WriteString(v); else v = ReadString(); }
    void DateTime(CDateTime& v) { if (IsStoring()) WriteDateTime(v); else v = ReadDateTime(); }
    void StringArray(std::vector<std::string>& v);

    // A nested record written in place, without a tag.
    template <class T>
    void Record(T& record) { record.Serialize(*this); }

    // A count, then that many records of one class, without tags.
    template <class T>
    void RecordArray(std::vector<T>& records)
    {
        if (IsStoring()) {
            WriteCount(records.size());
            for (T& record : records)
                record.Serialize(*this);
            return;
        }
        const uint32_t count = ReadCount();
        CheckAvailable(count);
        records.clear();
        for (uint32_t i = 0; i < count; ++i) {
            T record{};
            record.Serialize(*this);
            records.push_back(std::move(record));
        }
    }

    // A tagged object of any registered class (null allowed).
    void Object(std::shared_ptr<CObject>& object)
    {
        if (IsStoring())
            WriteObject(object.get());
        else
            object = ReadObject();
    }

    // A tagged object that must be of class T or derived from it (null allowed).
    template <class T>
    void ObjectOf(std::shared_ptr<T>& object)
    {
        if (IsStoring()) {
            WriteObject(object.get());
            return;
        }
        object = Cast<T>(ReadObject());
    }

    // A count, then that many tagged objects.
    template <class T>
    void ObjectArray(std::vector<std::shared_ptr<T>>& objects)
    {
        if (IsStoring()) {
            WriteCount(objects.size());
            for (auto& object : objects)
                WriteObject(object.get());
            return;
        }
        const uint32_t count = ReadCount();
        CheckAvailable(count, 2);
        objects.clear();
        for (uint32_t i = 0; i < count; ++i)
            objects.push_back(Cast<T>(ReadObject()));
    }

private:
    template <class T>
    static std::shared_ptr<T> Cast(std::shared_ptr<CObject> object)
    {
        if (!object)
            return nullptr;
        auto typed = std::dynamic_pointer_cast<T>(std::move(object));
        if (!typed)
            throw CCodecException(CCodecException::badClass, "Object of an unexpected class");
        return typed;
    }

    struct LoadEntry {
        const CRuntimeClass* cls = nullptr;   // set for a class entry
        uint32_t schema = 0;                  // schema stored with the class
        std::shared_ptr<CObject> object;      // set for an object entry
        bool loading = false;                 // the object's fields are being read
        uint64_t bytes = 0;                   // materialised bytes of the object, once loaded
        uint64_t objects = 0;                 // objects it stands for, itself included
    };

    void WriteRaw(const void* bytes, size_t length);
    void ReadRaw(void* bytes, size_t length);
    bool FillBuffer();
    void WriteIndexTag(uint32_t index, bool isClass);
    uint64_t ReadStringLength(uint8_t first);
    uint64_t RemainingInput();
    uint32_t NextIndex();
    // Input bytes consumed so far plus the copies that references stand for.
    uint64_t MaterialisedBytes() const { return m_pulled - (m_end - m_current) + m_referencedBytes; }
    void CountMaterialised(uint64_t extraBytes, uint64_t extraObjects);

    CByteStream& m_stream;
    Mode m_mode;
    const CClassRegistry* m_registry;
    ReaderLimits m_limits;
    std::vector<unsigned char> m_buffer;
    size_t m_current = 0;  // loading: next unread byte; storing: bytes buffered
    size_t m_end = 0;      // loading: bytes held in the buffer
    uint32_t m_objectSchema = kNoSchema;
    uint32_t m_depth = 0;
    uint32_t m_nextIndex = 1;  // index 0 is the null object

    // Remaining input, computed once on first need.
    bool m_inputSized = false;
    uint64_t m_inputLeft = 0;   // stream bytes left when sizing, minus those pulled since
    uint64_t m_pulled = 0;
    uint64_t m_referencedBytes = 0;    // bytes that references to loaded objects stand for
    uint64_t m_materialisedObjects = 0;

    std::unordered_map<const CObject*, uint32_t> m_storedObjects;
    std::unordered_map<const CRuntimeClass*, uint32_t> m_storedClasses;
    std::vector<LoadEntry> m_loaded;  // by index; entry 0 is the null object
};
