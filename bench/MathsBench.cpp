// The portable sin, cos and atan2 beside the C library's, over the angles and
// coordinates the game feeds them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/Maths.h"

namespace {

constexpr int Samples = 1024;
constexpr double DegreesToRadians = 3.1415926535 / 180;

std::vector<double> angles() {
    std::vector<double> v;
    for (int i = 0; i < Samples; ++i) v.push_back((i * 7919 % 1440 - 720) * DegreesToRadians + i * 1e-4);
    return v;
}

template <double (*F)(double)>
void oneArgument(benchmark::State& state) {
    const std::vector<double> xs = angles();
    for (auto _ : state)
        for (double x : xs) benchmark::DoNotOptimize(F(x));
    state.SetItemsProcessed(state.iterations() * Samples);
}

template <double (*F)(double, double)>
void twoArguments(benchmark::State& state) {
    const std::vector<double> xs = angles();
    for (auto _ : state)
        for (int i = 0; i < Samples; ++i) benchmark::DoNotOptimize(F(xs[i] * 300, xs[Samples - 1 - i] * 200));
    state.SetItemsProcessed(state.iterations() * Samples);
}

double librarySin(double x) {
    return std::sin(x);
}
double libraryAtan2(double y, double x) {
    return std::atan2(y, x);
}

BENCHMARK(oneArgument<glintwake::maths::sin>)->Name("BM_PortableSin");
BENCHMARK(oneArgument<librarySin>)->Name("BM_LibrarySin");
BENCHMARK(twoArguments<glintwake::maths::atan2>)->Name("BM_PortableAtan2");
BENCHMARK(twoArguments<libraryAtan2>)->Name("BM_LibraryAtan2");

}  // namespace
