#pragma once
// Lists that travel as a whole payload: the reply "a list of records" of many commands
// is a bare record array, string array or object array written at top level, with
// nothing before it. These wrappers give such a list the one Serialize that
// SendObject and ReceiveObject need. They only travel at top level and are not
// registered by class name.

#include "codec/archive.h"
#include "codec/object.h"
#include "records/record_io.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A count, then that many records of class T written in place without tags
// (billing entries, attachments, tracking entries, case view entries ...).
template <class T>
class CRecordList : public CObject {
public:
    CRecordList() = default;
    explicit CRecordList(std::vector<T> records) : items(std::move(records)) {}

    void Serialize(CArchive& ar) override { ar.RecordArray(items); }

    std::vector<T> items;
};

// A string array: a count, then that many strings (case identifiers, city and state,
// import results, logged-in users ...).
class CStringList : public CObject {
public:
    CStringList() = default;
    explicit CStringList(std::vector<std::string> texts) : items(std::move(texts)) {}

    void Serialize(CArchive& ar) override { ar.StringArray(items); }

    std::vector<std::string> items;
};

// An object array whose every entry is a tagged record of class T (case view
// definitions, report view lists). An empty entry is refused in both directions.
// Loading needs T registered by class name.
template <class T>
class CObjectList : public CObject {
public:
    CObjectList() = default;
    explicit CObjectList(std::vector<std::shared_ptr<T>> records) : items(std::move(records)) {}

    void Serialize(CArchive& ar) override { SerializeOwnedObjects(ar, items); }

    std::vector<std::shared_ptr<T>> items;
};
