#include "DbTestUtil.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "productdb/Recobj.h"
#include "productdb/txrecobj.h"

namespace {

using K = SdfFieldKind;

SdfFieldLayout F(K kind, int offset, int width = 0)
{
  return Field(CString::Formatted("F%d", offset), kind, offset, width);
}

std::vector<SdfFieldLayout> Floats(int first, int count)
{
  std::vector<SdfFieldLayout> fields;
  for (int i = 0; i < count; ++i)
    fields.push_back(F(K::Float, first + 4 * i));
  return fields;
}

template <class... T>
std::vector<SdfFieldLayout> Join(std::vector<SdfFieldLayout> a, const T&... rest)
{
  (a.insert(a.end(), rest.begin(), rest.end()), ...);
  return a;
}

using Indexes = std::vector<std::vector<const char*>>;

std::map<std::string, SdfTableLayout> MakeProductLayouts()
{
  std::map<std::string, SdfTableLayout> m;
  auto add = [&](const char* name, int length, std::vector<SdfFieldLayout> fields, const Indexes& indexes) {
    m[name] = MakeLayout(name, length, std::move(fields), indexes);
  };
  add("TYPES", 53, {F(K::Text, 1, 2), F(K::Text, 3, 35), F(K::Text, 38, 15), F(K::Text, 53, 1)}, {{"F1"}});
  add("SUBTYPES", 69,
      {F(K::Text, 1, 2), F(K::Text, 3, 5), F(K::Text, 8, 35), F(K::Text, 43, 15), F(K::Logical, 58), F(K::Logical, 60),
       F(K::Logical, 62), F(K::Float, 64), F(K::Short, 68)},
      {{"F1", "F3"}, {"F1", "F68"}});
  add("STDSIZES", 53,
      Join({F(K::Text, 1, 2), F(K::Text, 3, 5), F(K::Text, 8, 12), F(K::Float, 20), F(K::Float, 24), F(K::Short, 28)},
           Floats(30, 4), Floats(46, 2)),
      {{"F1", "F3", "F8"},
       {"F1", "F3", "F20", "F24"},
       {"F1", "F3", "F24", "F20"},
       {"F1", "F3", "F50", "F46", "F24"},
       {"F1", "F3", "F24", "F50", "F46"},
       {"F1", "F3", "F46", "F24", "F50"},
       {"F1", "F3", "F50", "F24", "F46"},
       {"F1", "F3", "F24", "F46", "F50"}});
  add("OPERS", 26, {F(K::Text, 1, 4), F(K::Text, 5, 22)}, {{"F1"}});
  add("OPERCHOI", 39, Join({F(K::Text, 1, 2), F(K::Text, 3, 5), F(K::Text, 8, 12), F(K::Text, 20, 4)}, Floats(24, 4)),
      {{"F1", "F3", "F8", "F20"}});
  add("OPTCATS", 44,
      {F(K::Long, 1), F(K::Text, 5, 18), F(K::Text, 23, 10), F(K::Long, 33), F(K::Logical, 37), F(K::Logical, 39),
       F(K::Logical, 41), F(K::Logical, 43)},
      {{"F1"}, {"F43", "F1"}});
  add("OPTCHOIC", 58, {F(K::Long, 1), F(K::Long, 5), F(K::Text, 9, 35), F(K::Text, 44, 15)}, {{"F1", "F5"}});
  add("OPTTABLE", 20,
      {F(K::Text, 1, 2), F(K::Text, 3, 5), F(K::Long, 8), F(K::Long, 12), F(K::Text, 16, 1), F(K::Logical, 17),
       F(K::Logical, 19)},
      {{"F1", "F3", "F8", "F12"}});
  add("OPTEXCPT", 48,
      {F(K::Long, 1), F(K::Text, 5, 2), F(K::Text, 7, 5), F(K::Text, 12, 12), F(K::Text, 24, 4), F(K::Long, 28),
       F(K::Long, 32), F(K::Text, 36, 1), F(K::Long, 37), F(K::Long, 41), F(K::Long, 45)},
      {{"F1"}, {"F5", "F7", "F37", "F36", "F41", "F1"}});
  add("JOINING", 31, {F(K::Long, 1), F(K::Text, 5, 2), F(K::Text, 7, 25)}, {{"F1"}});
  add("JOINTBL", 18, {F(K::Long, 1), F(K::Long, 5), F(K::Long, 9), F(K::Long, 13), F(K::Logical, 17)},
      {{"F1", "F5", "F9"}, {"F1", "F9", "F5"}, {"F5", "F9", "F1"}, {"F9", "F5", "F1"}});
  add("JOINSPAC", 12, {F(K::Long, 1), F(K::Long, 5), F(K::Float, 9)}, {{"F1", "F5"}, {"F5", "F9"}});
  add("JOINSPCX", 20, {F(K::Long, 1), F(K::Long, 5), F(K::Long, 9), F(K::Long, 13), F(K::Float, 17)},
      {{"F1", "F5", "F9", "F13"}, {"F5", "F17"}});
  add("JOINOPTX", 20, {F(K::Long, 1), F(K::Long, 5), F(K::Long, 9), F(K::Long, 13), F(K::Long, 17)},
      {{"F1", "F5", "F9", "F13", "F17"}});
  add("COMPONET", 63, {F(K::Long, 1), F(K::Text, 5, 50), F(K::Text, 55, 1), F(K::Float, 56), F(K::Float, 60)},
      {{"F1"}});
  add("COMPSETS", 48,
      {F(K::Long, 1), F(K::Long, 5), F(K::Double, 9), F(K::Double, 17), F(K::Logical, 25), F(K::Float, 27),
       F(K::Short, 31), F(K::Long, 33), F(K::Long, 37), F(K::Long, 41), F(K::Long, 45)},
      {{"F1", "F5", "F9", "F17", "F25", "F27", "F31"}});
  std::vector<SdfFieldLayout> entities = {F(K::Long, 1), F(K::Text, 5, 1), F(K::Text, 6, 8), F(K::Short, 14),
                                          F(K::Short, 16)};
  for (int offset = 18; offset <= 82; offset += 8)
    entities.push_back(F(K::Double, offset));
  add("ENTITIES", 89, entities, {{"F1", "F6"}});
  add("ELEMCOMP", 13, {F(K::Text, 1, 2), F(K::Text, 3, 5), F(K::Text, 8, 2), F(K::Long, 10)}, {{"F1", "F3", "F8"}});
  add("ELEVLINE", 10, {F(K::Long, 1), F(K::Short, 5), F(K::Float, 7)}, {{"F1", "F5", "F7"}});
  add("GRILHDRS", 27, {F(K::Long, 1), F(K::Text, 5, 2), F(K::Text, 7, 5), F(K::Text, 12, 12), F(K::Long, 24)},
      {{"F1"}, {"F5", "F7", "F12", "F24"}});
  add("GRILPROP", 9, {F(K::Long, 1), F(K::Text, 5, 1), F(K::Float, 6)}, {{"F1", "F5", "F6"}});
  add("ARLIMITS", 24, Floats(1, 6), {{"F1"}});
  add("VGLIMITS", 60, Floats(1, 15), {{"F1"}});
  add("DBVER", 46, {F(K::Text, 1, 20), F(K::Text, 21, 20), F(K::Date, 41)}, {{"F1", "F21"}});
  return m;
}

}  // namespace

