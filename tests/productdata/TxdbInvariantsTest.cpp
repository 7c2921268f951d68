// Guards the consistency of the generated catalogue that the unit, join and detail code rely
// on: every reference between tables resolves and every size is a drawable one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "productdata/TxdbRows.h"

namespace {

using Key2 = std::pair<std::string, std::string>;
using Key3 = std::tuple<std::string, std::string, std::string>;

std::set<Key3> SizeKeys(const CTxdbRows& rows)
{
  std::set<Key3> keys;
  for (size_t i = 0; i < rows.Size(); ++i)
    keys.emplace(rows.Text(i, "TypeCode"), rows.Text(i, "SubtypeCode"), rows.Text(i, "SizeCode"));
  return keys;
}

std::set<long long> Ints(const CTxdbRows& rows, const char* field)
{
  std::set<long long> values;
  for (size_t i = 0; i < rows.Size(); ++i)
    values.insert(rows.Int(i, field));
  return values;
}

bool IsCode(const std::string& code)
{
  return !code.empty() && code.find(',') == std::string::npos && code.find_first_not_of(' ') != std::string::npos;
}

}  // namespace

TEST(TxdbInvariants, StandardSizesHaveOperationsThatExist)
{
  CTxdbDatabase db;
  const CTxdbRows& sizes = db["STDSIZES"];
  const CTxdbRows& choices = db["OPERCHOI"];
  const CTxdbRows& opers = db["OPERS"];
  std::set<std::string> operationCodes;
  for (size_t i = 0; i < opers.Size(); ++i) {
    EXPECT_TRUE(IsCode(opers.Text(i, "Code"))) << "OPERS row " << i;
    operationCodes.insert(opers.Text(i, "Code"));
  }
  std::set<Key3> offered;
  for (size_t i = 0; i < choices.Size(); ++i) {
    std::string op = choices.Text(i, "OperationCode");
    EXPECT_TRUE(IsCode(op)) << "OPERCHOI row " << i;
    EXPECT_TRUE(operationCodes.count(op)) << "operation " << op << " is not in OPERS";
    offered.emplace(choices.Text(i, "TypeCode"), choices.Text(i, "SubtypeCode"), choices.Text(i, "SizeCode"));
  }
  std::set<Key3> sizeKeys = SizeKeys(sizes);
  for (const Key3& key : sizeKeys) {
    EXPECT_TRUE(IsCode(std::get<2>(key))) << std::get<0>(key) << std::get<1>(key);
    EXPECT_TRUE(offered.count(key)) << std::get<2>(key) << " has no operating choice";
  }
  for (const Key3& key : offered)
    EXPECT_TRUE(sizeKeys.count(key)) << "OPERCHOI names the unknown size " << std::get<2>(key);
}

TEST(TxdbInvariants, SizesAreDrawableAndArchesFitTheirWidths)
{
  CTxdbDatabase db;
  const CTxdbRows& sizes = db["STDSIZES"];
  ASSERT_GT(sizes.Size(), 0u);
  for (size_t i = 0; i < sizes.Size(); ++i) {
    SCOPED_TRACE(sizes.Text(i, "SizeCode"));
    double h = sizes.Real(i, "Height"), w = sizes.Real(i, "Width");
    double r = sizes.Real(i, "Radius"), s = sizes.Real(i, "ShoulderHeight");
    EXPECT_TRUE(h > 0 && h < 10000 && w > 0 && w < 10000) << h << " x " << w;
    long long n = sizes.Int(i, "Field28");
    EXPECT_TRUE(n >= 1 && n <= 5) << "panel count " << n;
    // Awning and double-hung panels are stacked: their joints are heights.
    const std::string type = sizes.Text(i, "TypeCode");
    const double span = type == "AW" || type == "DH" ? h : w;
    double previous = 0.0;
    for (long long k = 1; k < n; ++k) {
      double joint = sizes.Real(i, ("Value" + std::to_string(k)).c_str());
      EXPECT_TRUE(joint > previous && joint < span) << "joint " << k << " at " << joint;
      previous = joint;
    }
    if (r == 0.0) {
      // An elliptical top has a shoulder under a top that no radius describes.
      if (sizes.Text(i, "TypeCode") == "SW" && sizes.Text(i, "SubtypeCode") == "ET008")
        EXPECT_TRUE(s > 0 && s < h) << "shoulder " << s;
      else
        EXPECT_EQ(s, 0.0);
      continue;
    }
    // A full chord is all arch: its shoulder is 0.
    EXPECT_TRUE(r > 0 && r < 10000 && s >= 0 && s < 10000) << "radius " << r << ", shoulder " << s;
    EXPECT_GE(2 * r, w);
    // A gothic top's two arcs are centred on the shoulder line, each a radius in from its jamb.
    const bool gothic = sizes.Text(i, "TypeCode") == "SW" && sizes.Text(i, "SubtypeCode") == "GT041";
    double rise = gothic ? std::sqrt(r * r - (r - w / 2) * (r - w / 2)) : r - std::sqrt(r * r - (w / 2) * (w / 2));
    EXPECT_NEAR(h, s + rise, 1e-3);
  }
}

