#include "property_store.h"

#include <algorithm>

namespace {

// Names are ASCII; other bytes are kept as they are.
std::string Lower(std::string name)
{
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

template <typename Entries> auto Find(Entries& entries, const std::string& name)
{
    const std::string key = Lower(name);
    return std::find_if(entries.begin(), entries.end(),
                        [&key](const PropertyStore::Entry& entry) { return entry.first == key; });
}

} // namespace

std::string PropertyStore::Read(const std::string& name, const std::string& defaultValue) const
{
    const auto entry = Find(entries_, name);
    return entry == entries_.end() ? defaultValue : entry->second;
}

void PropertyStore::Write(const std::string& name, const std::string& value,
                          const std::string& defaultValue)
{
    const auto entry = Find(entries_, name);
    if (value == defaultValue) {
        if (entry != entries_.end())
            entries_.erase(entry);
    } else if (entry != entries_.end()) {
        entry->second = value;
    } else {
        entries_.emplace_back(Lower(name), value);
    }
}
