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

void RegisterStandardUnits()
{
  RegisterUnitClass<CGLBasic>(RUNTIME_CLASS(CGLBasic));
  RegisterUnitClass<CPSBasic>(RUNTIME_CLASS(CPSBasic));
  RegisterUnitClass<CFGBasic>(RUNTIME_CLASS(CFGBasic));
  RegisterUnitClass<CFHBasic>(RUNTIME_CLASS(CFHBasic));
  RegisterUnitClass<CCABasic>(RUNTIME_CLASS(CCABasic));
  RegisterUnitClass<CCAPicture>(RUNTIME_CLASS(CCAPicture));
  RegisterUnitClass<CAWBasic>(RUNTIME_CLASS(CAWBasic));
  RegisterUnitClass<CAWVentingPicture>(RUNTIME_CLASS(CAWVentingPicture));
  RegisterUnitClass<CAWPicture>(RUNTIME_CLASS(CAWPicture));
  RegisterUnitClass<CDHCantorel>(RUNTIME_CLASS(CDHCantorel));
  RegisterUnitClass<CDHTrimveld>(RUNTIME_CLASS(CDHTrimveld));
  RegisterUnitClass<CDHTransom>(RUNTIME_CLASS(CDHTransom));
  RegisterUnitClass<CDHPicture>(RUNTIME_CLASS(CDHPicture));
  // Custom arched units.
  RegisterUnitClass<CARSingleLegType1>(RUNTIME_CLASS(CARSingleLegType1));
  RegisterUnitClass<CARSingleLegType2>(RUNTIME_CLASS(CARSingleLegType2));
  RegisterUnitClass<CARDoubleLeg>(RUNTIME_CLASS(CARDoubleLeg));
  // Arched, springline, circle-top and circular units.
  RegisterUnitClass<CARBasic>(RUNTIME_CLASS(CARBasic));
  RegisterUnitClass<CSLArch>(RUNTIME_CLASS(CSLArch));
  RegisterUnitClass<CSLBasic>(RUNTIME_CLASS(CSLBasic));
  RegisterUnitClass<CSWCasementAwningCircleTop>(RUNTIME_CLASS(CSWCasementAwningCircleTop));
  RegisterUnitClass<CSWDoubleHungCircleTop>(RUNTIME_CLASS(CSWDoubleHungCircleTop));
  RegisterUnitClass<CSWCircle>(RUNTIME_CLASS(CSWCircle));
  // Specialty shapes.
  RegisterUnitClass<CSWOval>(RUNTIME_CLASS(CSWOval));
  RegisterUnitClass<CSWOctagon>(RUNTIME_CLASS(CSWOctagon));
  RegisterUnitClass<CSWGothic>(RUNTIME_CLASS(CSWGothic));
  RegisterUnitClass<CSWEllipticalTop>(RUNTIME_CLASS(CSWEllipticalTop));
  RegisterUnitClass<CSWMonumentalQuarterRoundRight>(RUNTIME_CLASS(CSWMonumentalQuarterRoundRight));
  RegisterUnitClass<CSWMonumentalQuarterRoundLeft>(RUNTIME_CLASS(CSWMonumentalQuarterRoundLeft));
  RegisterUnitClass<CSWCasementAwningQtrRoundRight>(RUNTIME_CLASS(CSWCasementAwningQtrRoundRight));
  RegisterUnitClass<CSWCasementAwningQtrRoundLeft>(RUNTIME_CLASS(CSWCasementAwningQtrRoundLeft));
  // Full-chord and full-round units.
  RegisterUnitClass<CSWFullChordMarquell>(RUNTIME_CLASS(CSWFullChordMarquell));
  RegisterUnitClass<CSWMonumentalFullRound>(RUNTIME_CLASS(CSWMonumentalFullRound));
  RegisterUnitClass<CSWFullChordDoubleHung>(RUNTIME_CLASS(CSWFullChordDoubleHung));
  RegisterUnitClass<CSWFullChordCasement>(RUNTIME_CLASS(CSWFullChordCasement));
}
