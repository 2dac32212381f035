// Byte layouts of the archive encoding, pinned by hand: the peer reads exactly these bytes.
#include "codec/archive.h"
#include "codec/binary_object.h"
#include "codec/class_registry.h"
#include "codec/mem_file.h"
#include "codec/string_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(file, CArchive::store);
        write(ar);
        ar.Flush();
    }
    return Bytes(file.Data(), file.Data() + file.GetLength());
}

std::string AsText(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// A small record with a polymorphic member, for the tagged-object cases.
class CNode : public CObject {
    ORV_DECLARE_SERIAL(CNode)
public:
    int32_t value = 0;
    std::shared_ptr<CObject> next;
    uint32_t schemaSeen = 0;

    void Serialize(CArchive& ar) override
    {
        schemaSeen = ar.GetObjectSchema();
        ar.Int32(value);
        ar.Object(next);
    }
};
ORV_IMPLEMENT_SERIAL(CNode, kRecordSchema, true)

// A class that accepts only its own schema number, like the two query classes.
class CStrict : public CObject {
    ORV_DECLARE_SERIAL(CStrict)
public:
    uint8_t flag = 0;
    void Serialize(CArchive& ar) override { ar.UInt8(flag); }
};
ORV_IMPLEMENT_SERIAL(CStrict, 21701, false)

CClassRegistry& TestRegistry()
{
    static CClassRegistry* registry = [] {
        static CClassRegistry instance;
        RegisterCodecClasses(instance);
        instance.Add(CNode::classInfo);
        instance.Add(CStrict::classInfo);
        return &instance;
    }();
    return *registry;
}

template <class Fn>
void Load(const Bytes& bytes, Fn read)
{
    CMemFile file(AsText(bytes));
    CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
    read(ar);
}

CCodecException::Cause LoadFailure(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try {
        Load(bytes, read);
    } catch (const CCodecException& e) {
        return e.GetCause();
    }
    ADD_FAILURE() << "loading succeeded";
    return CCodecException::ioError;
}

void AppendLE(Bytes& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

TEST(Archive, PrimitivesAreLittleEndianWithoutFiller)
{
    const Bytes bytes = Store([](CArchive& ar) {
        ar.WriteUInt8(0xAB);
        ar.WriteUInt16(0x1234);
        ar.WriteInt32(-2);
        ar.WriteUInt32(0xA1B2C3D4);
        ar.WriteBool32(true);
        ar.WriteDouble(1.0);
    });
    const Bytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xD4, 0xC3, 0xB2, 0xA1,
                            0x01, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    EXPECT_EQ(bytes, expected);

    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadUInt8(), 0xAB);
        EXPECT_EQ(ar.ReadUInt16(), 0x1234);
        EXPECT_EQ(ar.ReadInt32(), -2);
        EXPECT_EQ(ar.ReadUInt32(), 0xA1B2C3D4u);
        EXPECT_TRUE(ar.ReadBool32());
        EXPECT_EQ(ar.ReadDouble(), 1.0);
    });
}

TEST(Archive, Bool32ReadsAnyNonZeroAsTrue)
{
    Load({0x00, 0x01, 0x00, 0x00, 0, 0, 0, 0}, [](CArchive& ar) {
        EXPECT_TRUE(ar.ReadBool32());
        EXPECT_FALSE(ar.ReadBool32());
    });
}

TEST(Archive, StringPrefixesAtEveryBoundary)
{
    struct Case {
        size_t length;
        Bytes prefix;
    };
    const std::vector<Case> cases = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'x');
        const Bytes bytes = Store([&](CArchive& ar) { ar.WriteString(text); });
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.length;
        Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadString(), text) << c.length; });
    }
}

TEST(Archive, EightBitTextsTravelUnchanged)
{
    std::string text;
    for (int c = 1; c < 256; ++c)
        text.push_back(static_cast<char>(c));
    const Bytes bytes = Store([&](CArchive& ar) { ar.WriteString(text); });
    Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadString(), text); });
}

