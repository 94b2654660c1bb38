#include "model/MGearMath.h"
#include "model/MMath.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace cindrel::model;

// Involute values spread over the range served, both start-value branches.
std::vector<double> involuteValues() {
    std::vector<double> values;
    for (double inv = 1e-6; inv < MMath::Pi; inv *= 1.3)
        values.push_back(inv);
    return values;
}

void InverseInvolute(benchmark::State& state) {
    const std::vector<double> values = involuteValues();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MMath::InverseInvolute(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(InverseInvolute);

// A spur pinion, an odd helical member and an internal gear, in turn.
struct Measured {
    std::int32_t teeth;
    double pitch, pressureAngle, helixAngle, measurement, pin;
    bool between;
};

void TThkFromPins(benchmark::State& state) {
    const double phi = MMath::Deg2Rad(20);
    const Measured cases[] = {
        {20, 10, phi, 0, 2.2, 0.1728, false},
        {25, 8 * std::cos(0.5236), std::atan(std::tan(phi) / std::cos(0.5236)), 0.5236, 3.55, 0.216, false},
        {60, 10, phi, 0, 5.85, 0.144, true},
    };
    std::size_t i = 0;
    for (auto _ : state) {
        const Measured& c = cases[i];
        benchmark::DoNotOptimize(MGearMath::TThkFromPins(c.teeth, c.pitch, c.pressureAngle, c.helixAngle,
                                                         c.measurement, c.pin, c.between));
        i = (i + 1) % 3;
    }
}
BENCHMARK(TThkFromPins);

void TThkFromSpan(benchmark::State& state) {
    const double phi = MMath::Deg2Rad(20);
    for (auto _ : state)
        benchmark::DoNotOptimize(MGearMath::TThkFromSpan(20, 10, phi, 0.7699, 3, 0.2));
}
BENCHMARK(TThkFromSpan);

} // namespace
