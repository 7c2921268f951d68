// CRC-32 throughput of CChecksum beside zlib's crc32 on the same 1 MiB buffer: CChecksum should
// take at most zlib's time.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <vector>

#include "bench/BenchRatio.h"
#include "support/Checksum.h"

namespace {

const std::vector<unsigned char>& Buffer()
{
  static const std::vector<unsigned char> buffer = [] {
    std::vector<unsigned char> b(1 << 20);
    unsigned x = 12345;
    for (auto& c : b) {
      x = x * 1103515245u + 12345u;
      c = static_cast<unsigned char>(x >> 16);
    }
    return b;
  }();
  return buffer;
}

void BM_CChecksum(benchmark::State& state)
{
  const auto& b = Buffer();
  for (auto _ : state) {
    CChecksum crc(b.data(), static_cast<int>(b.size()));
    benchmark::DoNotOptimize(crc.GetValue());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(b.size()));
}

void BM_ZlibCrc32(benchmark::State& state)
{
  const auto& b = Buffer();
  for (auto _ : state) {
    uLong crc = crc32(0L, b.data(), static_cast<uInt>(b.size()));
    benchmark::DoNotOptimize(crc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(b.size()));
}

const CBenchRatio kChecksum("CChecksum / zlib crc32, 1 MiB", "BM_CChecksum", "BM_ZlibCrc32", 1.0);

}  // namespace

BENCHMARK(BM_ZlibCrc32);
BENCHMARK(BM_CChecksum);
