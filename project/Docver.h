#pragma once
// The version record of a project file: file version, the product database it was saved with,
// and when the project was created and last saved. It carries no version stamp of its own.
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"

class CDocVersion : public CObject
{
  DECLARE_DYNAMIC(CDocVersion)
public:
  // File version 1.0, the running database's texts, created and modified now.
  CDocVersion();
  CDocVersion(const CDocVersion& other);
  CDocVersion& operator=(const CDocVersion& other);

  // major * 10000 + minor.
  long long GetVersion() const;
  void SetVersion();
  int GetMajor() const { return m_nMajor; }
  int GetMinor() const { return m_nMinor; }

  CString GetProductDataVersion() const { return m_strProductDataVersion; }
  CString GetSpecificationVersion() const { return m_strSpecificationVersion; }
  CString GetDatePopulated() const { return m_strDatePopulated; }
  // TRUE when the three texts equal those of the running database.
  BOOL IsCurrentDatabase() const;
  void CopyDatabaseVersion();

  CTime GetCreated() const { return m_created; }
  CTime GetModified() const { return m_modified; }
  void SetModified(const CTime& time) { m_modified = time; }

  void Serialize(CArchive& ar) override;

private:
  int m_nMajor = 1;
  int m_nMinor = 0;
  CString m_strProductDataVersion;
  CString m_strSpecificationVersion;
  CString m_strDatePopulated;
  CTime m_created;
  CTime m_modified;
};
