#include "productdata/TxdbImage.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

class CByteReader
{
public:
  explicit CByteReader(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}

  std::size_t Size() const { return m_bytes.size(); }

  void Need(std::uint64_t offset, std::uint64_t count) const
  {
    if (offset + count > m_bytes.size())
      throw std::runtime_error("read beyond the end of the file at offset " + std::to_string(offset));
  }

  std::uint32_t U32(std::uint64_t offset) const
  {
    Need(offset, 4);
    const std::uint8_t* p = &m_bytes[offset];
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }

  std::string Name(std::uint64_t offset, std::size_t width) const
  {
    Need(offset, width);
    const char* p = reinterpret_cast<const char*>(&m_bytes[offset]);
    return std::string(p, strnlen(p, width));
  }

  std::vector<std::uint8_t> Bytes(std::uint64_t offset, std::uint32_t count) const
  {
    Need(offset, count);
    return std::vector<std::uint8_t>(m_bytes.begin() + offset, m_bytes.begin() + offset + count);
  }

private:
  std::vector<std::uint8_t> m_bytes;
};

TxdbKeyPart ReadPart(const CByteReader& file, std::uint64_t at)
{
  return {file.U32(at), file.U32(at + 4), file.U32(at + 8)};
}

TxdbTable ReadTable(const CByteReader& file, std::uint64_t start, std::uint32_t& next)
{
  TxdbTable table;
  table.name = file.Name(start, 32);
  std::uint32_t end = file.U32(start + 32);
  next = file.U32(start + 36);
  std::uint32_t count = file.U32(start + 40);
  std::uint32_t data = file.U32(start + 44);
  table.recordLength = file.U32(start + 48);
  std::uint32_t fieldCount = file.U32(start + 52);
  std::uint32_t indexCount = file.U32(start + 56);
  if (end < start || end >= file.Size() || fieldCount > 30 || indexCount > 10)
    throw std::runtime_error("table " + table.name + ": bad header");
  std::uint64_t at = start + 60;
  for (std::uint32_t i = 0; i < fieldCount; ++i, at += 12)
    table.fields.push_back(ReadPart(file, at));
  for (std::uint32_t i = 0; i < indexCount; ++i) {
    TxdbIndex index;
    index.name = file.Name(at, 16);
    std::uint32_t positions = file.U32(at + 16);
    index.keyLength = file.U32(at + 20);
    std::uint32_t partCount = file.U32(at + 24);
    if (partCount > 10)
      throw std::runtime_error("table " + table.name + ": too many key parts");
    at += 28;
    for (std::uint32_t k = 0; k < partCount; ++k, at += 12)
      index.parts.push_back(ReadPart(file, at));
    for (std::uint32_t n = 0; n < count; ++n)
      index.positions.push_back(file.U32(start + positions + 4ull * n));
    table.indexes.push_back(index);
  }
  for (std::uint32_t n = 0; n < count; ++n) {
    std::uint64_t record = start + data + static_cast<std::uint64_t>(n) * table.recordLength;
    if (record + table.recordLength > static_cast<std::uint64_t>(end) + 1)
      throw std::runtime_error("table " + table.name + ": a record lies outside its block");
    table.records.push_back(file.Bytes(record, table.recordLength));
  }
  return table;
}

template <typename T>
T Load(const std::uint8_t* p)
{
  T value;
  std::memcpy(&value, p, sizeof value);  // the test machine is little-endian like the format
  return value;
}

template <typename T>
int Order(T a, T b)
{
  return a < b ? -1 : (b < a ? 1 : 0);
}

int ComparePart(const TxdbKeyPart& part, const std::uint8_t* a, const std::uint8_t* b)
{
  switch (part.type) {
  case 1: {
    bool x = Load<std::uint16_t>(a) != 0, y = Load<std::uint16_t>(b) != 0;
    return x == y ? 0 : (x ? -1 : 1);  // TRUE before FALSE
  }
  case 3:
    return Order(Load<std::int16_t>(a), Load<std::int16_t>(b));
  case 4:
    return Order(Load<std::int32_t>(a), Load<std::int32_t>(b));
  case 6:
    return Order(Load<float>(a), Load<float>(b));
  case 7:
    return Order(Load<double>(a), Load<double>(b));
  case 8:
  case 10: {
    int c = std::memcmp(a, b, part.length);  // unsigned bytes over the whole part, NULs included
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  default:
    throw std::runtime_error("key part of a type no search can compare: " + std::to_string(part.type));
  }
}

}  // namespace

std::vector<TxdbTable> ReadTxdbFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot open " + path);
  CByteReader file(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
  if (file.U32(0) != 0x40000000)
    throw std::runtime_error("bad magic");
  std::vector<TxdbTable> tables;
  std::uint32_t next = 4;
  while (next != 0xFFFFFFFF) {
    if (tables.size() > 1000)
      throw std::runtime_error("the chain of tables does not end");
    tables.push_back(ReadTable(file, next, next));
  }
  return tables;
}

int CompareByIndex(const TxdbIndex& index, const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
  for (const TxdbKeyPart& part : index.parts) {
    if (part.offset + part.length > a.size())
      throw std::runtime_error("index " + index.name + ": a key part lies outside the record");
    int c = ComparePart(part, &a[part.offset], &b[part.offset]);
    if (c != 0)
      return c;
  }
  return 0;
}

std::string GeneratedTxdbPath()
{
  const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
  return std::string(binary ? binary : ".") + "/productdata/TXDB.SDF";
}

std::string CatalogueFolder()
{
  const char* source = std::getenv("PANECRAFT_SOURCE_DIR");
  return std::string(source ? source : ".") + "/productdata/catalogue";
}
