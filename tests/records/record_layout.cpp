#include "record_layout.h"

#include "records/register_records.h"

#include <bit>
#include <cstdio>

Layout& Layout::LE(uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        m_bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return *this;
}

Layout& Layout::F64(double value)
{
    return LE(std::bit_cast<uint64_t>(value), 8);
}

Layout& Layout::Str(const std::string& text)
{
    if (text.size() < 0xFF) {
        LE(text.size(), 1);
    } else if (text.size() < 0xFFFE) {
        LE(0xFF, 1);
        LE(text.size(), 2);
    } else {
        LE(0xFF, 1);
        LE(0xFFFF, 2);
        LE(text.size(), 4);
    }
    m_bytes += text;
    return *this;
}

Layout& Layout::Count(uint64_t count)
{
    if (count < 0xFFFF)
        return LE(count, 2);
    LE(0xFFFF, 2);
    return LE(count, 4);
}

Layout& Layout::NewClass(const std::string& name, uint16_t schema)
{
    U16(0xFFFF);
    U16(schema);
    U16(static_cast<uint16_t>(name.size()));
    return Raw(name);
}

void Layout::Int(int32_t& field)
{
    // Negative and positive values in turn, none of them 0 or 1.
    const int n = Next();
    field = n % 2 ? 1000 + n : -(1000 + n);
    I32(field);
}

void Layout::Bool(bool& field)
{
    field = Next() % 2 == 1;
    m_bools.emplace_back(&field, m_bytes.size());
    Bool32(field);
}

void Layout::Real(double& field)
{
    const int n = Next();
    field = (n % 2 ? 1 : -1) * (n + 0.25);
    F64(field);
}

void Layout::Text(std::string& field)
{
    field = "f" + std::to_string(Next());
    Str(field);
}

void Layout::Date(CDateTime& field)
{
    // The status varies too: a record carries invalid and null dates with their value.
    const int n = Next();
    field = CDateTime{n % 3, 36000.0 + n + 0.5};
    DateTime(field);
}

void Layout::Texts(std::vector<std::string>& field, size_t count)
{
    field.resize(count);
    Count(count);
    for (std::string& text : field)
        Text(text);
}

void Layout::Ints(std::vector<int32_t>& field, size_t count)
{
    field.resize(count);
    Count(count);
    for (int32_t& value : field)
        Int(value);
}

void Layout::Block(std::string& field, size_t size)
{
    const int n = Next();
    field.clear();
    for (size_t i = 0; i < size; ++i)
        field.push_back(static_cast<char>((n * 31 + static_cast<int>(i) * 7) & 0xFF));
    I32(static_cast<int32_t>(size));
    Raw(field);
}

const CClassRegistry& TestRegistry()
{
    static const CClassRegistry* registry = [] {
        static CClassRegistry instance;
        RegisterCodecClasses(instance);
        RegisterRecordClasses(instance);
        return &instance;
    }();
    return *registry;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char pair[4];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02x ", c);
        out += pair;
    }
    return out;
}

std::string StoreObjects(std::vector<std::shared_ptr<CObject>> objects)
{
    CMemFile file;
    {
        CArchive ar(file, CArchive::store);
        ar.ObjectArray(objects);
        ar.Flush();
    }
    return file.ToString();
}

std::vector<std::shared_ptr<CObject>> LoadObjects(const std::string& bytes)
{
    CMemFile file(bytes);
    CArchive ar(file, CArchive::load, CArchive::kDefaultBufferSize, &TestRegistry());
    std::vector<std::shared_ptr<CObject>> objects;
    ar.ObjectArray(objects);
    EXPECT_THROW(ar.ReadUInt8(), CCodecException) << "bytes left over after the objects";
    return objects;
}
