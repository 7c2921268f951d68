#include "WbTestReader.h"

#include <cstring>
#include <map>
#include <stdexcept>

namespace {
constexpr unsigned kStamp = 10000;

class CCursor
{
public:
  CCursor(const std::vector<unsigned char>& bytes, size_t at, size_t end) : m_bytes(bytes), m_at(at), m_end(end) {}
  unsigned Byte()
  {
    Need(1);
    return m_bytes[m_at++];
  }
  unsigned Word() { return Byte() | (Byte() << 8); }
  unsigned Dword() { return Word() | (Word() << 16); }
  int Long() { return static_cast<int>(Dword()); }
  double Double()
  {
    unsigned long long bits = 0;
    for (int i = 0; i < 8; ++i)
      bits |= static_cast<unsigned long long>(Byte()) << (8 * i);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::string Text(size_t length)
  {
    Need(length);
    std::string text(m_bytes.begin() + static_cast<long>(m_at), m_bytes.begin() + static_cast<long>(m_at + length));
    m_at += length;
    return text;
  }
  std::string Counted()
  {
    size_t length = Byte();
    if (length == 255) {
      length = Word();
      if (length == 0xFFFF)
        length = Dword();
    }
    return Text(length);
  }
  void Expect(unsigned value, unsigned expected, const char* what)
  {
    if (value != expected)
      throw std::runtime_error(std::string(what) + " is " + std::to_string(value));
  }
  size_t At() const { return m_at; }
  size_t End() const { return m_end; }

private:
  void Need(size_t n)
  {
    if (m_at + n > m_end)
      throw std::runtime_error("the record ends early at " + std::to_string(m_at));
  }
  const std::vector<unsigned char>& m_bytes;
  size_t m_at;
  size_t m_end;
};

// The unit item: the common 50-byte record, then its own stamp and three strings.
CStoredUnitImage ReadUnitItem(CCursor& in)
{
  CStoredUnitImage unit;
  in.Expect(in.Dword(), kStamp, "the item stamp");
  in.Expect(in.Dword(), 1, "the item type");
  unit.x = in.Double();
  unit.y = in.Double();
  unit.angle = in.Double();
  unit.height = in.Double();
  unit.width = in.Double();
  unit.show = static_cast<int>(in.Byte());
  unit.snap = static_cast<int>(in.Byte());
  in.Expect(in.Dword(), kStamp, "the unit item stamp");
  unit.type = in.Counted();
  unit.subtype = in.Counted();
  unit.attributes = in.Counted();
  return unit;
}

void ReadItems(CCursor& in, CStoredDesignImage& image)
{
  unsigned count = in.Word();
  if (count == 0xFFFF)
    count = in.Dword();
  // Classes and objects share one index counter; index 0 is the null object.
  std::map<unsigned, std::string> classes;
  unsigned nextIndex = 1;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned tag = in.Word();
    std::string className;
    if (tag == 0xFFFF) {
      in.Expect(in.Word(), kStamp, "the schema");
      className = in.Text(in.Word());
      classes[nextIndex++] = className;
    } else if ((tag & 0x8000) != 0 && classes.count(tag & 0x7FFF)) {
      className = classes[tag & 0x7FFF];
    } else {
      throw std::runtime_error("unexpected object tag " + std::to_string(tag));
    }
    ++nextIndex;
    if (className != "CUnitItem")
      throw std::runtime_error("unexpected item class " + className);
    image.units.push_back(ReadUnitItem(in));
  }
}

void ReadBlock(CCursor& in, const std::string& name, CStoredDesignImage& image)
{
  in.Expect(in.Dword(), kStamp, "the design stamp");
  in.Expect(in.Dword(), kStamp, "the design data stamp");
  if (in.Counted() != name)
    throw std::runtime_error("the design data carries another name");
  image.quantity = in.Long();
  image.extentX = in.Double();
  image.extentY = in.Double();
  in.Byte();
  in.Word();
  ReadItems(in, image);
  if (in.At() != in.End())
    throw std::runtime_error(std::to_string(in.End() - in.At()) + " bytes of the block unexplained");
}

void ReadWindowState(CCursor& in, CStoredDesignImage& image)
{
  image.designWidth = in.Double();
  image.designHeight = in.Double();
  image.scaleFactor = in.Double();
  in.Dword();  // created
  in.Dword();  // modified
  image.scroll.x = in.Long();
  image.scroll.y = in.Long();
  image.windowRect.left = in.Long();
  image.windowRect.top = in.Long();
  image.windowRect.right = in.Long();
  image.windowRect.bottom = in.Long();
}

// Where the stored-design record of that name starts: its stamp, then the counted name.
size_t FindRecord(const std::vector<unsigned char>& file, const std::string& name)
{
  for (size_t at = 0; at + 5 + name.size() <= file.size(); ++at) {
    if (file[at] != (kStamp & 0xFF) || file[at + 1] != (kStamp >> 8) || file[at + 2] != 0 || file[at + 3] != 0)
      continue;
    if (file[at + 4] == name.size() && std::memcmp(&file[at + 5], name.data(), name.size()) == 0)
      return at;
  }
  return file.size();
}
}  // namespace

bool ReadStoredDesign(const std::vector<unsigned char>& file, const std::string& name, CStoredDesignImage& image)
{
  const size_t record = FindRecord(file, name);
  if (record == file.size()) {
    image.error = "no stored design named " + name;
    return false;
  }
  try {
    CCursor head(file, record, file.size());
    head.Dword();
    head.Counted();
    const size_t length = head.Dword();
    CCursor block(file, head.At(), head.At() + length);
    ReadBlock(block, name, image);
    CCursor tail(file, head.At() + length, file.size());
    ReadWindowState(tail, image);
  } catch (const std::exception& e) {
    image.error = e.what();
    return false;
  }
  return true;
}
