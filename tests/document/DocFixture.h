#pragma once
// Project documents on the sample catalogue, with scripted message boxes and a scratch folder.
#include <memory>

#include "document/Doc.h"
#include "ui/dlg/DialogService.h"
#include "project/DocTestSupport.h"
#include "project/TempDir.h"

class DocTest : public CatalogueTest
{
protected:
  void SetUp() override
  {
    CatalogueTest::SetUp();
    SetDialogService(&dialogs);
  }
  void TearDown() override { SetDialogService(nullptr); }

  std::string PathOf(const char* name) const { return dir.Path(name); }

  // A design named so, with a quantity, stored into a record.
  static CDesignStore MakeStore(const char* name, int quantity = 1)
  {
    CDesign design;
    design.SetName(name);
    design.GetDesignData().SetQuantity(quantity);
    CDesignStore store;
    store.Store(&design);
    return store;
  }

  // A new project with the named designs, saved to the path.
  void SaveProject(const std::string& path, std::initializer_list<const char*> designs)
  {
    CDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    for (const char* name : designs)
      doc.AddDesign(MakeStore(name));
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
  }

  // Opens the path in a new document; the message shown when it fails, else empty.
  CString OpenMessage(const std::string& path)
  {
    dialogs.messages.clear();
    CDoc doc;
    if (doc.OnOpenDocument(path.c_str()))
      return CString();
    return dialogs.messages.empty() ? CString("(no message)") : dialogs.messages.back().text;
  }

  CScriptedDialogService dialogs;
  CTempDir dir;
};