TEST(TxdbInvariants, UnitsAndSizesBelongToKnownTypes)
{
  CTxdbDatabase db;
  std::set<std::string> types;
  for (size_t i = 0; i < db["TYPES"].Size(); ++i)
    types.insert(db["TYPES"].Text(i, "TypeCode"));
  std::set<Key2> units;
  const CTxdbRows& subtypes = db["SUBTYPES"];
  for (size_t i = 0; i < subtypes.Size(); ++i) {
    EXPECT_TRUE(types.count(subtypes.Text(i, "TypeCode"))) << subtypes.Text(i, "SubtypeCode");
    units.emplace(subtypes.Text(i, "TypeCode"), subtypes.Text(i, "SubtypeCode"));
  }
  for (const char* table : {"STDSIZES", "OPERCHOI", "OPTTABLE", "ELEMCOMP", "GRILHDRS"}) {
    const CTxdbRows& rows = db[table];
    for (size_t i = 0; i < rows.Size(); ++i)
      EXPECT_TRUE(units.count({rows.Text(i, "TypeCode"), rows.Text(i, "SubtypeCode")}))
          << table << " row " << i << " names an unknown unit";
  }
}

TEST(TxdbInvariants, OptionRowsNameExistingChoicesAndCategories)
{
  CTxdbDatabase db;
  const CTxdbRows& choices = db["OPTCHOIC"];
  const CTxdbRows& table = db["OPTTABLE"];
  const CTxdbRows& exceptions = db["OPTEXCPT"];
  std::set<long long> categories = Ints(db["OPTCATS"], "Category");
  std::set<std::pair<long long, long long>> pairs;
  for (size_t i = 0; i < choices.Size(); ++i)
    pairs.emplace(choices.Int(i, "Category"), choices.Int(i, "Choice"));
  std::set<Key2> unitsWithOptions;
  for (size_t i = 0; i < table.Size(); ++i) {
    long long category = table.Int(i, "Category"), choice = table.Int(i, "Choice");
    EXPECT_TRUE(pairs.count({category, choice})) << "OPTTABLE pair " << category << ":" << choice;
    EXPECT_TRUE(categories.count(category)) << "OPTTABLE category " << category;
    unitsWithOptions.emplace(table.Text(i, "TypeCode"), table.Text(i, "SubtypeCode"));
  }
  EXPECT_EQ(unitsWithOptions.size(), db["SUBTYPES"].Size()) << "a unit offers no option";
  for (size_t i = 0; i < exceptions.Size(); ++i) {
    std::string letter = exceptions.Text(i, "Field36");
    EXPECT_TRUE(letter == "+" || letter == "-") << "OPTEXCPT row " << i;
    long long category = exceptions.Int(i, "Field37"), choice = exceptions.Int(i, "Field41");
    EXPECT_TRUE(pairs.count({category, choice}) || (letter == "-" && choice == 0 && categories.count(category)))
        << "OPTEXCPT row " << i << " targets " << category << ":" << choice;
    EXPECT_EQ(exceptions.Text(i, "SizeCode").find(','), std::string::npos);
    EXPECT_EQ(exceptions.Text(i, "OperationCode").find(','), std::string::npos);
  }
}

