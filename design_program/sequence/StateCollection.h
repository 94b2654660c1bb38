#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cindrel::sequence {

class T_State;

// The done steps, keyed by step name (compared case-sensitively), kept in the
// order they were added, which is the path order.
class StateCollection {
public:
    // Adds an entry; run-time error 457 when the key is already there.
    void Add(std::string_view key, T_State& state);
    // Removes the entry of the key; run-time error 32811 when there is none.
    void Remove(std::string_view key);
    bool Exists(std::string_view key) const;
    // The step of the key; null when there is none.
    T_State* find(std::string_view key) const;
    int Count() const { return static_cast<int>(entries_.size()); }
    // The steps in the order added.
    std::vector<T_State*> Items() const;
    std::vector<std::string> Keys() const;

private:
    std::vector<std::pair<std::string, T_State*>> entries_;
};

} // namespace cindrel::sequence
