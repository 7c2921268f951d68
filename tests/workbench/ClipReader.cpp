#include "ClipReader.h"

#include <cstring>
#include <map>
#include <stdexcept>

namespace {
constexpr unsigned kStamp = 10000;
constexpr unsigned kNewClass = 0xFFFF;
constexpr unsigned kClassFlag = 0x8000;

class CCursor
{
public:
  explicit CCursor(const std::vector<unsigned char>& bytes) : m_bytes(bytes) {}
  unsigned Byte()
  {
    if (m_at >= m_bytes.size())
      throw std::runtime_error("the payload ends early at " + std::to_string(m_at));
    return m_bytes[m_at++];
  }
  unsigned Word() { return Byte() | (Byte() << 8); }
  unsigned Dword() { return Word() | (Word() << 16); }
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
    std::string text;
    for (size_t i = 0; i < length; ++i)
      text.push_back(static_cast<char>(Byte()));
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
  size_t Left() const { return m_bytes.size() - m_at; }

private:
  const std::vector<unsigned char>& m_bytes;
  size_t m_at = 0;
};

class CPayloadReader
{
public:
  explicit CPayloadReader(const std::vector<unsigned char>& bytes) : m_in(bytes) {}

  void ReadGroup(CClipItemImage& group)
  {
    ReadCommon(group);
    m_in.Expect(m_in.Dword(), kStamp, "the group stamp");
    unsigned count = m_in.Word();
    if (count == 0xFFFF)
      count = m_in.Dword();
    for (unsigned i = 0; i < count; ++i) {
      CClipItemImage member;
      // A unit a join met first was written in the join's side; the member names it again.
      if (!ReadObject(member)) {
        if (!m_sideUnits.count(static_cast<unsigned>(member.objectIndex)))
          throw std::runtime_error("a member refers to object " + std::to_string(member.objectIndex));
        member = m_sideUnits[static_cast<unsigned>(member.objectIndex)];
      }
      group.members.push_back(std::move(member));
    }
  }
  size_t Left() const { return m_in.Left(); }

private:
  // The 50-byte record every item starts with.
  void ReadCommon(CClipItemImage& item)
  {
    m_in.Expect(m_in.Dword(), kStamp, "the item stamp");
    item.type = static_cast<int>(m_in.Dword());
    item.x = m_in.Double();
    item.y = m_in.Double();
    item.angle = m_in.Double();
    item.height = m_in.Double();
    item.width = m_in.Double();
    item.show = static_cast<int>(m_in.Byte());
    item.snap = static_cast<int>(m_in.Byte());
  }

  // TRUE for a new object read into item; FALSE for a reference, whose index goes to item.
  bool ReadObject(CClipItemImage& item)
  {
    const unsigned tag = m_in.Word();
    if (tag == kNewClass) {
      m_in.Expect(m_in.Word(), kStamp, "the schema");
      item.className = m_in.Text(m_in.Word());
      m_classes[m_next++] = item.className;
    } else if ((tag & kClassFlag) != 0) {
      if (!m_classes.count(tag & 0x7FFF))
        throw std::runtime_error("a class reference to " + std::to_string(tag & 0x7FFF));
      item.className = m_classes[tag & 0x7FFF];
    } else {
      if (tag == 0 || tag >= m_next || m_classes.count(tag))
        throw std::runtime_error("an object reference to " + std::to_string(tag));
      item.objectIndex = static_cast<int>(tag);
      return false;
    }
    item.objectIndex = static_cast<int>(m_next++);
    if (item.className == "CUnitItem")
      ReadUnit(item);
    else if (item.className == "CGuidelineItem")
      ReadGuideline(item);
    else if (item.className == "CJoinItem")
      ReadJoin(item);
    else if (item.className == "CGroupItem")
      ReadGroup(item);
    else
      throw std::runtime_error("unexpected class " + item.className);
    return true;
  }

  void ReadUnit(CClipItemImage& item)
  {
    ReadCommon(item);
    m_in.Expect(m_in.Dword(), kStamp, "the unit item stamp");
    item.unitType = m_in.Counted();
    item.unitSubtype = m_in.Counted();
    item.attributes = m_in.Counted();
  }

  void ReadGuideline(CClipItemImage& item)
  {
    ReadCommon(item);
    m_in.Expect(m_in.Dword(), kStamp, "the guideline stamp");
    item.guidelineWidth = m_in.Double();
    m_in.Byte();
  }

  int ReadSide()
  {
    m_in.Expect(m_in.Dword(), kStamp, "the join side stamp");
    CClipItemImage unit;
    // A unit met first in a join side is written there in full.
    if (ReadObject(unit)) {
      if (unit.className != "CUnitItem")
        throw std::runtime_error("a join side holds a " + unit.className);
      m_sideUnits[static_cast<unsigned>(unit.objectIndex)] = unit;
    }
    m_in.Dword();  // component index
    m_in.Dword();  // component id
    m_in.Dword();  // spacing, a float
    return unit.objectIndex;
  }

  void ReadJoin(CClipItemImage& item)
  {
    ReadCommon(item);
    m_in.Expect(m_in.Dword(), kStamp, "the line segment stamp");
    m_in.Dword();
    for (int i = 0; i < 4; ++i)
      m_in.Double();
    m_in.Expect(m_in.Dword(), kStamp, "the join stamp");
    item.firstUnit = ReadSide();
    item.secondUnit = ReadSide();
    item.joinType = static_cast<int>(m_in.Dword());
    m_in.Dword();  // first product id
    m_in.Dword();  // second product id
    m_in.Dword();  // marker category
    for (int i = 0; i < 4; ++i)
      m_in.Double();
  }

  CCursor m_in;
  // Classes and objects share one index counter; index 0 is the null object.
  std::map<unsigned, std::string> m_classes;
  std::map<unsigned, CClipItemImage> m_sideUnits;
  unsigned m_next = 1;
};
}  // namespace

bool ReadClipPayload(const std::vector<unsigned char>& block, CClipItemImage& group, std::string& error)
{
  try {
    CPayloadReader reader(block);
    reader.ReadGroup(group);
    if (reader.Left() != 1)
      throw std::runtime_error(std::to_string(reader.Left()) + " bytes after the group, not the one spare byte");
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  return true;
}