TEST(TxdbInvariants, ComponentsHaveRecordsDepthsElevationLinesAndDetails)
{
  CTxdbDatabase db;
  const CTxdbRows& components = db["COMPONET"];
  std::map<long long, std::string> codes;
  for (size_t i = 0; i < components.Size(); ++i) {
    codes[components.Int(i, "Component")] = components.Text(i, "Field55");
    if (components.Text(i, "Field55") == "P") {
      EXPECT_GT(components.Real(i, "Field60"), 0.0) << "component " << components.Int(i, "Component");
    }
  }
  std::set<std::pair<long long, long long>> lines;
  for (size_t i = 0; i < db["ELEVLINE"].Size(); ++i)
    lines.emplace(db["ELEVLINE"].Int(i, "Number"), db["ELEVLINE"].Int(i, "Field5"));
  std::set<long long> details = Ints(db["COMPSETS"], "Field1");
  const CTxdbRows& elements = db["ELEMCOMP"];
  for (size_t i = 0; i < elements.Size(); ++i) {
    long long component = elements.Int(i, "Component");
    SCOPED_TRACE("component " + std::to_string(component));
    ASSERT_TRUE(codes.count(component)) << "no COMPONET row";
    EXPECT_TRUE(codes[component] == "P" || codes[component] == "I");
    for (long long line = 1; line <= 3; ++line)
      EXPECT_TRUE(lines.count({component, line})) << "no elevation line " << line;
    EXPECT_TRUE(details.count(component)) << "no detail";
  }
}

TEST(TxdbInvariants, DetailsAreMadeOfDrawableEntities)
{
  CTxdbDatabase db;
  const std::set<std::string> materials = {"ALUM",    "CLAD",   "CORE",  "EXTLIN", "FLANGE",
                                           "GLAZING", "WSTRIP", "GLZBD", "STEEL"};
  const CTxdbRows& entities = db["ENTITIES"];
  std::set<long long> drawn = Ints(entities, "Field1");
  for (size_t i = 0; i < entities.Size(); ++i) {
    std::string kind = entities.Text(i, "Kind"), name = entities.Text(i, "Field6");
    EXPECT_TRUE(materials.count(name)) << "ENTITIES row " << i << " material " << name;
    EXPECT_TRUE(kind == "A" || kind == "L" || kind == "P") << "ENTITIES row " << i;
    if (kind == "P") {
      EXPECT_TRUE(name == "EXTLIN" || name == "GLAZING") << "a marker must be an extension or glass line";
    }
    if (kind == "A") {
      EXPECT_GT(entities.Real(i, "Field50"), 0.0) << "arc radius";
    }
  }
  const CTxdbRows& sets = db["COMPSETS"];
  std::set<long long> categories = Ints(db["OPTCATS"], "Category");
  for (size_t i = 0; i < sets.Size(); ++i) {
    EXPECT_TRUE(drawn.count(sets.Int(i, "Field5"))) << "member " << sets.Int(i, "Field5") << " has no entities";
    for (const char* field : {"Field33", "Field41"}) {
      long long category = sets.Int(i, field);
      EXPECT_TRUE(category == 0 || categories.count(category)) << "COMPSETS row " << i << " condition " << category;
    }
  }
}

