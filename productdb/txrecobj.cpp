#include "productdb/txrecobj.h"

IMPLEMENT_DYNAMIC(CTXRecObj, CRecObj)

namespace {

constexpr const char* kFileName = "TXDB.SDF";

CString& Directory()
{
  static CString directory;
  return directory;
}

// The file's path, kept with the directory: record objects are made by the hundred thousand
// (a report of a large project), and each one asks for it.
CString& Path()
{
  static CString path = kFileName;
  return path;
}

}  // namespace

CTXRecObj::CTXRecObj(const CString& tableName) : CRecObj(Path(), tableName) {}

void CTXRecObj::SetDatabaseDirectory(const char* directory)
{
  CString& stored = Directory();
  stored = directory;
  if (!stored.IsEmpty() && stored[stored.GetLength() - 1] != '/')
    stored += '/';
  Path() = stored + kFileName;
}

CString CTXRecObj::GetDatabaseDirectory() { return Directory(); }

CString CTXRecObj::GetDatabasePath() { return Path(); }