TEST(Archive, SixteenBitStringFormIsReadAsCodePageText)
{
    // FF FEFF marks 16-bit characters; the second prefix (3) counts characters.
    // "A", the euro sign (U+20AC, 0x80 in the code page) and a character the code page
    // lacks (U+4E2D), which becomes '?'.
    const Bytes bytes = {0xFF, 0xFE, 0xFF, 0x03, 0x41, 0x00, 0xAC, 0x20, 0x2D, 0x4E};
    Load(bytes, [](CArchive& ar) { EXPECT_EQ(ar.ReadString(), std::string("A\x80?")); });

    // The second prefix may itself use the 16-bit length form.
    Bytes longer = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
    for (int i = 0; i < 300; ++i) {
        longer.push_back('z');
        longer.push_back(0);
    }
    Load(longer, [](CArchive& ar) { EXPECT_EQ(ar.ReadString(), std::string(300, 'z')); });
}

TEST(Archive, CountsSwitchToTheLongFormAtFFFF)
{
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0xFFFE); }), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0xFFFF); }), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    Load({0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}, [](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), 0x10000u); });
}

TEST(Archive, EmptyArraysAreTwoZeroBytes)
{
    std::vector<std::string> texts;
    std::vector<CStringObject> records;
    const Bytes bytes = Store([&](CArchive& ar) {
        ar.StringArray(texts);
        ar.RecordArray(records);
    });
    EXPECT_EQ(bytes, (Bytes{0, 0, 0, 0}));
}

TEST(Archive, RecordArrayHasNoTags)
{
    std::vector<CStringObject> records = {CStringObject("ab"), CStringObject("")};
    const Bytes bytes = Store([&](CArchive& ar) { ar.RecordArray(records); });
    EXPECT_EQ(bytes, (Bytes{0x02, 0x00, 0x02, 'a', 'b', 0x00}));
    Load(bytes, [](CArchive& ar) {
        std::vector<CStringObject> loaded;
        ar.RecordArray(loaded);
        ASSERT_EQ(loaded.size(), 2u);
        EXPECT_EQ(loaded[0].GetText(), "ab");
        EXPECT_EQ(loaded[1].GetText(), "");
    });
}

TEST(Archive, NullDateKeepsItsStoredDouble)
{
    CDateTime date;
    date.status = CDateTime::null;
    date.date = 12345.5;
    const Bytes bytes = Store([&](CArchive& ar) { ar.WriteDateTime(date); });
    Bytes expected = {0x02, 0x00, 0x00, 0x00};
    AppendLE(expected, std::bit_cast<uint64_t>(12345.5), 8);
    EXPECT_EQ(bytes, expected);
    Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadDateTime(), date); });
}

TEST(Archive, TaggedListWritesTheClassNameOnce)
{
    std::vector<std::shared_ptr<CObject>> list = {std::make_shared<CStringObject>("a"),
                                                  std::make_shared<CStringObject>("b"),
                                                  std::make_shared<CStringObject>("c")};
    const Bytes bytes = Store([&](CArchive& ar) { ar.ObjectArray(list); });
    // count 3; new class (index 1) and its object (index 2); then known class 1 twice,
    // the objects taking indices 3 and 4.
    Bytes expected = {0x03, 0x00, 0xFF, 0xFF, 0x64, 0x00, 0x0D, 0x00};
    for (char c : std::string("CStringObject"))
        expected.push_back(static_cast<unsigned char>(c));
    const Bytes rest = {0x01, 'a', 0x01, 0x80, 0x01, 'b', 0x01, 0x80, 0x01, 'c'};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(bytes, expected);

    Load(bytes, [](CArchive& ar) {
        std::vector<std::shared_ptr<CStringObject>> loaded;
        ar.ObjectArray(loaded);
        ASSERT_EQ(loaded.size(), 3u);
        EXPECT_EQ(loaded[2]->GetText(), "c");
    });
}