TEST(TxdbInvariants, JoinsHaveSpacingsAndDetails)
{
  CTxdbDatabase db;
  const CTxdbRows& pairs = db["JOINTBL"];
  const CTxdbRows& spacings = db["JOINSPAC"];
  std::set<std::pair<long long, long long>> spaced;
  for (size_t i = 0; i < spacings.Size(); ++i) {
    spaced.emplace(spacings.Int(i, "Field1"), spacings.Int(i, "Field5"));
    EXPECT_GT(spacings.Real(i, "Spacing"), 0.0);
  }
  std::set<long long> joinTypes = Ints(db["JOINING"], "Joining");
  std::set<long long> details = Ints(db["COMPSETS"], "Field1");
  std::set<long long> components = Ints(db["COMPONET"], "Component");
  for (size_t i = 0; i < pairs.Size(); ++i) {
    long long join = pairs.Int(i, "Join");
    EXPECT_TRUE(joinTypes.count(join)) << "JOINTBL row " << i;
    for (const char* side : {"ID", "OtherID"}) {
      long long id = pairs.Int(i, side);
      EXPECT_TRUE(spaced.count({join, id})) << "no spacing for join " << join << ", product " << id;
      EXPECT_TRUE(components.count(id)) << "product " << id << " is no component";
    }
    EXPECT_TRUE(details.count(pairs.Int(i, "Field13"))) << "join detail " << pairs.Int(i, "Field13");
  }
}

TEST(TxdbInvariants, GrillesHaveIdsAndBarsForExistingSizes)
{
  CTxdbDatabase db;
  const CTxdbRows& headers = db["GRILHDRS"];
  const CTxdbRows& bars = db["GRILPROP"];
  std::set<long long> barred = Ints(bars, "GrilleId");
  std::set<Key3> sizes = SizeKeys(db["STDSIZES"]);
  for (size_t i = 0; i < headers.Size(); ++i) {
    long long id = headers.Int(i, "GrilleId");
    EXPECT_NE(id, 0);
    EXPECT_TRUE(barred.count(id)) << "grille " << id << " has no bars";
    EXPECT_TRUE(sizes.count({headers.Text(i, "TypeCode"), headers.Text(i, "SubtypeCode"), headers.Text(i, "SizeCode")}))
        << "grille " << id << " is for an unknown size";
  }
  for (size_t i = 0; i < bars.Size(); ++i) {
    EXPECT_NE(bars.Int(i, "GrilleId"), 0);
    EXPECT_GT(bars.Real(i, "Value"), 0.0);
  }
}

// The custom arched units take their radius from ARLIMITS (a new unit the first base of at least
// 72), their size limits from the first VGLIMITS row, and draw arch, legs and sill as members.
TEST(TxdbInvariants, CustomArchLimitsAreUsableAndTheUnitsHaveTheirMembers)
{
  CTxdbDatabase db;
  const CTxdbRows& arches = db["ARLIMITS"];
  bool hasDefaultBase = false;
  for (size_t i = 0; i < arches.Size(); ++i) {
    const double base = arches.Real(i, "Field1");
    SCOPED_TRACE("base " + std::to_string(base));
    hasDefaultBase = hasDefaultBase || base >= 72.0;
    const double shortest = arches.Real(i, "Field5"), longest = arches.Real(i, "Field9");
    EXPECT_TRUE(base > 0.0 && shortest > 0.0 && shortest <= longest) << shortest << " to " << longest;
    EXPECT_LE(longest, 2.0 * base) << "no chord is longer than the circle is wide";
    const double smallest = arches.Real(i, "Field17"), largest = arches.Real(i, "Field21");
    EXPECT_TRUE(smallest > 0.0 && smallest <= largest && largest <= 3.14159266) << smallest << " to " << largest;
  }
  EXPECT_TRUE(hasDefaultBase) << "no base of at least 72";
  // The units read the first row in smallest-side order.
  const CTxdbRows& limits = db["VGLIMITS"];
  ASSERT_GT(limits.Size(), 0u);
  size_t first = 0;
  for (size_t i = 1; i < limits.Size(); ++i)
    if (limits.Real(i, "MinSide") < limits.Real(first, "MinSide"))
      first = i;
  const double minSide = limits.Real(first, "MinSide"), inset = limits.Real(first, "Field37");
  EXPECT_TRUE(minSide > 0.0 && minSide < limits.Real(first, "MaxSide"));
  EXPECT_GT(limits.Real(first, "MinGlassLine"), 0.0);
  EXPECT_LE(limits.Real(first, "MaxShortGlassSide"), limits.Real(first, "MaxLongGlassSide"));
  EXPECT_GT(limits.Real(first, "MaxArea"), 0.0);
  EXPECT_TRUE(inset > 0.0 && 2.0 * inset < minSide) << "the glass inset leaves no glass";
  std::set<Key3> elements;
  for (size_t i = 0; i < db["ELEMCOMP"].Size(); ++i)
    elements.emplace(db["ELEMCOMP"].Text(i, "TypeCode"), db["ELEMCOMP"].Text(i, "SubtypeCode"),
                     db["ELEMCOMP"].Text(i, "ElementCode"));
  for (const char* unit : {"S1013", "S2013", "DL013"})
    for (const char* code : {"AG", "AP", "BJ"})
      EXPECT_TRUE(elements.count({"AR", unit, code})) << "AR" << unit << " has no member " << code;
}

