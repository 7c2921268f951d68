#include "app/Userinfo.h"

#include "ui/wnd/WinApp.h"
#include "support/Exceptn.h"
#include "support/Trace.h"

namespace {

constexpr const char* kModule = "Userinfo";

// The line each failure of this file reports: fixed, so an error code stays when the code moves.
enum : int
{
  kLineWriteCompany = 51,
  kLineWriteAddress = 52,
  kLineWriteCity = 53,
  kLineWriteState = 54,
  kLineWriteZipCode = 55,
  kLineWriteContact = 56,
};
constexpr const char* kSection = "UserLicenseInfo";

void LoadText(const char* key, CString& member)
{
  CString text = AfxGetApp()->GetProfileString(kSection, key);
  if (!text.IsEmpty())
    member = text;
}

void Write(const char* key, const CString& value, int line)
{
  if (!AfxGetApp()->WriteProfileString(kSection, key, value))
    throw CAppFatalException(kModule, line);
}

}  // namespace

IMPLEMENT_DYNAMIC(CUserLicenseInfo, CObject)

CUserLicenseInfo::CUserLicenseInfo() { PCTRACE(TT_PREFERENCES, TL_DETAIL)("CUserLicenseInfo construction \n"); }

CUserLicenseInfo::~CUserLicenseInfo() { PCTRACE(TT_PREFERENCES, TL_DETAIL)("CUserLicenseInfo destruction \n"); }

void CUserLicenseInfo::Load()
{
  LoadText("Company", m_strCompany);
  LoadText("Address", m_strAddress);
  LoadText("City", m_strCity);
  LoadText("State", m_strState);
  LoadText("ZipCode", m_strZipCode);
  LoadText("Contact", m_strContact);
}

void CUserLicenseInfo::Save()
{
  Write("Company", m_strCompany, kLineWriteCompany);
  Write("Address", m_strAddress, kLineWriteAddress);
  Write("City", m_strCity, kLineWriteCity);
  Write("State", m_strState, kLineWriteState);
  Write("ZipCode", m_strZipCode, kLineWriteZipCode);
  Write("Contact", m_strContact, kLineWriteContact);
}
