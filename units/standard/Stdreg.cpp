#include "units/standard/Stdreg.h"

#include "model/Unitutil.h"
#include "units/standard/AWPI.h"
#include "units/standard/AWVP.h"
#include "units/standard/Arba.h"
#include "units/standard/Ardl.h"
#include "units/standard/Arsl.h"
#include "units/standard/Awba.h"
#include "units/standard/Caba.h"
#include "units/standard/Capi.h"
#include "units/standard/Dhkc.h"
#include "units/standard/Dhpi.h"
#include "units/standard/Dhqv.h"
#include "units/standard/Dhtr.h"
#include "units/standard/Fgba.h"
#include "units/standard/Fhba.h"
#include "units/standard/Glba.h"
#include "units/standard/Psba.h"
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
}  // namespace

void RegisterStandardUnits()
{
  RegisterUnitClass("GLBA005", &MakeStandardUnit<CGLBasic>);
  RegisterUnitClass("PSBA016", &MakeStandardUnit<CPSBasic>);
  RegisterUnitClass("FGBA015", &MakeStandardUnit<CFGBasic>);
  RegisterUnitClass("FHBA014", &MakeStandardUnit<CFHBasic>);
  RegisterUnitClass("CABA001", &MakeStandardUnit<CCABasic>);
  RegisterUnitClass("CAPI001", &MakeStandardUnit<CCAPicture>);
  RegisterUnitClass("AWBA002", &MakeStandardUnit<CAWBasic>);
  RegisterUnitClass("AWVP002", &MakeStandardUnit<CAWVentingPicture>);
  RegisterUnitClass("AWPI002", &MakeStandardUnit<CAWPicture>);
  RegisterUnitClass("DHKC003", &MakeStandardUnit<CDHCantorel>);
  RegisterUnitClass("DHQV004", &MakeStandardUnit<CDHTrimveld>);
  RegisterUnitClass("DHTR003", &MakeStandardUnit<CDHTransom>);
  RegisterUnitClass("DHPI003", &MakeStandardUnit<CDHPicture>);
  // Custom arched units.
  RegisterUnitClass("ARS1013", &MakeStandardUnit<CARSingleLegType1>);
  RegisterUnitClass("ARS2013", &MakeStandardUnit<CARSingleLegType2>);
  RegisterUnitClass("ARDL013", &MakeStandardUnit<CARDoubleLeg>);
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