// The rectangular units read one letter per panel from the front of the operation code; the
// hinged door line puts the side of its leaf behind the panel letters.
TEST(TxdbInvariants, OperationCodesHaveALetterForEveryPanel)
{
  CTxdbDatabase db;
  const std::map<std::string, std::string> panelLetters = {{"PS", "FV"},   {"FG", "FV"},  {"GL", "FV"}, {"FH", "APS"},
                                                           {"CA", "FLRS"}, {"AW", "FSV"}, {"DH", "FV"}};
  std::map<Key3, long long> panels;
  const CTxdbRows& sizes = db["STDSIZES"];
  for (size_t i = 0; i < sizes.Size(); ++i)
    panels[{sizes.Text(i, "TypeCode"), sizes.Text(i, "SubtypeCode"), sizes.Text(i, "SizeCode")}] =
        sizes.Int(i, "Field28");
  const CTxdbRows& choices = db["OPERCHOI"];
  std::set<std::string> checked;
  for (size_t i = 0; i < choices.Size(); ++i) {
    const auto letters = panelLetters.find(choices.Text(i, "TypeCode"));
    if (letters == panelLetters.end())
      continue;
    const Key3 key{choices.Text(i, "TypeCode"), choices.Text(i, "SubtypeCode"), choices.Text(i, "SizeCode")};
    const std::string code = choices.Text(i, "OperationCode");
    SCOPED_TRACE(std::get<2>(key) + " " + code);
    ASSERT_TRUE(panels.count(key));
    const long long n = panels[key];
    ASSERT_GE(static_cast<long long>(code.size()), n);
    for (long long k = 0; k < n; ++k)
      EXPECT_NE(letters->second.find(code[k]), std::string::npos) << "panel " << k + 1;
    const std::string rest = code.substr(n);
    if (std::get<0>(key) == "FH")
      EXPECT_TRUE(rest.empty() || rest == "L" || rest == "R") << "leaf side";
    else
      EXPECT_TRUE(rest.empty()) << "letters beyond the panels";
    checked.insert(std::get<0>(key));
  }
  EXPECT_EQ(checked.size(), panelLetters.size()) << "a line has no operating choice";
}

