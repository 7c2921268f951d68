#include "platform/core/Time.h"

#include "platform/core/Archive.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  m_time = std::mktime(&tm);
}

CTime CTime::GetCurrentTime() { return CTime(std::time(nullptr)); }

std::tm CTime::Local() const
{
  std::tm tm{};
  localtime_r(&m_time, &tm);
  return tm;
}

CString CTime::Format(const char* format) const
{
  CCNumericLocaleScope scope;
  std::tm tm = Local();
  char buffer[256];
  size_t n = std::strftime(buffer, sizeof buffer, format ? format : "", &tm);
  return CString(buffer, static_cast<int>(n));
}

CArchive& operator<<(CArchive& ar, const CTime& t) { return ar << static_cast<DWORD>(t.m_time); }

CArchive& operator>>(CArchive& ar, CTime& t)
{
  DWORD seconds = 0;
  ar >> seconds;
  t.m_time = static_cast<std::time_t>(seconds);
  return ar;
}
