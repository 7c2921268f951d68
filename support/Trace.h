#pragma once
// Program-wide levelled trace. A message is emitted when its topic's level is at least the
// message's level; the levels are set once at start-up and stay for the run.
#include "platform/core/String.h"

enum TraceTopic
{
  TT_APPLICATION = 0,
  TT_SERIALIZATION = 1,
  TT_DOCUMENT = 2,
  TT_PREFERENCES = 3,
  TT_PAINT = 4,
  TT_UNIT = 5,
  TT_WORKBENCH = 6,
  TT_WORKBENCH_TOOLS = 7,
  TT_VIEWS = 8,
  TT_VRX_ENTITIES = 9,
  TT_ZOOMING_SCROLLING = 10,
  TT_TRANSLATORS = 11,
  TT_ASSEMBLERS = 12,
  TT_DIALOG_BOXES = 13,
  TT_REPORTS = 14,
  TT_SNAPPING_ALIGNMENT = 15,
  TT_JOINING = 16
};

enum TraceLevel
{
  TL_NONE = 0,
  TL_WARNING = 1,
  TL_IMPORTANT = 2,
  TL_DETAIL = 3,
  TL_VERBOSE = 4
};

class CTrace
{
public:
  using OutputRoutine = void (*)(const char* format, ...);
  static constexpr int kTopics = 32;
  static constexpr int kLevels = 100;

  explicit CTrace(int defaultLevel);
  virtual ~CTrace() = default;

  // Out-of-range topic or level indexes are ignored (level 0 is reported for them).
  int SetLevel(int topic, int level);
  int GetLevel(int topic) const;
  bool IsEnabled(int topic, int level) const;
  void SetTopicName(int topic, const CString& name);
  void SetLevelName(int level, const CString& name);
  CString GetTopicName(int topic) const;
  CString GetLevelName(int level) const;

  const char* StripPath(const char* path);
  const char* GetBaseName() const { return baseName; }
  // Returns the routine that prints the message: the emitting one after writing the
  // "%s(%d) " prefix when the topic and level pass, else one that ignores its arguments.
  OutputRoutine Start(int topic, int level, const char* file, int line);

private:
  static void Emit(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static void Ignore(const char* format, ...);

  int level[kTopics];
  CString topicName[kTopics];
  CString levelName[kLevels];
  char baseName[260] = {};
};

// Whether a value of PANECRAFT_TRACE asks for the trace output on stderr: unset, empty and "0"
// leave it off.
bool TraceOutputWanted(const char* value);

// The one trace object; reachable before any other static object needs it.
CTrace& theTrace();

#define PCTRACE(topic, lvl) theTrace().Start((topic), (lvl), __FILE__, __LINE__)