namespace {

// The shape of each arched unit's rows, the members its drawings look up and the grille
// properties its own grille (choice 6) cannot do without.
struct ArchedUnit
{
  const char* type;
  const char* subtype;
  enum Shape
  {
    springline,
    circleTop,
    circle,
    fullChord,
    octagon,
    oval,
    gothic,
    ellipticalTop,
    quarterRound,
    roundedCorner
  } shape;
  std::set<std::string> elements;
  std::vector<std::set<std::string>> grilles;  // one of these sets of property codes
};

const std::vector<ArchedUnit>& ArchedUnits()
{
  static const std::vector<ArchedUnit> units = {
      {"AR", "BA011", ArchedUnit::springline, {"AG", "AP", "BJ"}, {{"H", "V", "B"}, {"H", "V", "P"}}},
      {"SL", "BA012", ArchedUnit::springline, {"AG", "AP", "BJ"}, {{"V", "P"}, {"H", "V", "R"}}},
      {"SL", "AR012", ArchedUnit::springline, {"AG", "AP", "BJ"}, {{"V", "P"}, {"H", "V", "R"}}},
      {"SW", "CD007", ArchedUnit::circleTop, {"AG", "BJ"}, {{"H", "V", "R"}}},
      {"SW", "CC006", ArchedUnit::circleTop, {"AG", "BJ"}, {{"H", "V", "B"}, {"H", "V", "R"}}},
      {"SW", "CI009", ArchedUnit::circle, {"BV", "BW"}, {{"H"}}},
      {"SW", "JQ039", ArchedUnit::fullChord, {"AG", "BJ"}, {{"H", "V"}}},
      {"SW", "FD039", ArchedUnit::fullChord, {"AG", "BJ"}, {{"H", "V"}}},
      {"SW", "FC039", ArchedUnit::fullChord, {"AG", "BJ"}, {{"H", "V"}}},
      {"SW", "FR040", ArchedUnit::circle, {"BV", "BW"}, {{"H"}}},
      {"SW", "OC010", ArchedUnit::octagon, {"AG", "AP", "BJ"}, {{"H", "V"}}},
      {"SW", "OV009", ArchedUnit::oval, {"BV", "BW"}, {{"H", "V", "A"}}},
      {"SW", "GT041", ArchedUnit::gothic, {"AG", "AP", "BJ"}, {{"H", "V", "R"}}},
      {"SW", "ET008", ArchedUnit::ellipticalTop, {"AG", "BJ"}, {{"H", "V", "A"}}},
      {"SW", "MR042", ArchedUnit::quarterRound, {"AG", "AP", "BJ"}, {{"R", "A"}}},
      {"SW", "ML042", ArchedUnit::quarterRound, {"AG", "AP", "BJ"}, {{"R", "A"}}},
      {"SW", "CR006", ArchedUnit::roundedCorner, {"AG", "AP", "BJ"}, {{"H", "V", "B"}}},
      {"SW", "CL006", ArchedUnit::roundedCorner, {"AG", "AP", "BJ"}, {{"H", "V", "B"}}},
  };
  return units;
}

}  // namespace

