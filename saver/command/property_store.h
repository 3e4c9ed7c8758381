#pragma once

#include <string>
#include <utility>
#include <vector>

// Named text values, as a container keeps the stored properties of one of
// its controls. Names match whatever their case; a value equal to its
// default is not kept.
class PropertyStore {
public:
    using Entry = std::pair<std::string, std::string>;

    virtual ~PropertyStore() = default;

    // The value stored under `name`, or `defaultValue` when there is none. A
    // container may watch what is read, and in which order.
    virtual std::string Read(const std::string& name, const std::string& defaultValue) const;
    // Keeps `value` under `name` when it differs from `defaultValue`;
    // otherwise forgets what was kept under that name.
    void Write(const std::string& name, const std::string& value, const std::string& defaultValue);

    // What is kept: names in lower case, in the order they were first written.
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};