TEST(Archive, SharedMembersAreWrittenOnceAndRestoredShared)
{
    auto shared = std::make_shared<CStringObject>("s");
    std::vector<std::shared_ptr<CObject>> list = {shared, shared, nullptr};
    const Bytes bytes = Store([&](CArchive& ar) { ar.ObjectArray(list); });
    // The back-reference is the object's index (2: the class took 1).
    const Bytes tail = {0x02, 0x00, 0x00, 0x00};
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), tail);

    Load(bytes, [](CArchive& ar) {
        std::vector<std::shared_ptr<CObject>> loaded;
        ar.ObjectArray(loaded);
        ASSERT_EQ(loaded.size(), 3u);
        EXPECT_EQ(loaded[0], loaded[1]);
        EXPECT_EQ(loaded[2], nullptr);
    });
}

TEST(Archive, BigTagsBeyond7FFEInBothDirections)
{
    // The string class takes index 1 and its 0x7FFE objects 2 to 0x7FFF; the binary
    // class then gets 0x8000, so its second object needs a big class tag, and a
    // reference to the object at 0x7FFF needs a big object tag.
    std::vector<std::shared_ptr<CObject>> list;
    for (int i = 0; i < 0x7FFE; ++i)
        list.push_back(std::make_shared<CStringObject>(""));
    list.push_back(std::make_shared<CBinaryObject>());  // class 0x8000, object 0x8001
    list.push_back(std::make_shared<CBinaryObject>());  // big class tag 0x80008000
    list.push_back(list[0x7FFD]);                       // big object tag 0x7FFF
    const Bytes bytes = Store([&](CArchive& ar) { ar.ObjectArray(list); });

    Bytes tail;
    AppendLE(tail, 0x7FFF, 2);
    AppendLE(tail, 0x80008000u, 4);
    AppendLE(tail, 0, 4);  // the empty binary block
    AppendLE(tail, 0x7FFF, 2);
    AppendLE(tail, 0x7FFF, 4);
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - static_cast<long>(tail.size()), bytes.end()), tail);

    Load(bytes, [&](CArchive& ar) {
        std::vector<std::shared_ptr<CObject>> loaded;
        ar.ObjectArray(loaded);
        ASSERT_EQ(loaded.size(), list.size());
        EXPECT_NE(dynamic_cast<CBinaryObject*>(loaded[0x7FFF].get()), nullptr);
        EXPECT_EQ(loaded[0x8000], loaded[0x7FFD]);
    });
}

TEST(Archive, ObjectSchemaIsExposedWhileLoadingAndRestoredAfter)
{
    // A CNode stored under schema 7 holding a CNode stored under the same class entry.
    Bytes bytes = {0xFF, 0xFF, 0x07, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e'};
    AppendLE(bytes, 1, 4);
    AppendLE(bytes, 0x8001, 2);  // known class 1: schema 7 again
    AppendLE(bytes, 2, 4);
    AppendLE(bytes, 0, 2);
    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.GetObjectSchema(), CArchive::kNoSchema);
        auto object = std::dynamic_pointer_cast<CNode>(ar.ReadObject());
        ASSERT_TRUE(object);
        EXPECT_EQ(object->schemaSeen, 7u);
        auto inner = std::dynamic_pointer_cast<CNode>(object->next);
        ASSERT_TRUE(inner);
        EXPECT_EQ(inner->value, 2);
        EXPECT_EQ(inner->schemaSeen, 7u);
        EXPECT_EQ(ar.GetObjectSchema(), CArchive::kNoSchema);
    });
}

TEST(Archive, StrictSchemaClassesRefuseOtherNumbers)
{
    auto strict = [](uint16_t schema) {
        Bytes bytes = {0xFF, 0xFF};
        AppendLE(bytes, schema, 2);
        AppendLE(bytes, 7, 2);
        for (char c : std::string("CStrict"))
            bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(1);
        return bytes;
    };
    Load(strict(21701), [](CArchive& ar) { EXPECT_TRUE(ar.ReadObject()); });
    EXPECT_EQ(LoadFailure(strict(100), [](CArchive& ar) { ar.ReadObject(); }), CCodecException::badSchema);
}

