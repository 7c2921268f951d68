#include "app/Recoffer.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

#include "app/App.h"
#include "app/Recovery.h"
#include "platform/core/File.h"
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

// The profile keeps a value a line: a line break or carriage return in a path is kept as "\n" or
// "\r", and a backslash as "\\", so that each entry reads back whole and as it was written.
CString Escaped(const CString& text)
{
  CString escaped;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text[i];
    escaped += c == '\\' ? CString("\\\\") : c == '\n' ? CString("\\n") : c == '\r' ? CString("\\r") : CString(c);
  }
  return escaped;
}

// Any other backslash stands for itself, as in the entries written before they were escaped.
CString Unescaped(const CString& text)
{
  CString plain;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char next = i + 1 < text.GetLength() ? text[i + 1] : '\0';
    if (text[i] == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
      plain += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
      ++i;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

std::vector<CNotedCopy> ReadNoted(const CProfile& profile)
{
  std::vector<CNotedCopy> noted;
  for (int i = 1; i <= kMaxNoted; ++i) {
    const CString copy = profile.GetProfileString(kSection, CString::Formatted("Copy%d", i));
    if (copy.IsEmpty())
      break;
    noted.push_back(
        {Unescaped(copy), Unescaped(profile.GetProfileString(kSection, CString::Formatted("Project%d", i)))});
  }
  return noted;
}

// Rewrites the whole list, the entries past its end removed.
void WriteNoted(CProfile& profile, const std::vector<CNotedCopy>& noted)
{
  for (int i = 1; i <= kMaxNoted; ++i) {
    const bool listed = static_cast<size_t>(i) <= noted.size();
    profile.WriteProfileString(kSection, CString::Formatted("Copy%d", i),
                               listed ? Escaped(noted[i - 1].copy).c_str() : nullptr);
    profile.WriteProfileString(kSection, CString::Formatted("Project%d", i),
                               listed ? Escaped(noted[i - 1].project).c_str() : nullptr);
  }
}

// Each instance adds its own copies and forgets those it told of: the list is changed as the
// profile holds it at the write, so the copies another instance noted meanwhile stay.
void ChangeNoted(CApp& app, const std::function<void(std::vector<CNotedCopy>&)>& change)
{
  app.GetProfile().Update([change](CProfile& profile) {
    std::vector<CNotedCopy> noted = ReadNoted(profile);
    change(noted);
    if (noted.size() > static_cast<size_t>(kMaxNoted))
      noted.resize(kMaxNoted);
    WriteNoted(profile, noted);
  });
}

void Forget(CApp& app, const CString& copy)
{
  ChangeNoted(app, [copy](std::vector<CNotedCopy>& noted) {
    std::erase_if(noted, [&](const CNotedCopy& entry) { return IsSamePath(entry.copy, copy); });
  });
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
  std::vector<CNotedCopy> added;
  for (const CRecoveryCopy& copy : copies)
    if (!copy.path.IsEmpty())
      added.push_back({copy.path, copy.project.IsEmpty() ? copy.title : copy.project});
  if (added.empty())
    return;
  for (auto copy = added.rbegin(); copy != added.rend(); ++copy)
    app.AddToRecentFileList(copy->copy);
  const CProfile::CHold hold(app.GetProfile());
  ChangeNoted(app, [added](std::vector<CNotedCopy>& noted) {
    std::erase_if(noted, [&](const CNotedCopy& entry) {
      return std::any_of(added.begin(), added.end(), [&](const CNotedCopy& copy) { return copy.copy == entry.copy; });
    });
    noted.insert(noted.begin(), added.begin(), added.end());
  });
  app.SaveStdProfileSettings();
}

void OfferNotedRecoveryCopies(CApp& app)
{
  if (!DialogService().CanAsk())
    return;
  for (const CNotedCopy& noted : ReadNoted(app.GetProfile())) {
    // One the user has opened already (named on the command line) needs no word, and one that is
    // gone none either.
    if ((app.m_pDocManager && app.m_pDocManager->FindOpenDocument(noted.copy)) || !ChangeTime(noted.copy)) {
      Forget(app, noted.copy);
      continue;
    }
    const BOOL open = AskOpenNotedCopy(app, noted);
    // A question ended unanswered (the session ends meanwhile) keeps this copy and the rest
    // noted for a start where somebody answers.
    if (!DialogService().CanAsk())
      return;
    // Told once: whatever the answer, the copy is the user's file from now on.
    Forget(app, noted.copy);
    if (open)
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
  const CString text = "The recovery copy\n\n" + copy + "\n\nis newer than the project file " + projectPath +
                       ". It holds changes that were not saved when " + app.GetProductName() +
                       " ended.\n\nDo you want to open the recovery copy instead?";
  const BOOL open = AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
  // Only an answer tells the user of the copy; a question the session's end closed did not.
  if (DialogService().CanAsk())
    Forget(app, copy);
  return open ? copy : projectPath;
}