TEST(TxdbInvariants, ArchedUnitsHaveTheirShapesMembersAndGrilles)
{
  CTxdbDatabase db;
  const CTxdbRows& sizes = db["STDSIZES"];
  const CTxdbRows& elements = db["ELEMCOMP"];
  const CTxdbRows& headers = db["GRILHDRS"];
  const CTxdbRows& properties = db["GRILPROP"];
  std::map<long long, std::set<std::string>> codesOfGrille;
  for (size_t i = 0; i < properties.Size(); ++i)
    codesOfGrille[properties.Int(i, "GrilleId")].insert(properties.Text(i, "PropertyCode"));
  for (const ArchedUnit& unit : ArchedUnits()) {
    SCOPED_TRACE(std::string(unit.type) + unit.subtype);
    const Key2 key{unit.type, unit.subtype};
    int rows = 0;
    for (size_t i = 0; i < sizes.Size(); ++i) {
      if (Key2{sizes.Text(i, "TypeCode"), sizes.Text(i, "SubtypeCode")} != key)
        continue;
      ++rows;
      const double h = sizes.Real(i, "Height"), w = sizes.Real(i, "Width");
      const double r = sizes.Real(i, "Radius"), s = sizes.Real(i, "ShoulderHeight");
      if (unit.shape == ArchedUnit::circleTop) {
        EXPECT_NEAR(r, 0.5 * w, 1e-4) << "a circle top's radius is half its width";
      }
      if (unit.shape == ArchedUnit::roundedCorner) {
        EXPECT_TRUE(r <= w && r <= h) << "the rounded corner fits the unit";
      }
      if (unit.shape == ArchedUnit::quarterRound) {
        EXPECT_EQ(w, r) << "a quarter round is as wide as its radius";
      }
      if (unit.shape == ArchedUnit::oval) {
        EXPECT_EQ(r, 0.0) << "an oval is sized by its height and width alone";
      }
      if (unit.shape == ArchedUnit::octagon) {
        EXPECT_EQ(h, w) << "an octagon is as high as it is wide";
        EXPECT_EQ(r, 0.0);
      }
      if (unit.shape == ArchedUnit::fullChord) {
        EXPECT_EQ(s, 0.0) << "a full chord has no shoulder";
      }
      if (unit.shape == ArchedUnit::circle) {
        EXPECT_NEAR(w, 2 * r, 1e-4);
        EXPECT_NEAR(h, 2 * r, 1e-4);
        EXPECT_NEAR(s, r, 1e-4);
      }
    }
    EXPECT_GT(rows, 1) << "the unit has no sizes to drag between";
    std::set<std::string> found;
    for (size_t i = 0; i < elements.Size(); ++i)
      if (Key2{elements.Text(i, "TypeCode"), elements.Text(i, "SubtypeCode")} == key)
        found.insert(elements.Text(i, "ElementCode"));
    EXPECT_EQ(found, unit.elements);
    int ownGrilles = 0;
    for (size_t i = 0; i < headers.Size(); ++i) {
      if (Key2{headers.Text(i, "TypeCode"), headers.Text(i, "SubtypeCode")} != key ||
          headers.Int(i, "GrilleChoice") != 6)
        continue;
      ++ownGrilles;
      const std::set<std::string>& codes = codesOfGrille[headers.Int(i, "GrilleId")];
      bool complete = false;
      for (const std::set<std::string>& needed : unit.grilles)
        complete = complete || std::includes(codes.begin(), codes.end(), needed.begin(), needed.end());
      EXPECT_TRUE(complete) << "grille " << headers.Int(i, "GrilleId") << " lacks a property its builder reads";
    }
    EXPECT_GT(ownGrilles, 0);
  }
}

// Every free-form unit reads the first limits row (in minimum-side order) and one component per
// element code its shape uses: the diamond only jambs, the isosceles triangle no head.
TEST(TxdbInvariants, FreeFormUnitsHaveLimitsAndTheirElements)
{
  CTxdbDatabase db;
  const CTxdbRows& limits = db["VGLIMITS"];
  ASSERT_GT(limits.Size(), 0u);
  size_t first = 0;
  for (size_t i = 1; i < limits.Size(); ++i)
    if (limits.Real(i, "MinSide") < limits.Real(first, "MinSide"))
      first = i;
  const double minSide = limits.Real(first, "MinSide"), inset = limits.Real(first, "Field37");
  EXPECT_GT(minSide, 0.0);
  EXPECT_LT(minSide, limits.Real(first, "MaxSide"));
  EXPECT_GT(limits.Real(first, "MinGlassLine"), 0.0);
  EXPECT_LE(limits.Real(first, "MaxShortGlassSide"), limits.Real(first, "MaxLongGlassSide"));
  EXPECT_GT(limits.Real(first, "MaxArea"), 0.0);
  EXPECT_GT(inset, 0.0);
  EXPECT_GT(limits.Real(first, "MinAngle"), 0.0);
  EXPECT_LT(limits.Real(first, "MinAngle"), limits.Real(first, "MaxAngle"));
  EXPECT_LT(limits.Real(first, "MaxAngle"), M_PI);
  // A rectangle of the smallest glass line fits between the limits.
  EXPECT_LE(limits.Real(first, "MinGlassLine") + 2.0 * inset, limits.Real(first, "MaxSide"));

  std::map<std::string, std::set<std::string>> elements;
  const CTxdbRows& rows = db["ELEMCOMP"];
  for (size_t i = 0; i < rows.Size(); ++i)
    if (rows.Text(i, "TypeCode") == "VG")
      elements[rows.Text(i, "SubtypeCode")].insert(rows.Text(i, "ElementCode"));
  const CTxdbRows& subtypes = db["SUBTYPES"];
  int shapes = 0;
  for (size_t i = 0; i < subtypes.Size(); ++i) {
    if (subtypes.Text(i, "TypeCode") != "VG")
      continue;
    const std::string subtype = subtypes.Text(i, "SubtypeCode");
    std::set<std::string> expected = {"AG", "AP", "BJ"};
    if (subtype == "DI010")
      expected = {"AP"};
    else if (subtype == "IT010")
      expected = {"AP", "BJ"};
    EXPECT_EQ(elements[subtype], expected) << subtype;
    ++shapes;
  }
  EXPECT_EQ(shapes, 14);
}