TEST(Archive, MalformedInputRaisesTheRightCause)
{
    auto readObject = [](CArchive& ar) { ar.ReadObject(); };
    // Ends in the middle of an item.
    EXPECT_EQ(LoadFailure({0x05, 'a', 'b'}, [](CArchive& ar) { ar.ReadString(); }), CCodecException::limitExceeded);
    EXPECT_EQ(LoadFailure({0x01, 0x00}, [](CArchive& ar) { ar.ReadUInt32(); }), CCodecException::endOfFile);
    // Unknown class, and a class name of 64 bytes.
    EXPECT_EQ(LoadFailure({0xFF, 0xFF, 0x64, 0x00, 0x03, 0x00, 'C', 'X', 'y'}, readObject),
              CCodecException::badClass);
    Bytes longName = {0xFF, 0xFF, 0x64, 0x00, 0x40, 0x00};
    longName.insert(longName.end(), 64, 'C');
    EXPECT_EQ(LoadFailure(longName, readObject), CCodecException::badClass);
    // Class names are matched exactly.
    EXPECT_EQ(LoadFailure({0xFF, 0xFF, 0x64, 0x00, 0x05, 0x00, 'c', 'n', 'o', 'd', 'e'}, readObject),
              CCodecException::badClass);
    // Indices not given yet, as objects and as classes.
    EXPECT_EQ(LoadFailure({0x01, 0x00}, readObject), CCodecException::badIndex);
    EXPECT_EQ(LoadFailure({0x01, 0x80}, readObject), CCodecException::badIndex);
    EXPECT_EQ(LoadFailure({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}, readObject), CCodecException::badIndex);
    // A class index used as an object reference (index 1 is the class here).
    Bytes classAsObject = {0xFF, 0xFF, 0x64, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e'};
    AppendLE(classAsObject, 0, 4);
    AppendLE(classAsObject, 1, 2);
    EXPECT_EQ(LoadFailure(classAsObject, readObject), CCodecException::badIndex);
    // Counts beyond what remains fail before anything is allocated.
    EXPECT_EQ(LoadFailure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, [](CArchive& ar) {
                  std::vector<std::string> texts;
                  ar.StringArray(texts);
              }),
              CCodecException::limitExceeded);
    EXPECT_EQ(LoadFailure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, [](CArchive& ar) { ar.ReadString(); }),
              CCodecException::limitExceeded);
    // A second 16-bit marker inside the 16-bit form.
    EXPECT_EQ(LoadFailure({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF}, [](CArchive& ar) { ar.ReadString(); }),
              CCodecException::badFormat);
}

