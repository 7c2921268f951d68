// Opens any byte string as a project file, then rebuilds every stored design from its block. A
// damaged file may only end in the open's failure message; no allocation may grow with a count
// or length that the input does not back with bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>
#include <string>

#include "Fuzztemp.h"
#include "document/Doc.h"
#include "platform/core/Coreclass.h"
#include "ui/dlg/DialogService.h"
#include "productdb/txrecobj.h"
#include "project/DocServices.h"
#include "project/Projreg.h"

namespace {

// Any single allocation above this is one that some unchecked number asked for.
size_t g_allocationLimit = static_cast<size_t>(-1);

void CheckAllocation(const volatile void*, size_t size)
{
  if (size > g_allocationLimit) {
    std::fprintf(stderr, "allocation of %zu bytes beyond the input's limit\n", size);
    std::abort();
  }
}

void IgnoreFree(const volatile void*) {}

class CFuzzServices : public CDocServices
{
public:
  CString GetProductName() const override { return "Panecraft"; }
  CString GetProductDataVersion() const override { return "1998.06 Sample"; }
  CString GetSpecificationVersion() const override { return "2.04"; }
  CString GetDatePopulated() const override { return "06/15/1998"; }
  CString GetContact() const override { return "Fuzz"; }
  int GetMeasurementUnits() const override { return 0; }
  void ShowDbVersionDialog(const CDocVersion&) override {}
  BOOL AskNewDesignName(CString&, BOOL) override { return FALSE; }
  void CloseInitialUntitledProject() override {}
};

CFuzzServices g_services;
std::string g_path;

void Setup()
{
  __sanitizer_install_malloc_and_free_hooks(CheckAllocation, IgnoreFree);
  SetDocServices(&g_services);
  const char* dir = std::getenv("PANECRAFT_TXDB_DIR");
  CTXRecObj::SetDatabaseDirectory(dir ? dir : PANECRAFT_TXDB_DIR);
  RegisterCoreClasses();
  RegisterProjectClasses();
  g_path = (FuzzTempFolder("document_fuzz") / "input.tpf").string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const bool ready = (Setup(), true);
  (void)ready;
  if (FILE* f = std::fopen(g_path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  // The project's image may outgrow the input by the records appended for new unit types, and a
  // growing buffer by its doubling; the rest is the archive's and the catalogue's fixed memory.
  g_allocationLimit = 2 * size + (1 << 20);
  {
    // A service of its own for each input: what one open records (messages, progress windows,
    // file requests) must not pile up over a long run and count against a later input's limit.
    CScriptedDialogService dialogs;
    SetDialogService(&dialogs);
    CDoc doc;
    if (doc.OnOpenDocument(g_path.c_str())) {
      CDesignWalk walk;
      for (CDesign* design = doc.GetFirstDesign(walk); design; design = doc.GetNextDesign(walk))
        (void)design->GetName();
    }
  }
  SetDialogService(nullptr);
  g_allocationLimit = static_cast<size_t>(-1);
  return 0;
}
