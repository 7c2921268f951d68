// Key search of record objects (Find and SeekGE, with the record unpacked) on tables of 100,
// 1,000, 10,000 and 100,000 rows kept in memory, each against std::lower_bound over the same
// packed keys in a plain sorted array, compared the cheapest correct way a user of such an array
// would write: the two signed longs read from the packed bytes and compared as a pair. And the
// 10,000-row search on a table too large to be kept in memory, served from the file through the
// page cache. The record object adds the key packing, the positions-array indirection and the
// unpacking of the record found; its Find and SeekGE should run at least half as fast as the
// plain search at every size in memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unistd.h>

#include "bench/BenchRatio.h"
#include "productdata/TableWriter.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Recobj.h"

namespace {

constexpr int kSizes[] = {100, 1000, 10000, 100000};
constexpr int kFileRows = 10000;

using Key = std::array<BYTE, 8>;
using Query = std::pair<int, int>;

Query KeyOfRow(int i) { return {i / 100, (i % 100) * 2}; }

// A table of n rows kept in memory is "Tn", one read from the file "Fn".
CString TableName(int rows, bool inMemory) { return CString::Formatted(inMemory ? "T%d" : "F%d", rows); }

// A leading "~" keeps the table in memory whatever its size.
CString OpenName(int rows, bool inMemory) { return (inMemory ? CString("~") : CString()) + TableName(rows, inMemory); }

SdfTableLayout Layout(const CString& name)
{
  SdfTableLayout layout;
  layout.name = name.c_str();
  layout.recordLength = 12;
  layout.fields = {{"A", SdfFieldKind::Long, 1, 4}, {"B", SdfFieldKind::Long, 5, 4}, {"V", SdfFieldKind::Float, 9, 4}};
  layout.indexes = {{"AB", {layout.KeyPartOf("A"), layout.KeyPartOf("B")}}};
  return layout;
}

// The benchmark's database file, in a folder of its own that goes at exit.
struct Database
{
  std::filesystem::path folder;
  CString path;

