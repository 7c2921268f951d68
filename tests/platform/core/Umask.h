#pragma once
// The process's umask set for the span of a test: who may read what the program writes must not
// depend on it. Put back when the object goes.
#include <sys/stat.h>

class CUmask
{
public:
  explicit CUmask(mode_t mask) : m_saved(::umask(mask)) {}
  ~CUmask() { ::umask(m_saved); }
  CUmask(const CUmask&) = delete;
  CUmask& operator=(const CUmask&) = delete;

private:
  mode_t m_saved;
};
