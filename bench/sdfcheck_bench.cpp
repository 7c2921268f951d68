// The whole-file check made when the catalogue is opened, on the sample catalogue, against the
// plainest pass over the same file: reading all of it into memory once.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/core/File.h"
#include "productdb/Sdfcheck.h"

namespace {

void BM_ReadWholeFile(benchmark::State& state)
{
  for (auto _ : state) {
    CFile file(PANECRAFT_SAMPLE_TXDB, CFile::modeRead);
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    benchmark::DoNotOptimize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
  }
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMicrosecond);

void BM_CheckSampleCatalogue(benchmark::State& state)
{
  for (auto _ : state) {
    CFile file(PANECRAFT_SAMPLE_TXDB, CFile::modeRead);
    CheckSdfFile(file);
  }
}
BENCHMARK(BM_CheckSampleCatalogue)->Unit(benchmark::kMicrosecond);

}  // namespace
