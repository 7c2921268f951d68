// Key search of record objects (Find and SeekGE, with the record unpacked) on tables of 100,
// 1,000 and 10,000 rows kept in memory, each against std::lower_bound over the same packed keys
// in a plain array with the same key comparison; and the 10,000-row search on a table too large
// to be kept in memory, served from the file through the page cache. The record object adds
// the positions-array indirection and the unpacking.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unistd.h>

#include "productdata/TableWriter.h"
#include "productdb/Sdfbytes.h"
#include "productdb/Sdfdef.h"
#include "productdb/Sdfkey.h"
#include "productdb/Recobj.h"

namespace {

constexpr int kSizes[] = {100, 1000, 10000};
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
struct Keys
{
  std::vector<Key> sorted;
  std::vector<Query> present;  // keys in the table
  std::vector<Query> absent;   // keys between those of the table
  CSdfIndexDef index;

  explicit Keys(int rows)
  {
    std::mt19937 random(11);
    for (int i = 0; i < rows; ++i) {
      auto [a, b] = KeyOfRow(i);
      Key key;
      SdfStoreU32(key.data(), static_cast<DWORD>(a));
      SdfStoreU32(key.data() + 4, static_cast<DWORD>(b));
      sorted.push_back(key);
      present.push_back({a, b});
      absent.push_back({a, b + 1});
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

// The baseline: the packed keys themselves, sorted in one array, searched with the same order.
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
    auto it = std::lower_bound(keys.sorted.begin(), keys.sorted.end(), key, [&](const Key& entry, const Key& k) {
      return CompareRecordWithKey(keys.index, entry.data(), k.data()) < 0;
    });
    benchmark::DoNotOptimize(it);
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