TEST(Archive, SelfReferenceAndDeepNestingAreRefused)
{
    // A CNode whose member refers back to itself (index 2) would own itself.
    Bytes cycle = {0xFF, 0xFF, 0x64, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e'};
    AppendLE(cycle, 0, 4);
    AppendLE(cycle, 2, 2);
    EXPECT_EQ(LoadFailure(cycle, [](CArchive& ar) { ar.ReadObject(); }), CCodecException::badIndex);

    // Ten thousand nested nodes stop at the depth limit instead of the stack's end.
    Bytes deep = {0xFF, 0xFF, 0x64, 0x00, 0x05, 0x00, 'C', 'N', 'o', 'd', 'e'};
    AppendLE(deep, 0, 4);
    for (int i = 0; i < 10000; ++i) {
        AppendLE(deep, 0x8001, 2);
        AppendLE(deep, 0, 4);
    }
    EXPECT_EQ(LoadFailure(deep, [](CArchive& ar) { ar.ReadObject(); }), CCodecException::limitExceeded);
}

TEST(Archive, WrongClassForATypedMemberIsBadClass)
{
    auto text = std::make_shared<CStringObject>("t");
    std::shared_ptr<CObject> member = text;
    const Bytes bytes = Store([&](CArchive& ar) { ar.Object(member); });
    EXPECT_EQ(LoadFailure(bytes,
                          [](CArchive& ar) {
                              std::shared_ptr<CBinaryObject> binary;
                              ar.ObjectOf(binary);
                          }),
              CCodecException::badClass);
}

TEST(BinaryObject, CountThenRawBytes)
{
    CBinaryObject block(std::string("\x00\x01\xFF", 3));
    const Bytes bytes = Store([&](CArchive& ar) { block.Serialize(ar); });
    EXPECT_EQ(bytes, (Bytes{0x03, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFF}));

    CBinaryObject empty;
    EXPECT_EQ(Store([&](CArchive& ar) { empty.Serialize(ar); }), (Bytes{0, 0, 0, 0}));

    // Loading a zero count into a block that held bytes leaves it empty.
    CBinaryObject reused(std::string("old"));
    Load({0, 0, 0, 0}, [&](CArchive& ar) { reused.Serialize(ar); });
    EXPECT_EQ(reused.GetSize(), 0u);

    // Negative and oversized counts are refused.
    EXPECT_EQ(LoadFailure({0xFF, 0xFF, 0xFF, 0xFF}, [](CArchive& ar) { CBinaryObject b; b.Serialize(ar); }),
              CCodecException::limitExceeded);
    EXPECT_EQ(LoadFailure({0x00, 0x00, 0x00, 0x7F, 0x01}, [](CArchive& ar) { CBinaryObject b; b.Serialize(ar); }),
              CCodecException::limitExceeded);
}

TEST(StringObject, IsJustTheString)
{
    CStringObject text("user");
    EXPECT_EQ(Store([&](CArchive& ar) { text.Serialize(ar); }), (Bytes{0x04, 'u', 's', 'e', 'r'}));
}

TEST(ClassRegistry, GlobalHoldsTheWrapperClasses)
{
    EXPECT_EQ(CClassRegistry::Global().Find("CStringObject"), &CStringObject::classInfo);
    EXPECT_EQ(CClassRegistry::Global().Find("CBinaryObject"), &CBinaryObject::classInfo);
    EXPECT_EQ(CClassRegistry::Global().Find("cstringobject"), nullptr);
    EXPECT_EQ(CStringObject::classInfo.schema, 100);
}

TEST(Archive, ReferencesCountAsCopiesAgainstTheMaterialisedLimits)
{
    auto big = std::make_shared<CStringObject>(std::string(1000, 'x'));
    std::vector<std::shared_ptr<CObject>> list(200, big);
    const Bytes bytes = Store([&](CArchive& ar) { ar.ObjectArray(list); });
    ASSERT_LT(bytes.size(), 1500u) << "each reference is two bytes";

    auto load = [&](uint64_t maxBytes, uint64_t maxObjects) {
        CMemFile file(std::string(bytes.begin(), bytes.end()));
        ReaderLimits limits;
        limits.maxMaterialisedBytes = maxBytes;
        limits.maxMaterialisedObjects = maxObjects;
        CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry(), limits);
        std::vector<std::shared_ptr<CObject>> loaded;
        ar.ObjectArray(loaded);
        return loaded.size();
    };
    // 200 copies of about 1 KB each: within 256 KB and 200 objects, not within less.
    EXPECT_EQ(load(256 * 1024, 200), 200u);
    for (const auto& [maxBytes, maxObjects] : {std::pair<uint64_t, uint64_t>{100 * 1024, 1000}, {1 << 20, 199}}) {
        try {
            load(maxBytes, maxObjects);
            ADD_FAILURE() << maxBytes << " " << maxObjects;
        } catch (const CCodecException& e) {
            EXPECT_EQ(e.GetCause(), CCodecException::limitExceeded);
        }
    }
}
