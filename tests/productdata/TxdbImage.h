#pragma once
// An independent reading of a product database file, straight from the byte layout of the
// format (no productdb code), for checks that must not share the writer's or reader's logic.
#include <cstdint>
#include <string>
#include <vector>

struct TxdbKeyPart
{
  std::uint32_t type = 0;
  std::uint32_t offset = 0;  // 0-based in the record
  std::uint32_t length = 0;
};

struct TxdbIndex
{
  std::string name;
  std::uint32_t keyLength = 0;
  std::vector<TxdbKeyPart> parts;
  std::vector<std::uint32_t> positions;
};

struct TxdbTable
{
  std::string name;
  std::uint32_t recordLength = 0;
  std::vector<TxdbKeyPart> fields;  // the field descriptors: type, 0-based offset, width
  std::vector<TxdbIndex> indexes;
  std::vector<std::vector<std::uint8_t>> records;  // in file order
};

// Every table of the file in chain order; a malformed file throws std::runtime_error.
std::vector<TxdbTable> ReadTxdbFile(const std::string& path);

// Orders two records by one index under the format's comparison rules: -1, 0 or +1.
int CompareByIndex(const TxdbIndex& index, const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

// Where the generated database and the catalogue sources are, from the test environment.
std::string GeneratedTxdbPath();
std::string CatalogueFolder();
