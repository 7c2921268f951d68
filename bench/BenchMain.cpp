// The main of every bench. The benchmarks run in rounds, one repetition of each per round (five
// rounds unless --benchmark_repetitions says otherwise), each on its own, and within a round each
// ratio's subject runs right beside its baseline (a baseline several lines share runs again
// beside every other subject, once between two). Each line takes one ratio per round from its
// pair and is judged on the median of the rounds' ratios: a slow patch of the machine (another
// process taking the core or the memory bus, a clock step) falls on both sides of the pair it
// lands on, where one side's repetitions run after the other's let it slow one side alone and
// the quotient of the two medians moved with it. A growth is the quotient of two pairs' ratios of
// the same round. The line shows the spread of the rounds' ratios beside their median, and the
// machine's load average is printed at the start and the end. A goal is judged on CPU time,
// which other processes on the same cores do not lengthen as they do the wall-clock time, unless
// the line names the wall clock for work that waits (a synced write). The CPU time of a bench
// that counts its started processes' CPU time is taken from that count.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <list>
#include <map>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "bench/BenchRatio.h"

namespace {

constexpr int kDefaultRepetitions = 5;

// A subject measured against its baseline.
using CPair = std::pair<std::string, std::string>;

// A ratio is one pair; a growth two, the larger size's and the smaller's, its value the
// quotient of their ratios.
struct CRatioDef
{
  std::string label;
  std::vector<CPair> pairs;
  double goal;
  CBenchRatio::Goal kind;
  CBenchRatio::Clock clock;
  std::string per;  // the counter each side's time is divided by, if any
};

std::vector<CRatioDef>& Ratios()
{
  static std::vector<CRatioDef> ratios;
  return ratios;
}

// One run of a benchmark: seconds per iteration.
struct CTime
{
  bool measured = false;
  double real = 0;
  double cpu = 0;
  std::map<std::string, double> counters;
  double Of(CBenchRatio::Clock clock) const { return clock == CBenchRatio::cpuTime ? cpu : real; }
};

// The median of the values (of an even count, the mean of the middle two).
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

// Per iteration: the started processes' own when the bench counted them, else the bench's.
double CpuSeconds(const benchmark::BenchmarkReporter::Run& run)
{
  const auto children = run.counters.find(kChildrenCpuCounter);
  if (children != run.counters.end())
    return children->second.value;
  return run.cpu_accumulated_time / static_cast<double>(run.iterations);
}

// The console output as usual, the machine's description once, and the time of the run last
// reported kept for the round.
class CRoundReporter : public benchmark::ConsoleReporter
{
public:
  // Colours only on a terminal, as the library's own main decides by default.
  explicit CRoundReporter(size_t nameWidth)
    : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular), m_nameWidth(nameWidth)
  {}

  // Each benchmark is run on its own: the context is told once, and the names keep one column.
  bool ReportContext(const Context& context) override
  {
    if (!m_contextShown)
      ConsoleReporter::ReportContext(context);
    m_contextShown = true;
    name_field_width_ = m_nameWidth;
    return true;
  }

  void ReportRuns(const std::vector<Run>& runs) override
  {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) {
        m_last = CTime();
        if (!run.error_occurred && run.iterations > 0) {
          m_last = {true, run.real_accumulated_time / static_cast<double>(run.iterations), CpuSeconds(run), {}};
          for (const auto& [name, counter] : run.counters)
            m_last.counters[name] = counter.value;
        }
        m_units[run.run_name.str()] = run.time_unit;
      }
    ConsoleReporter::ReportRuns(runs);
  }

  // The run reported since the last call, unmeasured where none was or it failed.
  CTime TakeLast() { return std::exchange(m_last, CTime()); }
  benchmark::TimeUnit UnitOf(const std::string& name) const
  {
    const auto unit = m_units.find(name);
    return unit == m_units.end() ? benchmark::kNanosecond : unit->second;
  }

private:
  size_t m_nameWidth;
  bool m_contextShown = false;
  CTime m_last;
  std::map<std::string, benchmark::TimeUnit> m_units;
};

