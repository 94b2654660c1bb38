#pragma once

#include "sequence/AgmaHandOver.h"
#include "sequence/Ports.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace cindrel::sequence {

class T_StateNavigator;

// A plain AGMA factors window for the rating steps' tests, without Qt: it
// commits what its boxes hold and moves the sequence on from its Next and
// Previous buttons and a user's close request, as the real window does, with
// no materials, load distribution calculator or allowable power.
class AgmaFactorsStandIn : public AgmaFactorsWindow {
public:
    // The window's controls must be loaded; the buttons work once attached.
    explicit AgmaFactorsStandIn(Controls& controls);
    ~AgmaFactorsStandIn() override;

    // Binds the window's Next and Previous buttons to the navigator.
    void attach(T_StateNavigator& navigator);

    void setStopTheEvents(bool stop) override { stopTheEvents_ = stop; }
    bool stopTheEvents() const { return stopTheEvents_; }
    // No tabs yet: the tab asked for is only kept.
    void selectTab(std::int32_t tab) override { tab_ = tab; }
    std::int32_t tab() const { return tab_; }

    // Commits the factors, then moves: 1 Next, 2 Previous, 0 the last move
    // again. A failure is reported and shown, and the sequence does not move.
    void CommitFactors(std::int32_t direction);

    // The window is asked to close: a user's request is refused and commits
    // with the last move; a close by code or at program end goes ahead
    // without commit or move. True cancels the close.
    bool QueryUnload(bool byUser);

private:
    void commit();

    Controls& controls_;
    T_StateNavigator* navigator_ = nullptr;
    bool stopTheEvents_ = false;
    std::int32_t tab_ = 0;
    std::unique_ptr<Binding> next_;
    std::unique_ptr<Binding> previous_;
};

} // namespace cindrel::sequence
