#include "units/standard/Stdreg.h"

#include "model/Unitutil.h"
#include "units/standard/Arba.h"
#include "units/standard/Glba.h"
#include "units/standard/Slar.h"
#include "units/standard/Slba.h"
#include "units/standard/Swca.h"
#include "units/standard/Swcc.h"
#include "units/standard/Swcd.h"
#include "units/standard/Swci.h"
#include "units/standard/Swet.h"
#include "units/standard/Swfc.h"
#include "units/standard/Swgt.h"
#include "units/standard/Swfd.h"
#include "units/standard/Swfr.h"
#include "units/standard/Swjq.h"
#include "units/standard/Swmq.h"
#include "units/standard/Swoc.h"
#include "units/standard/Swov.h"

namespace {
template <class T>
CUnit* MakeStandardUnit()
{
  return new T;
}
} // namespace

void RegisterStandardUnits()
{
  RegisterUnitClass("GLBA005", &MakeStandardUnit<CGLBasic>);
  // Arched, springline, circle-top and circular units.
  RegisterUnitClass("ARBA011", &MakeStandardUnit<CARBasic>);
  RegisterUnitClass("SLAR012", &MakeStandardUnit<CSLArch>);
  RegisterUnitClass("SLBA012", &MakeStandardUnit<CSLBasic>);
  RegisterUnitClass("SWCC006", &MakeStandardUnit<CSWCasementAwningCircleTop>);
  RegisterUnitClass("SWCD007", &MakeStandardUnit<CSWDoubleHungCircleTop>);
  RegisterUnitClass("SWCI009", &MakeStandardUnit<CSWCircle>);
  // Specialty shapes.
  RegisterUnitClass("SWOV009", &MakeStandardUnit<CSWOval>);
  RegisterUnitClass("SWOC010", &MakeStandardUnit<CSWOctagon>);
  RegisterUnitClass("SWGT041", &MakeStandardUnit<CSWGothic>);
  RegisterUnitClass("SWET008", &MakeStandardUnit<CSWEllipticalTop>);
  RegisterUnitClass("SWMR042", &MakeStandardUnit<CSWMonumentalQuarterRoundRight>);
  RegisterUnitClass("SWML042", &MakeStandardUnit<CSWMonumentalQuarterRoundLeft>);
  RegisterUnitClass("SWCR006", &MakeStandardUnit<CSWCasementAwningQtrRoundRight>);
  RegisterUnitClass("SWCL006", &MakeStandardUnit<CSWCasementAwningQtrRoundLeft>);
  // Full-chord and full-round units.
  RegisterUnitClass("SWJQ039", &MakeStandardUnit<CSWFullChordMarquell>);
  RegisterUnitClass("SWFR040", &MakeStandardUnit<CSWMonumentalFullRound>);
  RegisterUnitClass("SWFD039", &MakeStandardUnit<CSWFullChordDoubleHung>);
  RegisterUnitClass("SWFC039", &MakeStandardUnit<CSWFullChordCasement>);
}
