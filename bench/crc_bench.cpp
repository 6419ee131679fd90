// Throughput of the CRC/LRC routines over hexadecimal byte text, the form the
// field table and the CRC page hand them. Rates are in bytes of text per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/crc.h"

namespace {

// 1 MiB of pseudo-random data bytes written as "1B 24 43 ... " (two digits and a
// blank per byte), so the text itself is 3 MiB.
const std::string& HexText1MiB() {
    static const std::string text = [] {
        static const char kHex[] = "0123456789ABCDEF";
        std::string t;
        t.reserve(3u << 20);
        uint32_t x = 0x12345678u;
        for (int i = 0; i < (1 << 20); ++i) {
            x ^= x << 13;  // xorshift32
            x ^= x >> 17;
            x ^= x << 5;
            t += kHex[(x >> 4) & 15];
            t += kHex[x & 15];
            t += ' ';
        }
        return t;
    }();
    return text;
}

void BM_RunCRC16_all_type_1MiB(benchmark::State& state) {
    const std::string& text = HexText1MiB();
    std::string result;
    for (auto _ : state) {
        orvane::RunCRC16_all_type(text, result, 0xFFFF, 0x0000, 0x8005, true, true);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_RunCRC16_all_type_1MiB);

void BM_RunCRC8_all_type_1MiB(benchmark::State& state) {
    const std::string& text = HexText1MiB();
    std::string result;
    for (auto _ : state) {
        orvane::RunCRC8_all_type(text, result, 0x00, 0x00, 0x07, false, false);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_RunCRC8_all_type_1MiB);

void BM_RunLRC_1MiB(benchmark::State& state) {
    const std::string& text = HexText1MiB();
    std::string result;
    for (auto _ : state) {
        orvane::RunLRC(text, result);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_RunLRC_1MiB);

}  // namespace
