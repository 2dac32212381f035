#pragma once
// Expected archive bytes of a record, built item by item from its field table, and the
// checks every record layout test runs.
//
// A test walks a record's fields in table order through a Layout: each fill call gives
// the field a value no other field has and appends the bytes that value must produce.
// Storing the record must then give exactly those bytes, so a field written in the
// wrong place, with the wrong type, or not at all fails even though a round trip alone
// would succeed.

#include "codec/archive.h"
#include "codec/class_registry.h"
#include "codec/codec_exception.h"
#include "codec/date_time.h"
#include "codec/mem_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Layout {
public:
    // --- Expected bytes only ----------------------------------------------------
    Layout& U16(uint16_t value) { return LE(value, 2); }
    Layout& I32(int32_t value) { return LE(static_cast<uint32_t>(value), 4); }
    Layout& Bool32(bool value) { return LE(value ? 1 : 0, 4); }
    Layout& F64(double value);
    Layout& Str(const std::string& text);
    Layout& DateTime(const CDateTime& value) { I32(value.status); return F64(value.date); }
    Layout& Count(uint64_t count);
    Layout& Raw(const std::string& bytes) { m_bytes += bytes; return *this; }
    // A new-class tag: FF FF, schema, name length, name.
    Layout& NewClass(const std::string& name, uint16_t schema);
    // A known-class tag (0x8000 | index) or an object reference (index).
    Layout& ClassTag(uint16_t index) { return U16(static_cast<uint16_t>(0x8000 | index)); }
    Layout& ObjectRef(uint16_t index) { return U16(index); }

    // --- Fields: a distinct value, and its bytes ---------------------------------
    void Int(int32_t& field);
    void Bool(bool& field);  // also remembered for CheckBoolPositions
    void Real(double& field);
    void Text(std::string& field);
    void Date(CDateTime& field);
    void Texts(std::vector<std::string>& field, size_t count);
    void Ints(std::vector<int32_t>& field, size_t count);  // count, then int32s
    void Block(std::string& field, size_t size);           // int32 size, then bytes

    const std::string& Bytes() const { return m_bytes; }
    const std::vector<std::pair<bool*, size_t>>& BoolFields() const { return m_bools; }

private:
    Layout& LE(uint64_t value, int size);
    int Next() { return ++m_next; }

    std::string m_bytes;
    int m_next = 0;
    std::vector<std::pair<bool*, size_t>> m_bools;  // field and the offset of its bytes
};

// The registry the tests load with: the codec's classes and every record class.
const CClassRegistry& TestRegistry();

// Bytes as hex pairs, so that a failed comparison shows where the layouts part.
std::string Hex(const std::string& bytes);

// A record serialized at top level (no class tag).
template <class T>
std::string Store(T& record)
{
    CMemFile file;
    {
        CArchive ar(file, CArchive::store);
        record.Serialize(ar);
        ar.Flush();
    }
    return file.ToString();
}

// Loads a top-level record from exactly these bytes: a byte left over fails the test.
template <class T>
void LoadInto(T& record, const std::string& bytes)
{
    CMemFile file(bytes);
    CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
    record.Serialize(ar);
    EXPECT_THROW(ar.ReadUInt8(), CCodecException) << "bytes left over after the record";
}

// Tagged objects, as lists of records carry them.
std::string StoreObjects(std::vector<std::shared_ptr<CObject>> objects);
std::vector<std::shared_ptr<CObject>> LoadObjects(const std::string& bytes);

// The cause of the format error that loading these bytes into a fresh T raises, after
// failing the test when the load succeeds.
template <class T>
CCodecException::Cause LoadFailure(const std::string& bytes)
{
    try {
        T record;
        CMemFile file(bytes);
        CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
        record.Serialize(ar);
    } catch (const CCodecException& e) {
        return e.GetCause();
    }
    ADD_FAILURE() << "loading succeeded";
    return CCodecException::ioError;
}

// Every byte string shorter than the layout fails to load with a format error.
template <class T>
void ExpectTruncationsFail(const std::string& bytes)
{
    for (size_t length = 0; length < bytes.size(); ++length) {
        bool failed = false;
        try {
            T record;
            CMemFile file(bytes.substr(0, length));
            CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
            record.Serialize(ar);
        } catch (const CCodecException&) {
            failed = true;
        }
        if (!failed) {
            ADD_FAILURE() << "a record cut to " << length << " of " << bytes.size() << " bytes loaded";
            return;
        }
    }
}

// Flipping one boolean field changes only the four bytes the layout put it at, so two
// booleans of equal value cannot have traded places unnoticed.
template <class T>
void CheckBoolPositions(T& record, const Layout& layout)
{
    for (const auto& [field, offset] : layout.BoolFields()) {
        *field = !*field;
        const std::string flipped = Store(record);
        *field = !*field;
        ASSERT_EQ(flipped.size(), layout.Bytes().size());
        for (size_t i = 0; i < flipped.size(); ++i) {
            const bool inField = i >= offset && i < offset + 4;
            if (!inField && flipped[i] != layout.Bytes()[i]) {
                ADD_FAILURE() << "the boolean at offset " << offset << " moved byte " << i;
                break;
            }
        }
        EXPECT_NE(flipped.substr(offset, 4), layout.Bytes().substr(offset, 4)) << "offset " << offset;
    }
}

// The checks of every record layout: storing gives the layout's bytes; loading them
// reads every byte and stores back the same bytes; every truncation fails; every
// boolean sits where the layout says.
template <class T>
void ExpectLayout(T& record, const Layout& layout)
{
    ASSERT_EQ(Hex(Store(record)), Hex(layout.Bytes()));
    T loaded;
    LoadInto(loaded, layout.Bytes());
    EXPECT_EQ(Hex(Store(loaded)), Hex(layout.Bytes()));
    ExpectTruncationsFail<T>(layout.Bytes());
    CheckBoolPositions(record, layout);
}
