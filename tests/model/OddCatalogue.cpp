#include "OddCatalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "productdata/Catalog.h"
#include "productdb/txrecobj.h"

COddCatalogue::COddCatalogue()
{
  const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
  if (!source)
    throw std::runtime_error("PANECRAFT_SOURCE_DIR is not set");
  CCatalogue::Load((std::string(source) + "/productdata/catalogue").c_str()).AddTo(m_writer);
  std::string pattern = (std::filesystem::temp_directory_path() / "model_tests_XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("no temporary folder");
  m_folder = pattern;
}

COddCatalogue::~COddCatalogue()
{
  std::error_code ignored;
  std::filesystem::remove_all(m_folder, ignored);
}

void COddCatalogue::AddRow(const char* table, const std::vector<const char*>& values)
{
  for (int t = 0; t < m_writer.GetTableCount(); ++t) {
    const SdfTableLayout& layout = m_writer.GetLayout(t);
    if (layout.name != table)
      continue;
    ASSERT_EQ(values.size(), layout.fields.size()) << table;
    CSdfRow row;
    for (size_t f = 0; f < values.size(); ++f)
      row.Set(layout.fields[f].name, values[f]);
    m_writer.AddRow(t, row);
    return;
  }
  FAIL() << "no table " << table;
}

void COddCatalogue::Use()
{
  ASSERT_TRUE(CRecObj::ResetRegistries());
  m_writer.WriteFile((m_folder + "/TXDB.SDF").c_str());
  CTXRecObj::SetDatabaseDirectory((m_folder + "/").c_str());
}