// The order of one round: every pair's subject beside its baseline, the pairs with the same
// baseline one after the other so that two subjects share the baseline's run between them, then
// the benchmarks no line names.
class CRounds
{
public:
  CRounds(const std::vector<std::string>& listed, const std::vector<CRatioDef>& ratios)
  {
    std::vector<std::string> baselines;
    std::map<std::string, std::vector<std::string>> subjects;
    for (const CRatioDef& ratio : ratios)
      if (Measurable(ratio, listed))
        for (const CPair& pair : ratio.pairs) {
          std::vector<std::string>& of = subjects[pair.second];
          if (of.empty())
            baselines.push_back(pair.second);
          if (std::find(of.begin(), of.end(), pair.first) == of.end())
            of.push_back(pair.first);
        }
    for (const std::string& baseline : baselines)
      for (const std::string& subject : subjects[baseline]) {
        // The baseline's run just made serves the next subject too, which then runs after it.
        const bool shared = !m_order.empty() && m_order.back() == baseline;
        m_order.push_back(subject);
        if (shared) {
          m_pairs[{subject, baseline}] = {m_order.size() - 1, m_order.size() - 2};
          continue;
        }
        m_order.push_back(baseline);
        m_pairs[{subject, baseline}] = {m_order.size() - 2, m_order.size() - 1};
      }
    for (const std::string& name : listed)
      if (std::find(m_order.begin(), m_order.end(), name) == m_order.end())
        m_order.push_back(name);
    m_times.resize(m_order.size());
  }

  static bool Measurable(const CRatioDef& ratio, const std::vector<std::string>& listed)
  {
    auto isListed = [&listed](const std::string& name) {
      return std::find(listed.begin(), listed.end(), name) != listed.end();
    };
    return std::all_of(ratio.pairs.begin(), ratio.pairs.end(),
                       [&](const CPair& pair) { return isListed(pair.first) && isListed(pair.second); });
  }

  void RunOne(CRoundReporter& reporter)
  {
    for (size_t slot = 0; slot < m_order.size(); ++slot) {
      benchmark::RunSpecifiedBenchmarks(&reporter, ExactName(m_order[slot]));
      m_times[slot].push_back(reporter.TakeLast());
    }
  }

  size_t Rounds() const { return m_times.empty() ? 0 : m_times.front().size(); }
  // The times of a pair's subject and baseline in a round.
  std::pair<CTime, CTime> Pair(const CPair& pair, size_t round) const
  {
    const auto slots = m_pairs.find(pair);
    if (slots == m_pairs.end())
      return {};
    return {m_times[slots->second.first][round], m_times[slots->second.second][round]};
  }
  // Every time a benchmark took, in every round and place.
  std::vector<CTime> TimesOf(const std::string& name) const
  {
    std::vector<CTime> times;
    for (size_t slot = 0; slot < m_order.size(); ++slot)
      if (m_order[slot] == name)
        times.insert(times.end(), m_times[slot].begin(), m_times[slot].end());
    return times;
  }

private:
  // A filter matching the one benchmark of that name.
  static std::string ExactName(const std::string& name)
  {
    std::string pattern = "^";
    for (char c : name) {
      if (std::strchr("\\.^$|()[]{}*+?", c))
        pattern += '\\';
      pattern += c;
    }
    return pattern + "$";
  }

  std::vector<std::string> m_order;
  std::map<CPair, std::pair<size_t, size_t>> m_pairs;  // the slots of subject and baseline
  std::vector<std::vector<CTime>> m_times;             // per slot, one per round
};

// A line's value in each round where all of its benchmarks were measured, with the growths of
// the two sides (a growth line's only).
struct CRoundValues
{
  std::vector<double> value;
  std::vector<double> subjectGrowth;
  std::vector<double> baselineGrowth;
};

CRoundValues ValuesOf(const CRatioDef& ratio, const CRounds& rounds, CBenchRatio::Clock clock)
{
  CRoundValues values;
  for (size_t round = 0; round < rounds.Rounds(); ++round) {
    std::vector<std::pair<double, double>> pairs;
    for (const CPair& pair : ratio.pairs) {
      const auto [subject, baseline] = rounds.Pair(pair, round);
      if (!subject.measured || !baseline.measured || baseline.Of(clock) <= 0)
        break;
      if (!ratio.per.empty()) {
        const auto made = subject.counters.find(ratio.per);
        const auto madeByBaseline = baseline.counters.find(ratio.per);
        if (made == subject.counters.end() || madeByBaseline == baseline.counters.end() || made->second <= 0 ||
            madeByBaseline->second <= 0)
          break;
        pairs.emplace_back(subject.Of(clock) / made->second, baseline.Of(clock) / madeByBaseline->second);
        continue;
      }
      pairs.emplace_back(subject.Of(clock), baseline.Of(clock));
    }
    if (pairs.size() != ratio.pairs.size())
      continue;
    if (pairs.size() == 1) {
      values.value.push_back(pairs[0].first / pairs[0].second);
      continue;
    }
    if (pairs[1].first <= 0)
      continue;
    values.value.push_back((pairs[0].first / pairs[0].second) / (pairs[1].first / pairs[1].second));
    values.subjectGrowth.push_back(pairs[0].first / pairs[1].first);
    values.baselineGrowth.push_back(pairs[0].second / pairs[1].second);
  }
  return values;
}

