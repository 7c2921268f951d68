#pragma once
// The user's company and contact record, profile section "UserLicenseInfo". Nothing checks it:
// the reports print the company and a new project takes the contact as its designer.
#include "platform/core/Object.h"
#include "platform/core/String.h"

class CUserLicenseInfo : public CObject
{
  DECLARE_DYNAMIC(CUserLicenseInfo)
public:
  CUserLicenseInfo();
  ~CUserLicenseInfo() override;

  CString GetCompany() const { return m_strCompany; }
  CString GetAddress() const { return m_strAddress; }
  CString GetCity() const { return m_strCity; }
  CString GetState() const { return m_strState; }
  CString GetZipCode() const { return m_strZipCode; }
  CString GetContact() const { return m_strContact; }
  void SetCompany(const CString& text) { m_strCompany = text; }
  void SetAddress(const CString& text) { m_strAddress = text; }
  void SetCity(const CString& text) { m_strCity = text; }
  void SetState(const CString& text) { m_strState = text; }
  void SetZipCode(const CString& text) { m_strZipCode = text; }
  void SetContact(const CString& text) { m_strContact = text; }

  // A missing or empty value keeps the member.
  void Load();
  // Writes all six, also when empty; throws CAppFatalException at the first write that fails.
  void Save();

private:
  CString m_strCompany;
  CString m_strAddress;
  CString m_strCity;
  CString m_strState;
  CString m_strZipCode;
  CString m_strContact;
};
