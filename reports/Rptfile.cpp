#include "reports/Rptfile.h"

#include <string>

#include "platform/core/Atomfile.h"
#include "support/Trace.h"

namespace {

// The report holds its text in the project's code page; the file is UTF-8, as the system's other
// programs read text.
std::string Contents(const CStringArray& lines)
{
  std::string text;
  for (const CString& line : lines) {
    text += line.ToUtf8();
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
