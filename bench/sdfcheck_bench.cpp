// The whole-file check made when the catalogue is opened, on the sample catalogue, against the
// plainest pass over the same file: reading all of it into memory once. The check reads every
// table once and walks each of its indexes comparing neighbouring keys, some tens of passes over
// the bytes: it should cost at most a hundred reads of the file.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/BenchRatio.h"
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

const CBenchRatio kCheck("catalogue check / whole-file read", "BM_CheckSampleCatalogue", "BM_ReadWholeFile", 100.0);

}  // namespace
