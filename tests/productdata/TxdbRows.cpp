#include "productdata/TxdbRows.h"

#include <cstring>
#include <stdexcept>

#include "productdata/Catalog.h"
#include "productdata/Layfile.h"

const std::uint8_t* CTxdbRows::At(size_t row, const char* field, SdfFieldKind kind) const
{
  const SdfFieldLayout* layout = m_layout.FindField(field);
  if (!layout)
    throw std::runtime_error(m_table->name + " has no field " + field);
  bool sameKind = layout->kind == kind || (kind == SdfFieldKind::Long && layout->kind == SdfFieldKind::Short) ||
                  (kind == SdfFieldKind::Double && layout->kind == SdfFieldKind::Float);
  if (!sameKind)
    throw std::runtime_error(m_table->name + "." + field + " is read as the wrong kind");
  return m_table->records.at(row).data() + layout->offset - 1;
}

std::string CTxdbRows::Text(size_t row, const char* field) const
{
  const std::uint8_t* p = At(row, field, SdfFieldKind::Text);
  int width = m_layout.FindField(field)->width;
  std::string text(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), width));
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20)
    text.pop_back();
  return text;
}

long long CTxdbRows::Int(size_t row, const char* field) const
{
  const std::uint8_t* p = At(row, field, SdfFieldKind::Long);
  if (m_layout.FindField(field)->kind == SdfFieldKind::Short) {
    std::int16_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
  }
  std::int32_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

double CTxdbRows::Real(size_t row, const char* field) const
{
  const std::uint8_t* p = At(row, field, SdfFieldKind::Double);
  if (m_layout.FindField(field)->kind == SdfFieldKind::Float) {
    float value;
    std::memcpy(&value, p, sizeof value);
    return value;
  }
  double value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

bool CTxdbRows::Logical(size_t row, const char* field) const
{
  const std::uint8_t* p = At(row, field, SdfFieldKind::Logical);
  return (p[0] | p[1]) != 0;
}

CTxdbDatabase::CTxdbDatabase() : m_tables(ReadTxdbFile(GeneratedTxdbPath()))
{
  std::vector<SdfTableLayout> layouts =
      CLayoutFile::Load(CString(CatalogueFolder()) + "/" + CCatalogue::kLayoutFileName);
  for (const SdfTableLayout& layout : layouts)
    for (const TxdbTable& table : m_tables)
      if (table.name == layout.name.str())
        m_rows.emplace(table.name, CTxdbRows(table, layout));
}

const CTxdbRows& CTxdbDatabase::operator[](const std::string& table) const
{
  auto found = m_rows.find(table);
  if (found == m_rows.end())
    throw std::runtime_error("the database has no table " + table);
  return found->second;
}
