#pragma once
// Shared helpers of the document tests: scripted application services and byte builders.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Archive.h"
#include "project/DocServices.h"
#include "project/Docver.h"

class CFakeDocServices : public CDocServices
{
public:
  CFakeDocServices() { m_previous = SetDocServices(this); }
  ~CFakeDocServices() override { SetDocServices(m_previous); }

  CString GetProductName() const override { return "Panecraft"; }
  CString GetProductDataVersion() const override { return productDataVersion; }
  CString GetSpecificationVersion() const override { return specificationVersion; }
  CString GetDatePopulated() const override { return datePopulated; }
  CString GetContact() const override { return contact; }
  int GetMeasurementUnits() const override { return measurementUnits; }
  void ShowDbVersionDialog(const CDocVersion& version) override
  {
    ++dbDialogs;
    dbDialogProjectVersion = version.GetProductDataVersion();
  }
  BOOL AskNewDesignName(CString& name, BOOL allowCancel) override
  {
    askedNames.push_back(name);
    askedAllowCancel = allowCancel;
    if (nameAnswers.empty())
      return FALSE;
    CString answer = nameAnswers.front();
    nameAnswers.erase(nameAnswers.begin());
    if (answer.IsEmpty())
      return FALSE;
    name = answer;
    return TRUE;
  }
  void CloseInitialUntitledProject() override { ++afterOpenCalls; }

  CString productDataVersion = "PD 4.2";
  CString specificationVersion = "Spec 7";
  CString datePopulated = "03/14/2024";
  CString contact = "Dana Pell";
  int measurementUnits = 0;
  int dbDialogs = 0;
  CString dbDialogProjectVersion;
  // Answers of the "Store New Design" dialog in order; an empty text cancels.
  std::vector<CString> nameAnswers;
  std::vector<CString> askedNames;
  BOOL askedAllowCancel = FALSE;
  int afterOpenCalls = 0;

private:
  CDocServices* m_previous = nullptr;
};

using Bytes = std::vector<BYTE>;

inline Bytes StoreBytes(const std::function<void(CArchive&)>& write)
{
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.GetBytes();
}

inline void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  read(ar);
}

// Little-endian byte builder for expected images.
class CByteWriter
{
public:
  CByteWriter& Byte(int v)
  {
    m_bytes.push_back(static_cast<BYTE>(v));
    return *this;
  }
  CByteWriter& Word(unsigned v) { return Raw(&v, 2); }
  CByteWriter& Dword(unsigned v) { return Raw(&v, 4); }
  CByteWriter& Double(double v) { return Raw(&v, 8); }
  CByteWriter& Text(const std::string& s) { return Raw(s.data(), s.size()); }
  // A string with its one-byte length prefix.
  CByteWriter& Str(const std::string& s) { return Byte(static_cast<int>(s.size())).Text(s); }
  CByteWriter& Append(const Bytes& b)
  {
    m_bytes.insert(m_bytes.end(), b.begin(), b.end());
    return *this;
  }
  const Bytes& Get() const { return m_bytes; }

private:
  CByteWriter& Raw(const void* p, size_t n)
  {
    const BYTE* b = static_cast<const BYTE*>(p);
    m_bytes.insert(m_bytes.end(), b, b + n);
    return *this;
  }
  Bytes m_bytes;
};

#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/core/Coreclass.h"
#include "productdb/txrecobj.h"
#include "project/Projreg.h"

// Tests on the sample catalogue that the build generates, with scripted application services.
class CatalogueTest : public ::testing::Test
{
protected:
  // Set before any member is built, since documents read the catalogue when they are made.
  CatalogueTest()
  {
    const char* binary = std::getenv("PANECRAFT_BINARY_DIR");
    if (!binary)
      ADD_FAILURE() << "PANECRAFT_BINARY_DIR is not set";
    CTXRecObj::SetDatabaseDirectory((std::string(binary ? binary : ".") + "/productdata").c_str());
    // Project files load their objects by class name, as after the program's start-up.
    RegisterCoreClasses();
    RegisterProjectClasses();
  }

  CFakeDocServices services;
};
