#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace brimlock {

// The bucket of a name in the file's order: the bytes taken as signed,
// h = h * 33 + byte in 32-bit unsigned arithmetic, then h mod 17.
inline unsigned nameBucket(std::string_view name)
{
    std::uint32_t hash = 0;
    for (const char c : name)
        hash = hash * 33u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    return hash % 17u;
}

// Names mapped to values, walked in the order INI files are written in:
// bucket 0 to 16, and within a bucket the newest name first. A replaced
// value keeps its place. Lookups are hashed, so large files stay fast.
template <class T>
class HashOrderedMap {
public:
    T* find(const std::string& name)
    {
        const auto found = entries_.find(name);
        return found == entries_.end() ? nullptr : &found->second.value;
    }
    const T* find(const std::string& name) const
    {
        const auto found = entries_.find(name);
        return found == entries_.end() ? nullptr : &found->second.value;
    }
    // The value of a name, created (in front of its bucket) when new.
    T& obtain(const std::string& name)
    {
        auto [position, created] = entries_.try_emplace(name);
        if (created) {
            position->second.bucket = nameBucket(name);
            position->second.sequence = nextSequence_++;
        }
        return position->second.value;
    }
    bool erase(const std::string& name) { return entries_.erase(name) > 0; }
    void clear() { entries_.clear(); }
    bool empty() const { return entries_.empty(); }

    // The names and values in walking order.
    std::vector<std::pair<const std::string*, const T*>> ordered() const
    {
        std::vector<std::pair<const std::string*, const Entry*>> walk;
        walk.reserve(entries_.size());
        for (const auto& [name, entry] : entries_)
            walk.emplace_back(&name, &entry);
        std::sort(walk.begin(), walk.end(), [](const auto& a, const auto& b) {
            if (a.second->bucket != b.second->bucket)
                return a.second->bucket < b.second->bucket;
            return a.second->sequence > b.second->sequence;
        });
        std::vector<std::pair<const std::string*, const T*>> result;
        result.reserve(walk.size());
        for (const auto& [name, entry] : walk)
            result.emplace_back(name, &entry->value);
        return result;
    }

private:
    struct Entry {
        T value{};
        unsigned bucket = 0;
        std::uint64_t sequence = 0;
    };
    std::unordered_map<std::string, Entry> entries_;
    std::uint64_t nextSequence_ = 0;
};

} // namespace brimlock
