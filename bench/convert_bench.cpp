#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "core/Convert.h"

namespace {

// Plain decimal texts that std::from_chars reads too: the fair comparison.
constexpr std::array<std::string_view, 8> kPlain = {"5", "123", "-2147483648", "2147483647",
                                                    "86399", "235959", "0", "-42"};

// What the setup dialogs may really pass: blanks, '+', hexadecimal.
constexpr std::array<std::string_view, 8> kMixed = {"5", "  123", "-2147483648", "2147483647",
                                                    "86399", "235959", "+42", "$FF"};

// One call per iteration, cycling through the set, so the reported time is the time per call.
template <const auto& Inputs>
void BM_TextToInteger(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextToInteger(Inputs[i++ % Inputs.size()]));
    }
}

void BM_FromChars(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string_view text = kPlain[i++ % kPlain.size()];
        std::int32_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        // Same work as TextToInteger: the whole text must be a number.
        const bool ok = error == std::errc() && end == text.data() + text.size();
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(ok);
    }
}

BENCHMARK_TEMPLATE(BM_TextToInteger, kPlain)->Name("TextToInteger/plain");
BENCHMARK(BM_FromChars)->Name("from_chars/plain");
BENCHMARK_TEMPLATE(BM_TextToInteger, kMixed)->Name("TextToInteger/mixed");

} // namespace
