#pragma once
// A list of tagged records that its holder owns. It is the object array the archive
// reads and writes, but copying it copies the records themselves, so that a copy of a
// view definition or a settings dialog can be edited without touching the original.

#include <concepts>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

template <class T>
class OwnedObjects : public std::vector<std::shared_ptr<T>> {
    // Polymorphic element classes copy themselves through Clone(); the others must be
    // final, so that copying by the static type cannot cut a derived record short.
    static constexpr bool kHasClone = requires(const T& record) {
        { record.Clone() } -> std::convertible_to<std::shared_ptr<T>>;
    };
    static_assert(kHasClone || std::is_final_v<T>, "element class needs Clone() or must be final");

public:
    using Base = std::vector<std::shared_ptr<T>>;
    using Base::Base;

    OwnedObjects() = default;
    OwnedObjects(const OwnedObjects& other) : Base()
    {
        this->reserve(other.size());
        for (const auto& record : other)
            this->push_back(CopyOf(record));
    }
    OwnedObjects(OwnedObjects&&) noexcept = default;
    OwnedObjects& operator=(const OwnedObjects& other)
    {
        if (this != &other) {
            OwnedObjects copy(other);
            Base::swap(copy);
        }
        return *this;
    }
    OwnedObjects& operator=(OwnedObjects&&) noexcept = default;

private:
    static std::shared_ptr<T> CopyOf(const std::shared_ptr<T>& record)
    {
        if (!record)
            return nullptr;
        if constexpr (kHasClone)
            return record->Clone();
        else
            return std::make_shared<T>(*record);
    }
};
