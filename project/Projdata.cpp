#include "project/Projdata.h"

#include "platform/core/Archive.h"
#include "project/DocServices.h"
#include "project/Stamp.h"

IMPLEMENT_DYNAMIC(CProjectData, CObject)

CProjectData::CProjectData() : m_strProjectName("Project Name"), m_strDesigner(GetDocServices().GetContact()) {}

void CProjectData::Serialize(CArchive& ar)
{
  SerializeVersionStamp(ar);
  if (ar.IsStoring())
    ar << m_strProjectName << m_strDesigner << m_strNotes;
  else
    ar >> m_strProjectName >> m_strDesigner >> m_strNotes;
}
