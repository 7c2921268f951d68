#pragma once
// Project information: name, designer and notes.
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CProjectData : public CObject
{
  DECLARE_DYNAMIC(CProjectData)
public:
  // "Project Name", no notes, and the user's contact as designer.
  CProjectData();

  CString GetProjectName() const { return m_strProjectName; }
  void SetProjectName(const CString& name) { m_strProjectName = name; }
  CString GetNotes() const { return m_strNotes; }
  void SetNotes(const CString& notes) { m_strNotes = notes; }
  CString GetDesigner() const { return m_strDesigner; }
  void SetDesigner(const CString& designer) { m_strDesigner = designer; }

  // Stamp, name, designer, notes.
  void Serialize(CArchive& ar) override;

private:
  CString m_strProjectName;
  CString m_strNotes;
  CString m_strDesigner;
};