SdfFieldLayout Field(const char* name, SdfFieldKind kind, int offset, int width)
{
  return {name, kind, offset, width ? width : SdfFieldWidth(kind)};
}

SdfTableLayout MakeLayout(const char* name, int recordLength, std::vector<SdfFieldLayout> fields,
                          const std::vector<std::vector<const char*>>& indexes)
{
  SdfTableLayout layout;
  layout.name = name;
  layout.recordLength = recordLength;
  layout.fields = std::move(fields);
  for (size_t i = 0; i < indexes.size(); ++i) {
    SdfIndexLayout index;
    index.name = CString::Formatted("I%d", static_cast<int>(i) + 1);
    for (const char* field : indexes[i])
      index.parts.push_back(layout.KeyPartOf(field));
    layout.indexes.push_back(index);
  }
  return layout;
}

SdfTableLayout ProductTableLayout(const std::string& table)
{
  static const std::map<std::string, SdfTableLayout> layouts = MakeProductLayouts();
  auto it = layouts.find(table);
  if (it == layouts.end())
    throw std::invalid_argument("no layout for table " + table);
  return it->second;
}

CTempFolder::CTempFolder()
{
  std::string pattern = (std::filesystem::temp_directory_path() / "productdb-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a temporary folder");
  m_path = pattern;
}

CTempFolder::~CTempFolder()
{
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::string CTempFolder::WriteFile(const std::string& name, const std::vector<BYTE>& bytes) const
{
  std::string path = m_path + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void DbTest::SetUp()
{
  ASSERT_TRUE(CRecObj::ResetRegistries());
  CTXRecObj::SetDatabaseDirectory(m_folder.Path().c_str());
}

void DbTest::TearDown() { EXPECT_TRUE(CRecObj::ResetRegistries()); }

void DbTest::UseDatabase(const CTableWriter& writer) { writer.WriteFile(CString(DatabasePath())); }

void DbTest::UseBytes(const std::vector<BYTE>& bytes) { m_folder.WriteFile("TXDB.SDF", bytes); }

int AddProductTable(CTableWriter& writer, const std::string& table, const std::vector<TextRow>& rows)
{
  int t = writer.AddTable(ProductTableLayout(table));
  for (const TextRow& row : rows) {
    CSdfRow values;
    for (const auto& [field, text] : row)
      values.Set(field, text);
    writer.AddRow(t, values);
  }
  return t;
}
