// Opens any byte string as the product database and reads every table through its record class:
// each index from first to last, and seeks on the keys met on the way. A damaged file may only
// end in CTXDBException.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Fuzztemp.h"
#include "productdb/Arlimits.h"
#include "productdb/Componet.h"
#include "productdb/Compsets.h"
#include "productdb/Dbver.h"
#include "productdb/Elemcomp.h"
#include "productdb/Elevline.h"
#include "productdb/Entities.h"
#include "productdb/Grilhdrs.h"
#include "productdb/Grilprop.h"
#include "productdb/Joining.h"
#include "productdb/Joinoptx.h"
#include "productdb/Joinspac.h"
#include "productdb/Joinspcx.h"
#include "productdb/Jointbl.h"
#include "productdb/Operchoi.h"
#include "productdb/Opers.h"
#include "productdb/Optcats.h"
#include "productdb/Optchoic.h"
#include "productdb/Optexcpt.h"
#include "productdb/Opttable.h"
#include "productdb/Stdsizes.h"
#include "productdb/Subtypes.h"
#include "productdb/Typesrec.h"
#include "productdb/Vglimits.h"
#include "productdb/txdbExcp.h"

namespace {

std::string g_path;

// Walks every index of the record both ways and seeks from the rows it meets.
void Walk(CRecObj& rec)
{
  for (int index = 0; index <= 11; ++index) {
    BOOL atEnd = FALSE;
    int steps = 0;
    for (int r = rec.First(index); r == 0 && steps < 200; r = rec.Next(&atEnd), ++steps) {
      if (steps % 7 == 0) {
        rec.SeekGE(index, &atEnd);
        rec.SeekGT(index, &atEnd);
        rec.SeekLE(index, &atEnd);
        rec.SeekLT(index, &atEnd);
        rec.Find(index);
      }
    }
    for (int r = 0; r == 0 && steps > 0; --steps)
      r = rec.Prev(&atEnd);
  }
}

template <class T>
void Read()
{
  try {
    T rec;
    Walk(rec);
  } catch (const CTXDBException&) {}
}

void ReadKeyed()
{
  try {
    COptTableRecArray offers("DH", "DH100");
    CElevLineRecArray lines(1);
    CStdSizesRec size("DH", "DH100", "2436");
    CGrilHdrsRec grille("DH", "DH100", "2436", 1);
    CElemCompRec element("VG", "RE010", "BJ");
    COptChoicRec choice(1, 1);
    size.GetFloatByIndex(1);
  } catch (const CTXDBException&) {}
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  CTXRecObj::SetDatabaseDirectory(FuzzTempFolder("productdb_fuzz").c_str());
  g_path = CTXRecObj::GetDatabasePath().str();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (!CRecObj::ResetRegistries())
    std::abort();
  std::FILE* file = std::fopen(g_path.c_str(), "wb");
  if (!file)
    std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  Read<CTypesRec>();
  Read<CSubTypesRec>();
  Read<CStdSizesRec>();
  Read<COpersRec>();
  Read<COperChoiRec>();
  Read<COptCatsRec>();
  Read<COptChoicRec>();
  Read<COptTableRec>();
  Read<COptExcptRec>();
  Read<CJoiningRec>();
  Read<CJoinTblRec>();
  Read<CJoinSpacRec>();
  Read<CJoinSpcXRec>();
  Read<CJoinOptXRec>();
  Read<CComponetRec>();
  Read<CCompSetsRec>();
  Read<CEntitiesRec>();
  Read<CElemCompRec>();
  Read<CElevLineRec>();
  Read<CGrilHdrsRec>();
  Read<CGrilPropRec>();
  Read<CArLimitsRec>();
  Read<CVgLimitsRec>();
  Read<CDbVerRec>();
  ReadKeyed();
  return 0;
}
