#include "productdb/txrecobj.h"

IMPLEMENT_DYNAMIC(CTXRecObj, CRecObj)

namespace {

CString& Directory()
{
  static CString directory;
  return directory;
}

}  // namespace

CTXRecObj::CTXRecObj(const CString& tableName) : CRecObj(GetDatabasePath(), tableName) {}

void CTXRecObj::SetDatabaseDirectory(const char* directory)
{
  CString& stored = Directory();
  stored = directory;
  if (!stored.IsEmpty() && stored[stored.GetLength() - 1] != '/')
    stored += '/';
}

CString CTXRecObj::GetDatabaseDirectory() { return Directory(); }

CString CTXRecObj::GetDatabasePath() { return Directory() + "TXDB.SDF"; }
