#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace forms {

// An event of a window or control: any number of handlers, run in the order
// they were connected, synchronously and re-entrantly. A handler may connect
// or disconnect handlers while the event runs; the running call is not affected.
template <typename... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    int connect(Handler handler) {
        handlers_.push_back({++lastId_, std::move(handler)});
        return lastId_;
    }

    void disconnect(int id) {
        std::erase_if(handlers_, [id](const Entry& entry) { return entry.id == id; });
    }

    void disconnectAll() { handlers_.clear(); }
    bool hasHandlers() const { return !handlers_.empty(); }

    void operator()(Args... args) const {
        const auto snapshot = handlers_;
        for (const Entry& entry : snapshot)
            entry.handler(args...);
    }

private:
    struct Entry {
        int id;
        Handler handler;
    };
    std::vector<Entry> handlers_;
    int lastId_ = 0;
};

} // namespace forms
