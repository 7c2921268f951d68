#include "app/Recoffer.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "app/App.h"
#include "app/Recovery.h"
#include "platform/core/Profile.h"
#include "ui/docview/DocTempl.h"
#include "ui/dlg/DialogService.h"

namespace {

constexpr const char* kSection = "Recovery Copies";
// The copies noted and not told yet are few; past this many the oldest give way.
constexpr int kMaxNoted = 16;

struct CNotedCopy
{
  CString copy;
  // The project file the copy was written for, or the title of an unnamed project.
  CString project;
};

std::vector<CNotedCopy> ReadNoted(CApp& app)
{
  std::vector<CNotedCopy> noted;
  for (int i = 1; i <= kMaxNoted; ++i) {
    const CString copy = app.GetProfileString(kSection, CString::Formatted("Copy%d", i));
    if (copy.IsEmpty())
      break;
    noted.push_back({copy, app.GetProfileString(kSection, CString::Formatted("Project%d", i))});
  }
  return noted;
}

// Rewrites the whole list, the entries past its end removed, in one write of the profile.
void WriteNoted(CApp& app, const std::vector<CNotedCopy>& noted)
{
  const CProfile::CHold hold(app.GetProfile());
  for (int i = 1; i <= kMaxNoted; ++i) {
    const bool listed = static_cast<size_t>(i) <= noted.size();
    app.WriteProfileString(kSection, CString::Formatted("Copy%d", i), listed ? noted[i - 1].copy.c_str() : nullptr);
    app.WriteProfileString(kSection, CString::Formatted("Project%d", i),
                           listed ? noted[i - 1].project.c_str() : nullptr);
  }
}

void Forget(CApp& app, const CString& copy)
{
  std::vector<CNotedCopy> noted = ReadNoted(app);
  if (std::erase_if(noted, [&](const CNotedCopy& entry) { return entry.copy == copy; }) > 0)
    WriteNoted(app, noted);
}

std::optional<std::filesystem::file_time_type> ChangeTime(const CString& path)
{
  std::error_code error;
  const std::filesystem::path file(path.str());
  if (!std::filesystem::is_regular_file(file, error))
    return std::nullopt;
  const auto time = std::filesystem::last_write_time(file, error);
  return error ? std::nullopt : std::optional(time);
}

BOOL AskOpenNotedCopy(const CApp& app, const CNotedCopy& noted)
{
  const CString text = app.GetProductName() + " ended before the changes to " + noted.project +
                       " were saved. They were kept in the recovery copy\n\n" + noted.copy +
                       "\n\nDo you want to open the recovery copy now?";
  return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

void NoteRecoveryCopies(CApp& app, const std::vector<CRecoveryCopy>& copies)
{
  std::vector<CNotedCopy> noted = ReadNoted(app);
  bool any = false;
  for (auto copy = copies.rbegin(); copy != copies.rend(); ++copy) {
    if (copy->path.IsEmpty())
      continue;
    app.AddToRecentFileList(copy->path);
    noted.insert(noted.begin(), {copy->path, copy->project.IsEmpty() ? copy->title : copy->project});
    any = true;
  }
  if (!any)
    return;
  if (noted.size() > static_cast<size_t>(kMaxNoted))
    noted.resize(kMaxNoted);
  const CProfile::CHold hold(app.GetProfile());
  WriteNoted(app, noted);
  app.SaveStdProfileSettings();
}

void OfferNotedRecoveryCopies(CApp& app)
{
  if (!DialogService().CanAsk())
    return;
  for (const CNotedCopy& noted : ReadNoted(app)) {
    // Told once: whatever the answer, the copy is the user's file from now on. One the user has
    // opened already (named on the command line) needs no word.
    Forget(app, noted.copy);
    if (app.m_pDocManager && app.m_pDocManager->FindOpenDocument(noted.copy))
      continue;
    if (ChangeTime(noted.copy) && AskOpenNotedCopy(app, noted))
      app.OpenDocumentFile(noted.copy);
  }
}

CString NewerRecoveryCopyOf(const CString& projectPath)
{
  const std::optional<std::filesystem::file_time_type> project = ChangeTime(projectPath);
  if (!project)
    return CString();
  CString newest;
  std::filesystem::file_time_type newestTime = *project;
  for (int n = 1; n <= kMaxRecoveryCandidates; ++n) {
    const CString candidate = RecoveryPathFor(projectPath, CString(), CString(), n);
    if (const auto time = ChangeTime(candidate); time && *time > newestTime) {
      newest = candidate;
      newestTime = *time;
    }
  }
  return newest;
}

CString ChooseProjectOrNewerCopy(CApp& app, const CString& projectPath)
{
  if (!DialogService().CanAsk())
    return projectPath;
  const CString copy = NewerRecoveryCopyOf(projectPath);
  if (copy.IsEmpty())
    return projectPath;
  Forget(app, copy);
  const CString text = "The recovery copy\n\n" + copy + "\n\nis newer than the project file " + projectPath +
                       ". It holds changes that were not saved when " + app.GetProductName() +
                       " ended.\n\nDo you want to open the recovery copy instead?";
  return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES ? copy : projectPath;
}
