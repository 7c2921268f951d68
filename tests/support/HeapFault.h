#pragma once
// An allocation made to fail on purpose, in the test programs that compile HeapFault.cpp in: they
// replace the global operator new, which then throws std::bad_alloc for the one allocation the
// test names, as a machine out of memory would. Only allocations of the thread that armed it
// count; unarmed, every allocation is the heap's own.
#include <cstddef>

namespace heapfault {

// The allocation after `passes` more fails (0: the next one), once.
void FailAfter(long passes);
// The next allocation of exactly `size` bytes fails, once.
void FailNextOfSize(std::size_t size);
// No allocation fails any more.
void Disarm();
// Whether the failure armed last has come.
bool Fired();
// The allocations counted since FailAfter armed the failure, the failing one among them, until it
// came or was disarmed. Armed past every allocation, those of a run where none fails.
long Counted();

// Allocations made while it lives neither fail nor count: a test's own bookkeeping in the middle
// of the code under test.
class CPause
{
public:
  CPause();
  ~CPause();
  CPause(const CPause&) = delete;
  CPause& operator=(const CPause&) = delete;
};

}  // namespace heapfault