void PrintRatio(const CRatioDef& ratio, const CRounds& rounds)
{
  const CRoundValues real = ValuesOf(ratio, rounds, CBenchRatio::wallTime);
  const CRoundValues cpu = ValuesOf(ratio, rounds, CBenchRatio::cpuTime);
  if (real.value.empty() || cpu.value.empty()) {
    std::printf("  %-50s not measured\n", ratio.label.c_str());
    return;
  }
  const bool onCpu = ratio.clock == CBenchRatio::cpuTime;
  const CRoundValues& judged = onCpu ? cpu : real;
  const double value = Median(judged.value);
  std::printf("  %-50s %7.3f (cpu %7.3f)  ", ratio.label.c_str(), Median(real.value), Median(cpu.value));
  if (ratio.kind != CBenchRatio::none) {
    const bool met = ratio.kind == CBenchRatio::atMost ? value <= ratio.goal : value >= ratio.goal;
    std::printf("goal %s %g on %s  %s  ", ratio.kind == CBenchRatio::atMost ? "<=" : ">=", ratio.goal,
                onCpu ? "cpu" : "wall", met ? "met" : "NOT MET");
  } else
    std::printf("for comparison  ");
  const auto [low, high] = std::minmax_element(judged.value.begin(), judged.value.end());
  std::printf("[median of %zu pairs, %s %.3f-%.3f]", judged.value.size(), onCpu ? "cpu" : "wall", *low, *high);
  if (!judged.subjectGrowth.empty())
    std::printf("  growth %.3f, baseline's %.3f", Median(judged.subjectGrowth), Median(judged.baselineGrowth));
  std::printf("\n");
}

// Each benchmark's median over all its runs, as the library prints it for repetitions run
// together.
void PrintMedians(const std::vector<std::string>& listed, const CRounds& rounds, const CRoundReporter& reporter)
{
  std::printf("\nMedians of the runs of each benchmark\n");
  for (const std::string& name : listed) {
    std::vector<double> real;
    std::vector<double> cpu;
    for (const CTime& time : rounds.TimesOf(name))
      if (time.measured) {
        real.push_back(time.real);
        cpu.push_back(time.cpu);
      }
    if (real.empty())
      continue;
    const benchmark::TimeUnit unit = reporter.UnitOf(name);
    const double scale = benchmark::GetTimeUnitMultiplier(unit);
    std::printf("  %-60s %12.3f %s %12.3f %s cpu  [%zu runs]\n", name.c_str(), Median(real) * scale,
                benchmark::GetTimeUnitString(unit), Median(cpu) * scale, benchmark::GetTimeUnitString(unit),
                real.size());
  }
}

void PrintLoad(const char* when)
{
  double load[3] = {-1, -1, -1};
  if (getloadavg(load, 3) < 0)
    load[0] = load[1] = load[2] = -1;
  std::printf("load average %s %.2f %.2f %.2f", when, load[0], load[1], load[2]);
}

// The library's flags from the command line as given, with one repetition per run and the
// flags added. The library keeps argv[0] for the header it prints with the first report, so the
// strings of every call stay to the end of the process.
int Initialize(const std::vector<std::string>& arguments, const std::vector<std::string>& added)
{
  static std::list<std::vector<std::string>> kept;
  std::vector<std::string>& all = kept.emplace_back(arguments);
  all.insert(all.begin() + 1, "--benchmark_repetitions=1");
  all.insert(all.end(), added.begin(), added.end());
  std::vector<char*> argv;
  for (std::string& argument : all)
    argv.push_back(argument.data());
  int argc = static_cast<int>(argv.size());
  argv.push_back(nullptr);
  benchmark::Initialize(&argc, argv.data());
  return benchmark::ReportUnrecognizedArguments(argc, argv.data()) ? 1 : 0;
}

