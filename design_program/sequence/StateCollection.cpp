#include "sequence/StateCollection.h"

#include "runtime/RuntimeError.h"

#include <algorithm>

namespace cindrel::sequence {

namespace {
constexpr int KeyAlreadyExists = 457;
constexpr int ElementNotFound = 32811;
} // namespace

void StateCollection::Add(std::string_view key, T_State& state)
{
    if (Exists(key))
        runtime::raise(KeyAlreadyExists, "This key is already associated with an element of this collection");
    entries_.emplace_back(std::string(key), &state);
}

void StateCollection::Remove(std::string_view key)
{
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& entry) { return entry.first == key; });
    if (it == entries_.end())
        runtime::raise(ElementNotFound, "Element not found");
    entries_.erase(it);
}

bool StateCollection::Exists(std::string_view key) const { return find(key) != nullptr; }

T_State* StateCollection::find(std::string_view key) const
{
    for (const auto& [name, state] : entries_) {
        if (name == key)
            return state;
    }
    return nullptr;
}

std::vector<T_State*> StateCollection::Items() const
{
    std::vector<T_State*> items;
    items.reserve(entries_.size());
    for (const auto& entry : entries_)
        items.push_back(entry.second);
    return items;
}

std::vector<std::string> StateCollection::Keys() const
{
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const auto& entry : entries_)
        keys.push_back(entry.first);
    return keys;
}

} // namespace cindrel::sequence
