#pragma once
// A record class over a small test table NUMBERS: a long KEY at offset 1 (index 1) and an 8-byte
// text NAME at offset 5 (index 2); records may be longer, padded with zeros.
#include "DbTestUtil.h"
#include "productdb/txrecobj.h"

class CNumberRec : public CTXRecObj
{
public:
  explicit CNumberRec(const char* table = "NUMBERS") : CTXRecObj(table) {}

  int key = 0;
  CString name;

  using CRecObj::GetCurrentIndex;
  using CRecObj::Navigate;
  using CRecObj::SelectIndex;

protected:
  void UnpackRecord() override
  {
    key = ReadLong(1);
    name = ReadString(5, 8);
  }
  void PackKey() override
  {
    ClearKeyBuffer();
    if (GetCurrentIndex() == 1)
      PutKeyLong(key, 1);
    else if (GetCurrentIndex() == 2)
      PutKeyString(name, 1, 8);
  }
};

inline SdfTableLayout NumbersLayout(int recordLength = 12, const char* name = "NUMBERS")
{
  return MakeLayout(name, recordLength, {Field("KEY", SdfFieldKind::Long, 1), Field("NAME", SdfFieldKind::Text, 5, 8)},
                    {{"KEY"}, {"NAME"}});
}

// Adds a NUMBERS table with one row per (key, name) in the given order.
inline int AddNumbers(CTableWriter& writer, const std::vector<std::pair<int, const char*>>& rows, int recordLength = 12,
                      const char* name = "NUMBERS")
{
  int t = writer.AddTable(NumbersLayout(recordLength, name));
  for (const auto& [key, text] : rows)
    writer.AddRow(t, CSdfRow().SetInt("KEY", key).Set("NAME", text));
  return t;
}
