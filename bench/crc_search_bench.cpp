// The CRC parameter search over 4 captured frames of 12 to 40 bytes: the full
// CRC-16 search (every odd polynomial, all reflections, both byte orders) with
// its cost per polynomial, the search of both widths, and the single-frame
// search in which every polynomial fits.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/crc_search.h"

namespace {

using orvane::CrcSearchRequest;

// Frames with a CRC-16/MODBUS at the end (low byte first), fixed pseudo-random data.
std::vector<std::vector<uint8_t>> ModbusFrames(std::vector<size_t> lengths) {
    const orvane::CrcParams modbus{16, 0x8005, 0xFFFF, true, true, 0x0000};
    uint32_t x = 0x2468ACE1u;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t len : lengths) {
        std::vector<uint8_t> f(len - 2);
        for (auto& b : f) {
            x ^= x << 13;  // xorshift32
            x ^= x >> 17;
            x ^= x << 5;
            b = uint8_t(x);
        }
        const uint16_t crc = orvane::CrcBitwise(modbus, f);
        f.push_back(uint8_t(crc));
        f.push_back(uint8_t(crc >> 8));
        frames.push_back(f);
    }
    return frames;
}

void Run(benchmark::State& state, const CrcSearchRequest& request, double polynomials) {
    for (auto _ : state) {
        auto result = orvane::SearchCrcModels(request);
        benchmark::DoNotOptimize(result);
    }
    // Time per polynomial, shown in seconds.
    state.counters["per_poly"] = benchmark::Counter(
        polynomials, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_CrcSearch16_FourFrames(benchmark::State& state) {
    CrcSearchRequest request;
    request.frames = ModbusFrames({12, 20, 31, 40});
    request.width8 = false;
    Run(state, request, 32768);
}
BENCHMARK(BM_CrcSearch16_FourFrames)->Unit(benchmark::kMillisecond);

void BM_CrcSearchBothWidths_FourFrames(benchmark::State& state) {
    CrcSearchRequest request;
    request.frames = ModbusFrames({12, 20, 31, 40});
    Run(state, request, 32768 + 128);
}
BENCHMARK(BM_CrcSearchBothWidths_FourFrames)->Unit(benchmark::kMillisecond);

void BM_CrcSearchBothWidths_OneFrame(benchmark::State& state) {
    CrcSearchRequest request;
    request.frames = ModbusFrames({24});
    Run(state, request, 32768 + 128);
}
BENCHMARK(BM_CrcSearchBothWidths_OneFrame)->Unit(benchmark::kMillisecond);

}  // namespace
