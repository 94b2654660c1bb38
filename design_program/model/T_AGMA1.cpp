#include "model/T_AGMA1.h"

#include "runtime/RuntimeError.h"

namespace cindrel::model {

namespace {

std::size_t memberSlot(std::int32_t index) {
    if (index != 0 && index != 1)
        runtime::raise(runtime::SubscriptOutOfRange);
    return static_cast<std::size_t>(index);
}

} // namespace

void T_AGMA1::Kb(std::int32_t Index, const std::string& InputValue) { kb_[memberSlot(Index)] = InputValue; }
std::string T_AGMA1::Kb(std::int32_t Index) const { return kb_[memberSlot(Index)]; }
void T_AGMA1::Yn(std::int32_t Index, const std::string& InputValue) { yn_[memberSlot(Index)] = InputValue; }
std::string T_AGMA1::Yn(std::int32_t Index) const { return yn_[memberSlot(Index)]; }
void T_AGMA1::Zn(std::int32_t Index, const std::string& InputValue) { zn_[memberSlot(Index)] = InputValue; }
std::string T_AGMA1::Zn(std::int32_t Index) const { return zn_[memberSlot(Index)]; }
void T_AGMA1::SF(std::int32_t Index, const std::string& InputValue) { sf_[memberSlot(Index)] = InputValue; }
std::string T_AGMA1::SF(std::int32_t Index) const { return sf_[memberSlot(Index)]; }
void T_AGMA1::Sh(std::int32_t Index, const std::string& InputValue) { sh_[memberSlot(Index)] = InputValue; }
std::string T_AGMA1::Sh(std::int32_t Index) const { return sh_[memberSlot(Index)]; }
void T_AGMA1::Ch(std::int32_t Index, const std::string& InputValue) { ch_[memberSlot(Index)] = InputValue; }
std::string T_AGMA1::Ch(std::int32_t Index) const { return ch_[memberSlot(Index)]; }

} // namespace cindrel::model
