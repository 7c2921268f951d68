// The main of every bench: runs the benchmarks as Google Benchmark's own main does, then prints
// the ratios and growths the bench named, from the median of each benchmark's repetitions in the
// same run, with the machine's load. A single repetition can come out fast by luck (the caches
// warm, no other process on the core), and a verdict on the fastest one passes a line that most
// repetitions miss; the median is what the repetitions agree on. Unless the command line asks for
// another count, each benchmark is repeated five times. A goal is judged on CPU time, which
// other processes on the same cores do not lengthen as they do the wall-clock time, unless the
// line names the wall clock for work that waits (a synced write). The CPU ratio of a bench that
// counts its started processes' CPU time is taken from that count.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/BenchRatio.h"

namespace {

// A ratio, or with a baseline pair a growth: the numerator's and denominator's ratio over the
// baseline's.
struct CRatioDef
{
  std::string label;
  std::string numerator;
  std::string denominator;
  double goal;
  CBenchRatio::Goal kind;
  CBenchRatio::Clock clock;
  std::string baseNumerator;
  std::string baseDenominator;
};

std::vector<CRatioDef>& Ratios()
{
  static std::vector<CRatioDef> ratios;
  return ratios;
}

struct CTimes
{
  std::vector<double> real;  // seconds per iteration, one per repetition
  std::vector<double> cpu;
  size_t repetitions = 0;  // of a median reported alone
  size_t Repetitions() const { return repetitions ? repetitions : real.size(); }
};

constexpr int kDefaultRepetitions = 5;

// The time a benchmark stands for: the median of its repetitions (of an even count, the mean of
// the middle two), or the median itself when only that came.
double Median(std::vector<double> values)
{
  if (values.empty())
    return 0;
  const size_t middle = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
  const double upper = values[middle];
  if (values.size() % 2 != 0)
    return upper;
  return (*std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle)) + upper) / 2;
}

// The console output as usual, and each repetition's time kept for the ratios.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
  // Colours only on a terminal, as the library's own main decides by default.
  CRatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override
  {
    for (const Run& run : runs) {
      // With --benchmark_report_aggregates_only only the aggregates come: the median stands for
      // the repetitions.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred &&
          run.iterations > 0) {
        CTimes& times = m_medians[run.run_name.str()];
        times.real = {run.real_accumulated_time / static_cast<double>(run.iterations)};
        times.cpu = {CpuSeconds(run)};
        times.repetitions = static_cast<size_t>(run.repetitions);
        continue;
      }
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0)
        continue;
      CTimes& times = m_times[run.run_name.str()];
      times.real.push_back(run.real_accumulated_time / static_cast<double>(run.iterations));
      times.cpu.push_back(CpuSeconds(run));
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const
  {
    if (Ratios().empty())
      return;
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) < 0)
      load[0] = load[1] = load[2] = -1;
    std::printf("\nRatios (median of the repetitions of each; load average %.2f %.2f %.2f)\n", load[0], load[1],
                load[2]);
    for (const CRatioDef& ratio : Ratios())
      PrintRatio(ratio);
  }

private:
  // Per iteration: the started processes' own when the bench counted them, else the bench's.
  static double CpuSeconds(const Run& run)
  {
    const auto children = run.counters.find(kChildrenCpuCounter);
    if (children != run.counters.end())
      return children->second.value;
    return run.cpu_accumulated_time / static_cast<double>(run.iterations);
  }

  // The times of one pair over each other, real and CPU, and the fewest repetitions.
  struct CQuotient
  {
    double real = 0;
    double cpu = 0;
    size_t repetitions = 0;
  };
  bool Quotient(const std::string& numerator, const std::string& denominator, CQuotient& quotient) const
  {
    const std::map<std::string, CTimes>& times =
        m_times.count(numerator) && m_times.count(denominator) ? m_times : m_medians;
    auto a = times.find(numerator);
    auto b = times.find(denominator);
    if (a == times.end() || b == times.end())
      return false;
    quotient.real = Median(a->second.real) / Median(b->second.real);
    quotient.cpu = Median(a->second.cpu) / Median(b->second.cpu);
    quotient.repetitions = std::min(a->second.Repetitions(), b->second.Repetitions());
    return true;
  }

  void PrintRatio(const CRatioDef& ratio) const
  {
    CQuotient value;
    CQuotient base{1, 1, SIZE_MAX};
    const bool growth = !ratio.baseNumerator.empty();
    if (!Quotient(ratio.numerator, ratio.denominator, value) ||
        (growth && !Quotient(ratio.baseNumerator, ratio.baseDenominator, base))) {
      std::printf("  %-50s not measured\n", ratio.label.c_str());
      return;
    }
    const double real = value.real / base.real;
    const double cpu = value.cpu / base.cpu;
    const size_t repetitions = std::min(value.repetitions, base.repetitions);
    std::printf("  %-50s %7.3f (cpu %7.3f)  ", ratio.label.c_str(), real, cpu);
    if (ratio.kind == CBenchRatio::none)
      std::printf("for comparison  [median of %zu reps]\n", repetitions);
    else {
      const bool onCpu = ratio.clock == CBenchRatio::cpuTime;
      const double judged = onCpu ? cpu : real;
      const bool met = ratio.kind == CBenchRatio::atMost ? judged <= ratio.goal : judged >= ratio.goal;
      std::printf("goal %s %g on %s  %s  [median of %zu reps]",
                  ratio.kind == CBenchRatio::atMost ? "<=" : ">=", ratio.goal, onCpu ? "cpu" : "wall",
                  met ? "met" : "NOT MET", repetitions);
      if (growth)
        std::printf("  growth %.3f, baseline's %.3f", onCpu ? value.cpu : value.real, onCpu ? base.cpu : base.real);
      std::printf("\n");
    }
  }

  std::map<std::string, CTimes> m_times;
  std::map<std::string, CTimes> m_medians;
};

}  // namespace

CBenchRatio::CBenchRatio(std::string label, std::string numerator, std::string denominator, double goal, Goal kind,
                         Clock clock)
{
  Ratios().push_back({std::move(label), std::move(numerator), std::move(denominator), goal, kind, clock, {}, {}});
}

CBenchGrowth::CBenchGrowth(std::string label, CSizes program, CSizes baseline, double goal, CBenchRatio::Clock clock)
{
  Ratios().push_back({std::move(label), std::move(program.larger), std::move(program.smaller), goal,
                      CBenchRatio::atMost, clock, std::move(baseline.larger), std::move(baseline.smaller)});
}

CBenchComparison::CBenchComparison(std::string label, std::string numerator, std::string denominator)
{
  Ratios().push_back({std::move(label),
                      std::move(numerator),
                      std::move(denominator),
                      0,
                      CBenchRatio::none,
                      CBenchRatio::cpuTime,
                      {},
                      {}});
}

int main(int argc, char** argv)
{
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=" + std::to_string(kDefaultRepetitions);
  if (std::none_of(args.begin(), args.end(),
                   [](const char* arg) { return std::strncmp(arg, "--benchmark_repetitions", 23) == 0; }))
    args.insert(args.begin() + 1, repetitions.data());
  argc = static_cast<int>(args.size());
  args.push_back(nullptr);
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  CRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::fflush(stdout);
  benchmark::Shutdown();
  return 0;
}
