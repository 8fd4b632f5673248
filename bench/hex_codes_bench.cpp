// The hex code reader alone, on 16 MiB of hex text in memory: pairs with blanks, glued pairs and "0x" codes.
#include "hexfile/hex_codes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::string hexText(std::size_t size, bool withPrefixes)
{
    std::mt19937 random(11);
    std::string text;
    char code[8];
    while (text.size() < size) {
        const int codesInLine = 8 + static_cast<int>(random() % 33);
        for (int i = 0; i < codesInLine; ++i) {
            const unsigned value = random() % 256;
            const unsigned form = random() % 4;
            if (form == 0 && withPrefixes)
                std::snprintf(code, sizeof code, "0x%02X ", value);
            else if (form == 1)
                std::snprintf(code, sizeof code, "%02x", value);
            else
                std::snprintf(code, sizeof code, "%02X ", value);
            text += code;
        }
        text += "\r\n";
    }
    return text;
}

void readCodes(benchmark::State& state, bool withPrefixes)
{
    const std::string text = hexText(std::size_t{16} << 20, withPrefixes);
    constexpr std::size_t piece = std::size_t{1} << 18;
    std::vector<std::uint8_t> out(piece);
    for (auto _ : state) {
        quirlwerk::hexfile::HexCodeReader reader;
        std::size_t bytes = 0;
        for (std::size_t at = 0; at < text.size(); at += piece) {
            const std::size_t size = std::min(piece, text.size() - at);
            bytes += reader.read({reinterpret_cast<const std::uint8_t*>(text.data()) + at, size}, out.data());
        }
        bytes += reader.finish(out.data());
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_MixedCodes(benchmark::State& state) { readCodes(state, true); }
void BM_PairsOnly(benchmark::State& state) { readCodes(state, false); }

} // namespace

BENCHMARK(BM_MixedCodes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairsOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
