#pragma once
// What the project document asks of the running application. The application object implements
// it and installs it at start-up; tests install their own.
#include "platform/core/String.h"

class CDocVersion;

class CDocServices
{
public:
  virtual ~CDocServices() = default;

  // Caption of every message box.
  virtual CString GetProductName() const = 0;
  // Version texts of the product database in use ("%m/%d/%Y" for the date).
  virtual CString GetProductDataVersion() const = 0;
  virtual CString GetSpecificationVersion() const = 0;
  virtual CString GetDatePopulated() const = 0;
  // "Contact" of the user information: the designer of a new project.
  virtual CString GetContact() const = 0;
  virtual int GetMeasurementUnits() const = 0;

  // "Product Database Information": the project was saved with another product database.
  virtual void ShowDbVersionDialog(const CDocVersion& projectVersion) = 0;
  // "Store New Design": TRUE with the name typed, FALSE when cancelled.
  virtual BOOL AskNewDesignName(CString& name, BOOL allowCancel) = 0;
  // Closes the untouched untitled project of start-up, once per run.
  virtual void CloseInitialUntitledProject() = 0;
};

// Throws CAppFatalException while no application has installed its services.
CDocServices& GetDocServices();
// Installs the services (null removes them); returns the previous ones.
CDocServices* SetDocServices(CDocServices* services);
