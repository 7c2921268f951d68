#pragma once
// The one Qt application of a GUI bench, and the application that benches over designs run with:
// its services, the sample catalogue and the classes of a design's items. Each is made on first
// use and never destroyed: the benches' windows are not, and after main returns Qt's own globals
// may be gone before an application destroyed then.
#include <string>

#include "bench/BenchServices.h"
#include "bench/BenchSetup.h"
#include "ui/dlg/DialogService.h"
#include "ui/wnd/QtApp.h"

namespace bench {

inline CQtApplication& QtApplication(const char* name)
{
  static int argc = 1;
  static std::string program = name;
  static char* argv[] = {program.data(), nullptr};
  static auto* app = new CQtApplication(argc, argv);
  return *app;
}

struct CDesignBenchApp
{
  CBenchServices services;
  CScriptedDialogService dialogs;
};

inline CDesignBenchApp& DesignBenchApp(const char* name, const char* databaseDir)
{
  QtApplication(name);
  static auto* app = [databaseDir] {
    auto* made = new CDesignBenchApp;
    SetUpDesignBench(made->services, made->dialogs, databaseDir);
    return made;
  }();
  return *app;
}

}  // namespace bench
