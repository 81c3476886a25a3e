#include <Rocket/Core/Dictionary.h>

#include <iterator>

namespace Rocket {
namespace Core {

Variant* Dictionary::Get(const String& key) {
    auto found = values.find(key);
    return found != values.end() ? &found->second : nullptr;
}

const Variant* Dictionary::Get(const String& key) const {
    auto found = values.find(key);
    return found != values.end() ? &found->second : nullptr;
}

bool Dictionary::Iterate(int& pos, String& key, Variant*& value) {
    if (pos < 0 || pos >= Size()) return false;
    auto entry = std::next(values.begin(), pos);
    key = entry->first;
    value = &entry->second;
    ++pos;
    return true;
}

void Dictionary::Merge(const Dictionary& other) {
    for (const auto& entry : other.values) values[entry.first] = entry.second;
}

}  // namespace Core
}  // namespace Rocket
