#pragma once
// Ratios a bench prints after its runs: the time of one benchmark over another's from the same
// run (the median of its repetitions), beside the goal the pair should meet. Benchmarks measured
// against a baseline name the pair once, at namespace scope:
//   const CBenchRatio ratio("redraw / painter, 500", "WorkbenchRedraw/500", "QtPainter/500", 2.0);
#include <string>

// A bench whose work runs in the processes it starts reports their own CPU seconds per iteration
// in this counter; its ratios then take the CPU time from it instead of from the bench's process,
// which only waits for them.
inline constexpr const char* kChildrenCpuCounter = "children_cpu";

class CBenchRatio
{
public:
  enum Goal
  {
    atMost,
    atLeast
  };
  // Prints time(numerator) / time(denominator), checked against `goal`.
  CBenchRatio(std::string label, std::string numerator, std::string denominator, double goal, Goal kind = atMost);
};
