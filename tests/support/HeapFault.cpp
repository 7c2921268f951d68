#include "HeapFault.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

enum class Mode
{
  off,
  count,
  size
};

std::atomic<Mode> g_mode{Mode::off};
std::atomic<bool> g_fired{false};
// Only the thread that armed the failure counts; Qt's threads keep their heap.
thread_local bool t_armedHere = false;
thread_local int t_paused = 0;
long g_passes = 0;
long g_counted = 0;
std::size_t g_size = 0;

bool ShouldFail(std::size_t size)
{
  if (g_mode.load(std::memory_order_relaxed) == Mode::off || !t_armedHere || t_paused > 0)
    return false;
  if (g_mode.load() == Mode::count) {
    ++g_counted;
    if (g_passes-- > 0)
      return false;
  }
  if (g_mode.load() == Mode::size && size != g_size)
    return false;
  g_mode = Mode::off;
  g_fired = true;
  return true;
}

void Arm(Mode mode)
{
  t_armedHere = true;
  g_fired = false;
  g_mode = mode;
}

void* Allocate(std::size_t size)
{
  if (ShouldFail(size))
    throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept
{
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

namespace heapfault {

void FailAfter(long passes)
{
  g_passes = passes;
  g_counted = 0;
  Arm(Mode::count);
}

void FailNextOfSize(std::size_t size)
{
  g_size = size;
  Arm(Mode::size);
}

void Disarm()
{
  g_mode = Mode::off;
  t_armedHere = false;
}

bool Fired() { return g_fired; }

long Counted() { return g_counted; }

CPause::CPause() { ++t_paused; }
CPause::~CPause() { --t_paused; }

}  // namespace heapfault

// Every form but the aligned ones, which keep the library's own pair: under AddressSanitizer a
// block must go back through the family it came from.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