  Database()
  {
    folder = std::filesystem::temp_directory_path() / ("productdb-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    path = CString((folder / "TXDB.SDF").string().c_str());
    CTableWriter writer;
    std::mt19937 random(7);
    auto addTable = [&](int rows, bool inMemory) {
      int t = writer.AddTable(Layout(TableName(rows, inMemory)));
      std::vector<int> order(static_cast<size_t>(rows));
      for (int i = 0; i < rows; ++i)
        order[static_cast<size_t>(i)] = i;
      std::shuffle(order.begin(), order.end(), random);  // records stored out of key order
      for (int i : order) {
        auto [a, b] = KeyOfRow(i);
        writer.AddRow(t, CSdfRow().SetInt("A", a).SetInt("B", b).SetReal("V", i * 0.5));
      }
    };
    for (int rows : kSizes)
      addTable(rows, true);
    addTable(kFileRows, false);
    writer.WriteFile(path);
  }
  ~Database()
  {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

Database& TheDatabase()
{
  static Database database;
  return database;
}

// Two longs as key (index 1) and a float, like the joining spacings.
class CBenchRec : public CRecObj
{
public:
  explicit CBenchRec(const CString& table) : CRecObj(TheDatabase().path, table) {}
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

// The keys of a table of n rows: sorted and packed, and as queries in random order.
// The queries are drawn at random, at least 65,536 of them: a sequence that repeated every few
// hundred searches would let the branch predictor learn the baseline's branches by heart.
constexpr size_t kMinQueries = 65536;

struct Keys
{
  std::vector<Key> sorted;
  std::vector<Query> present;  // keys in the table
  std::vector<Query> absent;   // keys between those of the table

  explicit Keys(int rows)
  {
    std::mt19937 random(11);
    for (int i = 0; i < rows; ++i) {
      auto [a, b] = KeyOfRow(i);
      Key key;
      SdfStoreU32(key.data(), static_cast<DWORD>(a));
      SdfStoreU32(key.data() + 4, static_cast<DWORD>(b));
      sorted.push_back(key);
    }
    std::uniform_int_distribution<int> row(0, rows - 1);
    for (size_t q = 0; q < std::max<size_t>(kMinQueries, static_cast<size_t>(rows)); ++q) {
      auto [a, b] = KeyOfRow(row(random));
      present.push_back({a, b});
      auto [c, d] = KeyOfRow(row(random));
      absent.push_back({c, d + 1});
    }
  }
};

const Keys& KeysOf(int rows)
{
  static std::map<int, Keys> keys;
  return keys.try_emplace(rows, rows).first->second;
}

void Find(benchmark::State& state, bool inMemory)
{
  const int rows = static_cast<int>(state.range(0));
  const Keys& keys = KeysOf(rows);
  CBenchRec rec(OpenName(rows, inMemory));
  if (rec.IsTableCached() != (inMemory ? TRUE : FALSE))
    state.SkipWithError("table not kept as intended");
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = keys.present[i++ % keys.present.size()];
    rec.a = a;
    rec.b = b;
    benchmark::DoNotOptimize(rec.Find(1));
    benchmark::DoNotOptimize(rec.value);
  }
}

void SeekGE(benchmark::State& state, bool inMemory)
{
  const int rows = static_cast<int>(state.range(0));
  const Keys& keys = KeysOf(rows);
  CBenchRec rec(OpenName(rows, inMemory));
  BOOL atEnd = FALSE;
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = keys.absent[i++ % keys.absent.size()];
    rec.a = a;
    rec.b = b;
    benchmark::DoNotOptimize(rec.SeekGE(1, &atEnd));
    benchmark::DoNotOptimize(rec.value);
  }
}

// The packed key's two parts as signed numbers, as stored (little-endian).
std::pair<int, int> PartsOf(const Key& key)
{
  return {static_cast<int>(SdfLoadU32(key.data())), static_cast<int>(SdfLoadU32(key.data() + 4))};
}

// The baseline: the packed keys themselves, sorted in one array, searched in the index's order.
// A search for a present key also tells whether it found it, as Find does.
void LowerBound(benchmark::State& state, bool present)
{
  const Keys& keys = KeysOf(static_cast<int>(state.range(0)));
  const std::vector<Query>& queries = present ? keys.present : keys.absent;
  size_t i = 0;
  for (auto _ : state) {
    const auto& [a, b] = queries[i++ % queries.size()];
    Key key;
    SdfStoreU32(key.data(), static_cast<DWORD>(a));
    SdfStoreU32(key.data() + 4, static_cast<DWORD>(b));
    auto it = std::lower_bound(keys.sorted.begin(), keys.sorted.end(), key,
                               [](const Key& entry, const Key& k) { return PartsOf(entry) < PartsOf(k); });
    bool found = it != keys.sorted.end() && PartsOf(*it) == PartsOf(key);
    benchmark::DoNotOptimize(it);
    benchmark::DoNotOptimize(found);
  }
}

void BM_RecObjFind(benchmark::State& state) { Find(state, true); }
void BM_LowerBoundPresent(benchmark::State& state) { LowerBound(state, true); }
void BM_RecObjSeekGE(benchmark::State& state) { SeekGE(state, true); }
void BM_LowerBoundAbsent(benchmark::State& state) { LowerBound(state, false); }
void BM_RecObjFindFromFile(benchmark::State& state) { Find(state, false); }
void BM_RecObjSeekGEFromFile(benchmark::State& state) { SeekGE(state, false); }

void Sizes(benchmark::internal::Benchmark* b)
{
  for (int rows : kSizes)
    b->Arg(rows);
}

}  // namespace

BENCHMARK(BM_RecObjFind)->Apply(Sizes);
BENCHMARK(BM_LowerBoundPresent)->Apply(Sizes);
BENCHMARK(BM_RecObjSeekGE)->Apply(Sizes);
BENCHMARK(BM_LowerBoundAbsent)->Apply(Sizes);
BENCHMARK(BM_RecObjFindFromFile)->Arg(kFileRows);
BENCHMARK(BM_RecObjSeekGEFromFile)->Arg(kFileRows);

namespace {
// Speed of the record object relative to the plain search: at least half.
const CBenchRatio kFind100("Find speed / lower_bound, 100", "BM_LowerBoundPresent/100", "BM_RecObjFind/100", 0.5,
                           CBenchRatio::atLeast);
const CBenchRatio kFind1k("Find speed / lower_bound, 1k", "BM_LowerBoundPresent/1000", "BM_RecObjFind/1000", 0.5,
                          CBenchRatio::atLeast);
const CBenchRatio kFind10k("Find speed / lower_bound, 10k", "BM_LowerBoundPresent/10000", "BM_RecObjFind/10000", 0.5,
                           CBenchRatio::atLeast);
const CBenchRatio kFind100k("Find speed / lower_bound, 100k", "BM_LowerBoundPresent/100000", "BM_RecObjFind/100000",
                            0.5, CBenchRatio::atLeast);
const CBenchRatio kSeek100("SeekGE speed / lower_bound, 100", "BM_LowerBoundAbsent/100", "BM_RecObjSeekGE/100", 0.5,
                           CBenchRatio::atLeast);
const CBenchRatio kSeek1k("SeekGE speed / lower_bound, 1k", "BM_LowerBoundAbsent/1000", "BM_RecObjSeekGE/1000", 0.5,
                          CBenchRatio::atLeast);
const CBenchRatio kSeek10k("SeekGE speed / lower_bound, 10k", "BM_LowerBoundAbsent/10000", "BM_RecObjSeekGE/10000", 0.5,
                           CBenchRatio::atLeast);
const CBenchRatio kSeek100k("SeekGE speed / lower_bound, 100k", "BM_LowerBoundAbsent/100000", "BM_RecObjSeekGE/100000",
                            0.5, CBenchRatio::atLeast);
}  // namespace
