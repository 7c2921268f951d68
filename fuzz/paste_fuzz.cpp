// Reads any byte string as the Workbench's clipboard payload, as a paste does before it touches
// the design. A foreign or damaged block may only end in a refusal: no crash, no object deleted
// twice, no join left pointing at a unit that was not pasted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/core/Coreclass.h"
#include "platform/core/Exception.h"
#include "productdb/txrecobj.h"
#include "units/standard/Stdreg.h"
#include "workbench/items/Groupitm.h"
#include "workbench/items/Wbclip.h"
#include "workbench/items/Wbreg.h"

namespace {
void Setup()
{
  const char* dir = std::getenv("PANECRAFT_TXDB_DIR");
  CTXRecObj::SetDatabaseDirectory(dir ? dir : PANECRAFT_TXDB_DIR);
  RegisterCoreClasses();
  RegisterStandardUnits();
  RegisterWorkbenchClasses();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const bool ready = (Setup(), true);
  (void)ready;
  try {
    auto group = ReadItemGroup(data, size);
    // What was accepted must store again.
    (void)WriteItemGroup(*group);
  } catch (const CException&) {}
  return 0;
}
