#pragma once
// Record objects of the program's one product database file, TXDB.SDF in the database directory.
#include "productdb/Recobj.h"

class CTXRecObj : public CRecObj
{
  DECLARE_DYNAMIC(CTXRecObj)
public:
  explicit CTXRecObj(const CString& tableName);

  // Stores the directory, ending it with "/" when it is not empty and does not end so already.
  static void SetDatabaseDirectory(const char* directory);
  static CString GetDatabaseDirectory();
  // The directory followed by the file name "TXDB.SDF".
  static CString GetDatabasePath();
};
