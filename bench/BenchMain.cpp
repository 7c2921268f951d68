// The main of every bench: runs the benchmarks as Google Benchmark's own main does, then prints
// the ratios the bench named, from the medians of the same run, with the machine's load. The CPU
// ratio of a bench that counts its started processes' CPU time is taken from that count.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/BenchRatio.h"

namespace {

struct CRatioDef
{
  std::string label;
  std::string numerator;
  std::string denominator;
  double goal;
  CBenchRatio::Goal kind;
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

double Median(std::vector<double> values)
{
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
    std::printf("\nRatios (medians of the repetitions; load average %.2f %.2f %.2f)\n", load[0], load[1], load[2]);
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

  void PrintRatio(const CRatioDef& ratio) const
  {
    const std::map<std::string, CTimes>& times =
        m_times.count(ratio.numerator) && m_times.count(ratio.denominator) ? m_times : m_medians;
    auto a = times.find(ratio.numerator);
    auto b = times.find(ratio.denominator);
    if (a == times.end() || b == times.end()) {
      std::printf("  %-44s not measured\n", ratio.label.c_str());
      return;
    }
    const double real = Median(a->second.real) / Median(b->second.real);
    const double cpu = Median(a->second.cpu) / Median(b->second.cpu);
    const bool met = ratio.kind == CBenchRatio::atMost ? real <= ratio.goal : real >= ratio.goal;
    std::printf("  %-44s %7.3f (cpu %7.3f)  goal %s %g  %s  [%zu reps]\n", ratio.label.c_str(), real, cpu,
                ratio.kind == CBenchRatio::atMost ? "<=" : ">=", ratio.goal, met ? "met" : "NOT MET",
                std::min(a->second.Repetitions(), b->second.Repetitions()));
  }

  std::map<std::string, CTimes> m_times;
  std::map<std::string, CTimes> m_medians;
};

}  // namespace

CBenchRatio::CBenchRatio(std::string label, std::string numerator, std::string denominator, double goal, Goal kind)
{
  Ratios().push_back({std::move(label), std::move(numerator), std::move(denominator), goal, kind});
}

int main(int argc, char** argv)
{
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
