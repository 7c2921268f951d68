#include "reports/Rptfile.h"

#include <string>

#include "platform/core/Atomfile.h"
#include "support/Trace.h"

namespace {

std::string Contents(const CStringArray& lines)
{
  std::string text;
  for (const CString& line : lines) {
    text += line.str();
    text += "\r\n";
  }
  return text;
}

}  // namespace

void WriteReportFile(const CString& path, const CStringArray& lines)
{
  const std::string text = Contents(lines);
  CAtomicFile out(path);
  try {
    out.GetFile().Write(text.data(), static_cast<UINT>(text.size()));
    out.Commit();
  } catch (const CFileException&) {
    PCTRACE(TT_REPORTS, TL_WARNING)("Report file not written; the previous file is kept.\n");
    throw;
  }
}
