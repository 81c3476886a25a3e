#pragma once

#include <Rocket/Core/Variant.h>

#include <map>

namespace Rocket {
namespace Core {

// String keys to variant values, kept in key order.
class Dictionary {
public:
    void Set(const String& key, const Variant& value) { values[key] = value; }
    template <typename T>
    void Set(const String& key, const T& value) {
        values[key] = Variant(value);
    }

    Variant* Get(const String& key);
    const Variant* Get(const String& key) const;
    template <typename T>
    T Get(const String& key, const T& default_value) const {
        const Variant* value = Get(key);
        T result = default_value;
        if (value != nullptr && !value->GetInto(result)) result = default_value;
        return result;
    }

    bool Remove(const String& key) { return values.erase(key) > 0; }
    // Visits entries in key order: pos starts at 0 and is advanced by each call.
    bool Iterate(int& pos, String& key, Variant*& value);
    int Size() const { return static_cast<int>(values.size()); }
    bool IsEmpty() const { return values.empty(); }
    void Clear() { values.clear(); }
    void Merge(const Dictionary& other);

    bool operator==(const Dictionary& other) const { return values == other.values; }

private:
    std::map<String, Variant> values;
};

}  // namespace Core
}  // namespace Rocket
