#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace cindrel::model {

// The AGMA rating factors as the texts the user or the factors window gave,
// a trailing "*" mark included. Stores and returns them unchanged; readers
// take the leading number. Per-member factors take the member index (0
// pinion, 1 gear); any other index raises error 9 and stores nothing.
class T_AGMA1 {
public:
    void Ko(const std::string& InputValue) { ko_ = InputValue; }
    std::string Ko() const { return ko_; }
    void Kv(const std::string& InputValue) { kv_ = InputValue; }
    std::string Kv() const { return kv_; }
    void Ks(const std::string& InputValue) { ks_ = InputValue; }
    std::string Ks() const { return ks_; }
    void Km(const std::string& InputValue) { km_ = InputValue; }
    std::string Km() const { return km_; }
    void Kt(const std::string& InputValue) { kt_ = InputValue; }
    std::string Kt() const { return kt_; }
    std::string Kr() const { return kr_; }
    void Kr(const std::string& InputValue) { kr_ = InputValue; }
    std::string Cf() const { return cf_; }
    void Cf(const std::string& InputValue) { cf_ = InputValue; }

    void Kb(std::int32_t Index, const std::string& InputValue);
    std::string Kb(std::int32_t Index) const;
    void Yn(std::int32_t Index, const std::string& InputValue);
    std::string Yn(std::int32_t Index) const;
    void Zn(std::int32_t Index, const std::string& InputValue);
    std::string Zn(std::int32_t Index) const;
    void SF(std::int32_t Index, const std::string& InputValue);
    std::string SF(std::int32_t Index) const;
    void Sh(std::int32_t Index, const std::string& InputValue);
    std::string Sh(std::int32_t Index) const;
    void Ch(std::int32_t Index, const std::string& InputValue);
    std::string Ch(std::int32_t Index) const;

private:
    using PerMember = std::array<std::string, 2>;

    std::string ko_ = "1.0";
    std::string kv_ = "1.0*";
    std::string ks_ = "1.0";
    std::string km_ = "1.0*";
    std::string kt_ = "1.0";
    std::string kr_ = "1.0";
    std::string cf_ = "1.0";
    PerMember kb_{"1.0*", "1.0*"};
    PerMember yn_{"1.0*", "1.0*"};
    PerMember zn_{"1.0*", "1.0*"};
    PerMember sf_{"1.0", "1.0"};
    PerMember sh_{"1.0", "1.0"};
    PerMember ch_{"1.0", "1.0"};
};

} // namespace cindrel::model
