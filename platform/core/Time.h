#pragma once
// Absolute time in seconds since 1970 (UTC); fields and formatting are local time.
// Stored in archives as an unsigned 32-bit count, valid to 2106.
#include <ctime>

#include "platform/core/String.h"

class CArchive;

class CTime
{
public:
  CTime() = default;
  explicit CTime(std::time_t t) : m_time(t) {}
  // Local time from its fields; daylight saving is decided by the system (as the class library does with -1).
  CTime(int year, int month, int day, int hour, int minute, int second);

  static CTime GetCurrentTime();
  std::time_t GetTime() const { return m_time; }
  int GetYear() const { return Local().tm_year + 1900; }
  int GetMonth() const { return Local().tm_mon + 1; }
  int GetDay() const { return Local().tm_mday; }
  int GetHour() const { return Local().tm_hour; }
  int GetMinute() const { return Local().tm_min; }
  int GetSecond() const { return Local().tm_sec; }
  int GetDayOfWeek() const { return Local().tm_wday + 1; }

  // strftime in the "C" locale, local time.
  CString Format(const char* format) const;

  friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }
  friend auto operator<=>(const CTime& a, const CTime& b) { return a.m_time <=> b.m_time; }

  friend CArchive& operator<<(CArchive& ar, const CTime& t);
  friend CArchive& operator>>(CArchive& ar, CTime& t);

private:
  std::tm Local() const;
  std::time_t m_time = 0;
};
