#pragma once
// The application profile: an INI file of our own handling (sections and keys matched without
// regard to ASCII case, values kept as raw bytes), read with the semantics of the Windows profile
// reader. Every write goes to the disk at once, replacing the file atomically, so a write's result
// tells whether it was stored. A file that is not a regular file (a FIFO, a device) is neither
// read nor written; that, a file that cannot be read and the first failed write are told on
// standard error.
// Several running instances share the file. A write takes the file's lock, reads the file again
// and applies to what it holds only what this instance changed (the keys it set or removed, the
// edits it made), so what another instance wrote meanwhile stays. Reads give the file as this
// instance read it at its start, with its own changes.
#include <functional>
#include <string>
#include <vector>

#include "platform/core/String.h"

class CProfile
{
public:
  // $XDG_CONFIG_HOME/<maker>/<application>.ini, with ~/.config in place of an unset, empty or
  // relative XDG_CONFIG_HOME. The result is a UTF-8 file-system path.
  static std::string DefaultPath(const char* makerName, const char* applicationName);

  // A profile without a file: reads give the defaults, writes fail.
  CProfile() = default;
  // Reads the file now; a missing file is an empty profile. A file that exists but cannot be
  // read, or is not a regular file, is never overwritten: its writes fail.
  explicit CProfile(std::string path);

  const std::string& GetPath() const { return m_path; }

  // The value as stored, or the default (empty when none) when the key is missing.
  CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr) const;
  // The default when the key is missing or empty; otherwise leading blanks are skipped and an
  // optional sign and the leading decimal digits are read, giving 0 when there are none.
  int GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) const;

  // A null value deletes the key. Fails when the file cannot be replaced, or when a name or the
  // value holds a line break (or a section name a ']', a key an '=') that the file cannot keep.
  // Writing the value the key already has here changes nothing: settings written back unchanged
  // at exit never undo what another instance changed.
  BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
  BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);

  // A change that depends on what the profile holds, as putting an entry first in a list kept in
  // numbered keys. The edit runs on this profile now, and again on what the file holds when the
  // change is written, so that its result takes in what other instances wrote; within it, reads
  // and writes go to the profile it is given, in memory. Fails as a write does.
  using Edit = std::function<void(CProfile&)>;
  BOOL Update(const Edit& edit);

  // While held, writes change the profile in memory only and go to the disk in one write when
  // the last hold ends: the many settings kept at exit then cost one replacement of the file,
  // not one each. A held write fails only for what the file cannot keep; should the one write
  // fail, the profile is as it was before the hold, and standard error says so.
  class CHold
  {
  public:
    explicit CHold(CProfile& profile);
    ~CHold();
    CHold(const CHold&) = delete;
    CHold& operator=(const CHold&) = delete;

  private:
    CProfile& m_profile;
  };

  // While one lives, writes only fill in what this instance takes a key the file lacks to hold
  // (a setting's default as it was loaded): nothing is stored, and a later write of the same
  // value is no change, so defaults written back at exit never undo another instance's setting.
  // A key the file holds keeps its value as read; another value written later is a change.
  class CAsRead
  {
  public:
    explicit CAsRead(CProfile& profile) : m_profile(profile) { ++m_profile.m_nAsRead; }
    ~CAsRead() { --m_profile.m_nAsRead; }
    CAsRead(const CAsRead&) = delete;
    CAsRead& operator=(const CAsRead&) = delete;

  private:
    CProfile& m_profile;
  };

private:
  // One line of the file; lines that are neither section headers nor entries (comments, blank
  // lines) are kept as they were.
  struct Line
  {
    enum Kind
    {
      section,
      entry,
      other
    } kind;
    CString name;   // section or key name
    CString value;  // entry value, or the whole text of another line
  };

  void Parse(const std::string& text);
  std::string Compose() const;
  void RunEdit(const Edit& edit);
  BOOL ComposeOverStored(std::string& text, CString& reason);
  BOOL Store();
  void TellFailure(const CString& reason);
  int FindSection(LPCTSTR section) const;
  int FindEntry(int sectionLine, LPCTSTR entry) const;
  int SectionEnd(int sectionLine) const;
  void SetValue(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
  void RemoveValue(LPCTSTR section, LPCTSTR entry);

  std::string m_path;
  std::vector<Line> m_lines;
  bool m_writable = false;
  bool m_bFailureTold = false;
  int m_nHolds = 0;
  // The lines as they were when the first hold began.
  std::vector<Line> m_storedLines;
  // This instance's changes not written yet, applied again to the file as it is at the write.
  std::vector<Edit> m_pending;
  // While an edit runs, writes change the lines in memory only.
  int m_nEditing = 0;
  int m_nAsRead = 0;
};
