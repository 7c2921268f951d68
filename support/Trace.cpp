#include "support/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool InRange(int index, int count) { return index >= 0 && index < count; }

// Output goes to stderr only when asked for; the released program discards it.
bool OutputWanted()
{
  static const bool wanted = TraceOutputWanted(std::getenv("PANECRAFT_TRACE"));
  return wanted;
}

}  // namespace

bool TraceOutputWanted(const char* value) { return value && *value && std::strcmp(value, "0") != 0; }

CTrace& theTrace()
{
  static CTrace trace(TL_WARNING);
  return trace;
}

CTrace::CTrace(int defaultLevel)
{
  for (int& l : level)
    l = defaultLevel;
}

int CTrace::SetLevel(int topic, int newLevel)
{
  if (!InRange(topic, kTopics))
    return 0;
  int previous = level[topic];
  level[topic] = newLevel;
  return previous;
}

int CTrace::GetLevel(int topic) const { return InRange(topic, kTopics) ? level[topic] : 0; }

bool CTrace::IsEnabled(int topic, int messageLevel) const
{
  return InRange(topic, kTopics) && level[topic] >= messageLevel;
}

void CTrace::SetTopicName(int topic, const CString& name)
{
  if (InRange(topic, kTopics))
    topicName[topic] = name;
}

void CTrace::SetLevelName(int lvl, const CString& name)
{
  if (InRange(lvl, kLevels))
    levelName[lvl] = name;
}

CString CTrace::GetTopicName(int topic) const { return InRange(topic, kTopics) ? topicName[topic] : CString(); }
CString CTrace::GetLevelName(int lvl) const { return InRange(lvl, kLevels) ? levelName[lvl] : CString(); }

const char* CTrace::StripPath(const char* path)
{
  if (!path)
    path = "";
  const char* base = path;
  for (const char* p = path + std::strlen(path); p > path; --p) {
    char c = p[-1];
    if (c == '\\' || c == '/' || c == ':') {
      base = p;
      break;
    }
  }
  std::strncpy(baseName, base, sizeof baseName - 1);
  baseName[sizeof baseName - 1] = '\0';
  return base;
}

CTrace::OutputRoutine CTrace::Start(int topic, int messageLevel, const char* file, int line)
{
  if (!IsEnabled(topic, messageLevel))
    return &CTrace::Ignore;
  Emit("%s(%d) ", StripPath(file), line);
  return &CTrace::Emit;
}

void CTrace::Emit(const char* format, ...)
{
  if (!OutputWanted())
    return;
  CCNumericLocaleScope scope;
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
}

void CTrace::Ignore(const char*, ...) {}
