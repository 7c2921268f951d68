// DXF export of 10,000 lines and circular arcs beside ezdxf writing the same entities with the
// same layers, colours and line types, each into a file of its own in a scratch folder. The
// export should take at most a tenth of ezdxf's time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>

#include "bench/BenchRatio.h"
#include "bench/BenchScratch.h"
#include "geometry/2darc.h"
#include "geometry/2dline.h"
#include "views/Xltdata.h"
#include "views/Xltdxf.h"

namespace {

constexpr int kEntities = 10000;
constexpr double kDegree = std::numbers::pi / 180.0;

// The file of that name in the run's scratch folder (the current folder when none could be made).
std::string ScratchFile(const char* name)
{
  static const CBenchScratch scratch("pcdxf");
  return ((scratch.Path().empty() ? std::filesystem::path(".") : scratch.Path()) / name).string();
}

// Every fourth entity a circular arc, the others lines; three categories in turn.
CVRX2DEntityArray& Entities()
{
  static CVRX2DEntityArray entities = [] {
    CVRX2DEntityArray made;
    for (int i = 0; i < kEntities; ++i) {
      const int category = 52 + i % 3;
      if (i % 4 == 3)
        made.Add(new CVRX2DArc(category, CVRX2DPoint(i * 0.25, (i % 53) * 0.75), 1.0 + (i % 7) * 0.5,
                               1.0 + (i % 7) * 0.5, CVRXAngle(0.0), CVRXAngle((i % 360) * kDegree),
                               CVRXAngle(((i + 90) % 360) * kDegree)));
      else
        made.Add(new CVRX2DLine(category, CVRX2DPoint(i * 0.5, (i % 97) * 0.25),
                                CVRX2DPoint(i * 0.5 + 3.0, (i % 89) * 0.5)));
    }
    return made;
  }();
  return entities;
}

void BM_WriteDXFFile(benchmark::State& state)
{
  CMapECatToXLTDXFData map;
  map.SetDXFData(0, new CXLTDXFData(7, "0", "Continuous"));
  map.SetDXFData(52, new CXLTDXFData(2, "A-Glaz-Prht", "Continuous"));
  map.SetDXFData(53, new CXLTDXFData(5, "A-Glaz-Sill", "Continuous"));
  map.SetDXFData(54, new CXLTDXFData(1, "A-Glaz-Elev", "Dashed"));
  const std::string path = ScratchFile("panecraft.dxf");
  const CVRX2DEntityArray& entities = Entities();
  for (auto _ : state) {
    if (!WriteDXFFile(path.c_str(), entities, &map))
      state.SkipWithError("the export failed");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kEntities);
}

// The time and the CPU time ezdxf reports for itself, without the interpreter's start.
void BM_EzdxfWrite(benchmark::State& state)
{
  const std::string command = std::string("/usr/bin/python3 '") + PANECRAFT_EZDXF_SCRIPT + "' " +
                              std::to_string(kEntities) + " '" + ScratchFile("ezdxf.dxf") + "'";
  double cpuSeconds = 0.0;
  for (auto _ : state) {
    FILE* pipe = ::popen(command.c_str(), "r");
    double seconds = -1.0;
    double cpu = -1.0;
    if (!pipe || std::fscanf(pipe, "%lf %lf", &seconds, &cpu) != 2 || (::pclose(pipe), seconds < 0.0 || cpu < 0.0)) {
      state.SkipWithError("ezdxf did not run");
      break;
    }
    state.SetIterationTime(seconds);
    cpuSeconds += cpu;
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kEntities);
  state.counters[kChildrenCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
}

const CBenchRatio kExport("DXF export / ezdxf, 10,000 entities", "BM_WriteDXFFile",
                          "BM_EzdxfWrite/iterations:5/manual_time", 0.1);

}  // namespace

BENCHMARK(BM_WriteDXFFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EzdxfWrite)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
