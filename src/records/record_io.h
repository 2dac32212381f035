#pragma once
// Serialization pieces shared by several records: the two date values that records
// start with, a list of int32 behind a count, a byte block behind an int32 byte count,
// and lists of owned tagged records.

#include "codec/archive.h"
#include "codec/codec_exception.h"
#include "codec/date_time.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A real date: 30 December 1899 at midnight. Most record dates start with it.
inline constexpr CDateTime kValidZeroDate{CDateTime::valid, 0.0};
// No date at all (due dates, dates the server assigns).
inline constexpr CDateTime kNullDate{CDateTime::null, 0.0};

// A count, then one int32 per entry.
void SerializeInt32List(CArchive& ar, std::vector<int32_t>& values);

// An int32 byte count, then exactly that many raw bytes. The count is taken from the
// bytes when storing, so the two cannot disagree. Loading refuses a negative count and
// replaces what the block held, so a count of 0 leaves it empty.
void SerializeByteBlock(CArchive& ar, std::string& bytes);

// Fails when a list of owned records holds an empty entry: the code that shows or edits
// such a list takes every entry to be a record.
template <class T>
void RequireNoEmptyEntry(const std::vector<std::shared_ptr<T>>& objects)
{
    for (const auto& object : objects)
        if (!object)
            throw CCodecException(CCodecException::badFormat, "A list of records holds an empty entry");
}

// An object array whose every entry is a record of class T (or derived from it). An
// empty entry is refused in both directions: it is never sent, and a received one
// fails the load.
template <class T>
void SerializeOwnedObjects(CArchive& ar, std::vector<std::shared_ptr<T>>& objects)
{
    if (ar.IsStoring())
        RequireNoEmptyEntry(objects);
    ar.ObjectArray(objects);
    if (ar.IsLoading())
        RequireNoEmptyEntry(objects);
}