// The smallest value of line 1 of every frame member is its outer edge: the one-line elevations
// that read it draw on the outline. (Joints measure from their centre line; the elevations that
// read the largest value are held by the units' own test.)
TEST(TxdbInvariants, ElevationLineOneOfEveryFrameMemberStartsAtItsOuterEdge)
{
  CTxdbDatabase db;
  const CTxdbRows& components = db["COMPONET"];
  std::set<long long> members;
  for (size_t i = 0; i < components.Size(); ++i)
    if (components.Text(i, "Field55") == "P")
      members.insert(components.Int(i, "Component"));
  const CTxdbRows& lines = db["ELEVLINE"];
  std::map<long long, double> smallest;
  for (size_t i = 0; i < lines.Size(); ++i) {
    const long long component = lines.Int(i, "Number");
    if (lines.Int(i, "Field5") != 1 || !members.count(component))
      continue;
    const double value = lines.Real(i, "Field7");
    smallest[component] = smallest.count(component) ? std::min(smallest[component], value) : value;
  }
  for (const auto& [component, value] : smallest)
    EXPECT_EQ(value, 0.0) << "component " << component;
  EXPECT_GT(smallest.size(), 60u);
}

// A grille pattern a type offers has its bars at every standard size of the type, unless an
// exception takes the pattern away at that size.
TEST(TxdbInvariants, OfferedGrillePatternsHaveBarsAtEverySize)
{
  CTxdbDatabase db;
  const CTxdbRows& offers = db["OPTTABLE"];
  const CTxdbRows& sizes = db["STDSIZES"];
  const CTxdbRows& headers = db["GRILHDRS"];
  const CTxdbRows& exceptions = db["OPTEXCPT"];
  std::set<std::tuple<std::string, std::string, std::string, long long>> barred, removed;
  for (size_t i = 0; i < headers.Size(); ++i)
    barred.emplace(headers.Text(i, "TypeCode"), headers.Text(i, "SubtypeCode"), headers.Text(i, "SizeCode"),
                   headers.Int(i, "GrilleChoice"));
  for (size_t i = 0; i < exceptions.Size(); ++i)
    if (exceptions.Text(i, "Field36") == "-" && exceptions.Int(i, "Field37") == 36 &&
        exceptions.Int(i, "Field28") == 0 && exceptions.Text(i, "OperationCode").empty())
      removed.emplace(exceptions.Text(i, "TypeCode"), exceptions.Text(i, "SubtypeCode"), exceptions.Text(i, "SizeCode"),
                      exceptions.Int(i, "Field41"));
  int checked = 0;
  for (size_t o = 0; o < offers.Size(); ++o) {
    const long long choice = offers.Int(o, "Choice");
    if (offers.Int(o, "Category") != 36 || choice == 0 || choice == 8)
      continue;
    const std::string type = offers.Text(o, "TypeCode"), subtype = offers.Text(o, "SubtypeCode");
    for (size_t s = 0; s < sizes.Size(); ++s) {
      if (sizes.Text(s, "TypeCode") != type || sizes.Text(s, "SubtypeCode") != subtype)
        continue;
      const std::string size = sizes.Text(s, "SizeCode");
      if (removed.count({type, subtype, size, choice}) || removed.count({type, subtype, "", choice}))
        continue;
      EXPECT_TRUE(barred.count({type, subtype, size, choice}))
          << type << subtype << " " << size << " choice " << choice;
      ++checked;
    }
  }
  EXPECT_GT(checked, 150);
}
