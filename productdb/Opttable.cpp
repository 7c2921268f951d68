#include "productdb/Opttable.h"

#include <memory>
#include <new>

#include "productdb/Optcats.h"
#include "productdb/txdbExcp.h"

namespace {

constexpr const char* kSource = "Opttable";
constexpr int kLineCursor = 263;
constexpr int kLineMissingCategory = 273;
constexpr int kLineCopy = 284;

}  // namespace

COptTableRec::COptTableRec() : CTXRecObj("OPTTABLE") {}

COptTableRec::COptTableRec(const CString& typeCode, const CString& subtypeCode)
  : CTXRecObj("OPTTABLE"), m_typeCode(typeCode), m_subtypeCode(subtypeCode)
{
  BOOL atEnd = FALSE;
  if (SeekGE(1, &atEnd) != 0) {
    m_typeCode.Empty();
    m_subtypeCode.Empty();
  }
}

void COptTableRec::UnpackRecord()
{
  m_typeCode = ReadString(1, 2);
  m_subtypeCode = ReadString(3, 5);
  m_category = ReadLong(8);
  m_choice = ReadLong(12);
}

void COptTableRec::PackKey()
{
  ClearKeyBuffer();
  if (GetCurrentIndex() != 1)
    return;
  PutKeyString(m_typeCode, 1, 2);
  PutKeyString(m_subtypeCode, 3, 5);
  PutKeyLong(m_category, 8);
  PutKeyLong(m_choice, 12);
}

COptTableRecArray::COptTableRecArray(const CString& typeCode, const CString& subtypeCode)
{
  Load(typeCode, subtypeCode);
}

void COptTableRecArray::Load(const CString& typeCode, const CString& subtypeCode)
{
  std::unique_ptr<COptTableRec> cursor(new (std::nothrow) COptTableRec(typeCode, subtypeCode));
  if (!cursor)
    throw CTXDBException(kSource, kLineCursor, CTXDBException::readError);
  COptCatsRec category;
  bool looked = false;
  BOOL atEnd = FALSE;
  while (!atEnd) {
    if (cursor->GetSubtypeCode() != subtypeCode || cursor->GetTypeCode() != typeCode)
      break;
    if (!looked || cursor->GetCategory() != category.GetCategory()) {
      category.SetCategory(cursor->GetCategory());
      if (category.Find(1) != 0)
        throw CTXDBException(kSource, kLineMissingCategory, CTXDBException::readError);
      looked = true;
    }
    if (category.GetFlag43()) {
      std::unique_ptr<COptTableRec> next(new (std::nothrow) COptTableRec(*cursor));
      if (!next)
        throw CTXDBException(kSource, kLineCopy, CTXDBException::readError);
      Add(cursor.release());
      cursor = std::move(next);
    }
    // A step that fails without reaching the end would otherwise repeat the same row forever.
    if (cursor->Next(&atEnd) != 0)
      break;
  }
}
