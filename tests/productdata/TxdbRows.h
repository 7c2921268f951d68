#pragma once
// Rows of one table of the generated database, decoded by field name through the catalogue's
// layouts, independently of the reader, for checks that read the file as stored.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "productdata/TableWriter.h"
#include "productdata/TxdbImage.h"

class CTxdbRows
{
public:
  CTxdbRows(const TxdbTable& table, const SdfTableLayout& layout) : m_table(&table), m_layout(layout) {}

  size_t Size() const { return m_table->records.size(); }
  // A text as the reader gives it: up to the first NUL, trailing blanks and controls dropped.
  std::string Text(size_t row, const char* field) const;
  long long Int(size_t row, const char* field) const;  // short or long
  double Real(size_t row, const char* field) const;    // float or double
  bool Logical(size_t row, const char* field) const;

private:
  const std::uint8_t* At(size_t row, const char* field, SdfFieldKind kind) const;

  const TxdbTable* m_table;
  SdfTableLayout m_layout;
};

// The generated database, table by table, with the layouts of the catalogue.
class CTxdbDatabase
{
public:
  CTxdbDatabase();
  CTxdbDatabase(const CTxdbDatabase&) = delete;
  CTxdbDatabase& operator=(const CTxdbDatabase&) = delete;
  const CTxdbRows& operator[](const std::string& table) const;

private:
  std::vector<TxdbTable> m_tables;
  std::map<std::string, CTxdbRows> m_rows;
};
