// Key search of a record object on a 10,000-row table kept in memory (Find and SeekGE, with the
// record unpacked), against std::lower_bound over the same packed keys in a plain array with the
// same key comparison. The record object adds the positions-array indirection and the unpacking.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <unistd.h>

#include "productdata/TableWriter.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Sdfkey.h"
#include "productdb/txrecobj.h"

namespace {

constexpr int kRows = 10000;

// Two longs as key (index 1) and a float, like the joining spacings.
class CBenchRec : public CTXRecObj
{
public:
  CBenchRec() : CTXRecObj("~BENCH") {}
  int a = 0;
  int b = 0;
  double value = 0;

protected:
  void UnpackRecord() override
  {
    a = ReadLong(1);
    b = ReadLong(5);
    value = ReadFloat(9);
  }
  void PackKey() override
  {
    ClearKeyBuffer();
    if (GetCurrentIndex() == 1) {
      PutKeyLong(a, 1);
      PutKeyLong(b, 5);
    }
  }
};

using Key = std::array<BYTE, 8>;

struct Fixture
{
  std::vector<Key> sortedKeys;
  std::vector<std::pair<int, int>> present;  // keys in the table, in random order
  std::vector<std::pair<int, int>> absent;   // keys between those of the table
  CSdfIndexDef index;

  Fixture()
  {
    std::string folder = (std::filesystem::temp_directory_path() / ("productdb-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder);
    SdfTableLayout layout;
    layout.name = "BENCH";
    layout.recordLength = 12;
    layout.fields = {{"A", SdfFieldKind::Long, 1, 4}, {"B", SdfFieldKind::Long, 5, 4}, {"V", SdfFieldKind::Float, 9, 4}};
    layout.indexes = {{"AB", {layout.KeyPartOf("A"), layout.KeyPartOf("B")}}};
    CTableWriter writer;
    int t = writer.AddTable(layout);
    std::mt19937 random(7);
    std::vector<int> order(kRows);
    for (int i = 0; i < kRows; ++i)
      order[static_cast<size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), random);  // records stored out of key order
    for (int i : order)
      writer.AddRow(t, CSdfRow().SetInt("A", i / 100).SetInt("B", (i % 100) * 2).SetReal("V", i * 0.5));
    writer.WriteFile(CString(folder.c_str()) + "/TXDB.SDF");
    CTXRecObj::SetDatabaseDirectory(folder.c_str());
    for (int i = 0; i < kRows; ++i) {
      Key key;
      SdfStoreU32(key.data(), static_cast<DWORD>(i / 100));
      SdfStoreU32(key.data() + 4, static_cast<DWORD>((i % 100) * 2));
      sortedKeys.push_back(key);
      present.push_back({i / 100, (i % 100) * 2});
      absent.push_back({i / 100, (i % 100) * 2 + 1});
    }
    std::shuffle(present.begin(), present.end(), random);
    std::shuffle(absent.begin(), absent.end(), random);
    // The same two parts, addressed in the packed key instead of the record.
    index.keyPartCount = 2;
    index.keyParts[0] = {sdfKeyLong, 0, 4};
    index.keyParts[1] = {sdfKeyLong, 4, 4};
    index.keyLength = 8;
  }
};

Fixture& TheFixture()
{
  static Fixture fixture;
  return fixture;
}

void BM_RecObjFind(benchmark::State& state)
{
  Fixture& f = TheFixture();
  CBenchRec rec;
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = f.present[i++ % f.present.size()];
    rec.a = a;
    rec.b = b;
    benchmark::DoNotOptimize(rec.Find(1));
    benchmark::DoNotOptimize(rec.value);
  }
}

void BM_RecObjSeekGE(benchmark::State& state)
{
  Fixture& f = TheFixture();
  CBenchRec rec;
  BOOL atEnd = FALSE;
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = f.absent[i++ % f.absent.size()];
    rec.a = a;
    rec.b = b;
    benchmark::DoNotOptimize(rec.SeekGE(1, &atEnd));
    benchmark::DoNotOptimize(rec.value);
  }
}

// The baseline: the packed keys themselves, sorted in one array, searched with the same order.
void LowerBound(benchmark::State& state, const std::vector<std::pair<int, int>>& queries)
{
  Fixture& f = TheFixture();
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = queries[i++ % queries.size()];
    Key key;
    SdfStoreU32(key.data(), static_cast<DWORD>(a));
    SdfStoreU32(key.data() + 4, static_cast<DWORD>(b));
    auto it = std::lower_bound(f.sortedKeys.begin(), f.sortedKeys.end(), key, [&](const Key& entry, const Key& k) {
      return CompareRecordWithKey(f.index, entry.data(), k.data()) < 0;
    });
    benchmark::DoNotOptimize(it);
  }
}

void BM_LowerBoundPresent(benchmark::State& state) { LowerBound(state, TheFixture().present); }
void BM_LowerBoundAbsent(benchmark::State& state) { LowerBound(state, TheFixture().absent); }

}  // namespace

BENCHMARK(BM_RecObjFind);
BENCHMARK(BM_LowerBoundPresent);
BENCHMARK(BM_RecObjSeekGE);
BENCHMARK(BM_LowerBoundAbsent);
