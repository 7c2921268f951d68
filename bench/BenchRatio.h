#pragma once
// Ratios a bench prints after its runs: the time of one benchmark over another's, taken in each
// round from the two run one beside the other and judged on the median of the rounds' ratios
// (bench/BenchMain.cpp), beside the goal the pair should meet. Benchmarks measured against a
// baseline name the pair once, at namespace scope:
//   const CBenchRatio ratio("redraw / painter, 500", "WorkbenchRedraw/500", "QtPainter/500", 2.0);
// A goal on growth with the size is judged against the baseline's own growth between the same
// sizes, never stated on a baseline alone: what the machine charges for size (caches outgrown,
// pages faulted in) falls on both sides, and a program is not asked to grow less than the
// plainest work of its kind. The quotient of the two growths meets the goal:
//   const CBenchGrowth growth("redraw 5,000 / 500, over the painter's", {"WorkbenchRedraw/5000",
//                             "WorkbenchRedraw/500"}, {"QtPainter/5000", "QtPainter/500"}, 1.1);
// A ratio of two baselines may be printed for comparison; it carries no goal.
// Goals are judged on CPU time, which other processes on the same cores do not lengthen; a line
// whose work waits (a synced write) names the wall clock instead.
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
    atLeast,
    none
  };
  // The time the goal is judged on.
  enum Clock
  {
    cpuTime,
    wallTime
  };
  // Prints time(numerator) / time(denominator), checked against `goal`.
  CBenchRatio(std::string label, std::string numerator, std::string denominator, double goal, Goal kind = atMost,
              Clock clock = cpuTime);
};

class CBenchGrowth
{
public:
  // The benchmarks of one side at the larger and the smaller size.
  struct CSizes
  {
    std::string larger;
    std::string smaller;
  };
  // Prints (program larger / smaller) / (baseline larger / smaller), which should be at most
  // `goal`, with both growths.
  CBenchGrowth(std::string label, CSizes program, CSizes baseline, double goal,
               CBenchRatio::Clock clock = CBenchRatio::cpuTime);
};

// Prints (time(numerator) / its `counter`) / (time(denominator) / its `counter`), which should be
// at most `goal`: the cost of one piece of the work each side counts (a join made), where the two
// sides make different numbers of them.
class CBenchRatioPer
{
public:
  CBenchRatioPer(std::string label, std::string numerator, std::string denominator, std::string counter, double goal);
};

// Prints time(numerator) / time(denominator) for comparison, with no goal.
class CBenchComparison
{
public:
  CBenchComparison(std::string label, std::string numerator, std::string denominator);
};