// The benchmarks the command line's filter selects, in the library's order.
std::vector<std::string> ListedBenchmarks(const std::vector<std::string>& arguments)
{
  Initialize(arguments, {"--benchmark_list_tests=true"});
  std::ostringstream names;
  std::streambuf* const console = std::cout.rdbuf(names.rdbuf());
  benchmark::ConsoleReporter listing;
  listing.SetOutputStream(&names);
  benchmark::RunSpecifiedBenchmarks(&listing);
  std::cout.rdbuf(console);
  std::vector<std::string> listed;
  std::istringstream lines(names.str());
  for (std::string line; std::getline(lines, line);)
    if (!line.empty())
      listed.push_back(line);
  return listed;
}

// Whether the command line asks for the list of the benchmarks alone.
bool ListAsked(const std::vector<std::string>& arguments)
{
  return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
    return argument == "--benchmark_list_tests" || argument == "--benchmark_list_tests=true" ||
           argument == "--benchmark_list_tests=1";
  });
}

}  // namespace

CBenchRatio::CBenchRatio(std::string label, std::string numerator, std::string denominator, double goal, Goal kind,
                         Clock clock)
{
  Ratios().push_back({std::move(label), {{std::move(numerator), std::move(denominator)}}, goal, kind, clock, {}});
}

CBenchGrowth::CBenchGrowth(std::string label, CSizes program, CSizes baseline, double goal, CBenchRatio::Clock clock)
{
  Ratios().push_back({std::move(label),
                      {{std::move(program.larger), std::move(baseline.larger)},
                       {std::move(program.smaller), std::move(baseline.smaller)}},
                      goal,
                      CBenchRatio::atMost,
                      clock,
                      {}});
}

CBenchRatioPer::CBenchRatioPer(std::string label, std::string numerator, std::string denominator, std::string counter,
                               double goal)
{
  Ratios().push_back({std::move(label),
                      {{std::move(numerator), std::move(denominator)}},
                      goal,
                      CBenchRatio::atMost,
                      CBenchRatio::cpuTime,
                      std::move(counter)});
}

CBenchComparison::CBenchComparison(std::string label, std::string numerator, std::string denominator)
{
  Ratios().push_back({std::move(label),
                      {{std::move(numerator), std::move(denominator)}},
                      0,
                      CBenchRatio::none,
                      CBenchRatio::cpuTime,
                      {}});
}

int main(int argc, char** argv)
{
  std::vector<std::string> arguments(argv, argv + argc);
  int repetitions = kDefaultRepetitions;
  for (auto argument = arguments.begin(); argument != arguments.end();)
    if (argument->rfind("--benchmark_repetitions=", 0) == 0) {
      repetitions = std::max(1, std::atoi(argument->c_str() + std::strlen("--benchmark_repetitions=")));
      argument = arguments.erase(argument);
    } else
      ++argument;
  if (ListAsked(arguments)) {
    if (Initialize(arguments, {}) != 0)
      return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
  }
  const std::vector<std::string> listed = ListedBenchmarks(arguments);
  if (Initialize(arguments, {"--benchmark_list_tests=false"}) != 0)
    return 1;
  if (listed.empty()) {
    std::fprintf(stderr, "No benchmark matches the filter.\n");
    return 1;
  }
  size_t nameWidth = 10;
  for (const std::string& name : listed)
    nameWidth = std::max(nameWidth, name.size());
  CRoundReporter reporter(nameWidth);
  CRounds rounds(listed, Ratios());
  std::printf("%d rounds, each benchmark beside its baseline; ", repetitions);
  PrintLoad("at the start");
  std::printf("\n");
  for (int round = 0; round < repetitions; ++round)
    rounds.RunOne(reporter);
  PrintMedians(listed, rounds, reporter);
  if (!Ratios().empty()) {
    std::printf("\nRatios (median of the rounds' pairs, each subject run beside its baseline; ");
    PrintLoad("now");
    std::printf(")\n");
    for (const CRatioDef& ratio : Ratios())
      PrintRatio(ratio, rounds);
  }
  std::fflush(stdout);
  benchmark::Shutdown();
  return 0;
}
