#pragma once
// Entity categories: the integer that every geometry entity carries. It says what the entity is to
// the Workbench (outline, alignment, join, selection line) and chooses its pen on the screen and its
// layer, colour and line type in DXF. The numbers are stored in nothing but are keys of the profile's
// colour and layer tables and of the snapping priority table, so they never change.
enum EEntityCategory : int
{
  ecatPlain = 0,

  // Screen-only categories (1 to 24): drawn on the screen, never written to DXF, clipboard or print.
  ecatUnit = 1,
  ecatGuidelineCentreAlignment = 2,
  ecatJoinAlignment = 3,  // the alignment copy of a join or group line
  ecatGuidelineEdgeAlignment = 4,
  ecatInnerPartOutline = 5,  // part outline of an inner component
  ecatConstruction = 6,
  ecatFramePartOutline = 7,        // part outline of a perimeter component ...
  ecatPerimeterAlignment = 7,      // ... which is the alignment line that joining snaps to
  ecatCentreLine = 8,              // centre lines of a unit ...
  ecatAlwaysOfferedAlignment = 8,  // ... which an item offers to snapping even when it is no source
  ecatJoinSnap = 9,
  ecatLineSnap = 10,
  ecatCentrePoint = 11,  // a unit's centre-point reference
  ecatSelectionLine = 12,
  ecatJoinLine = 13,
  ecatGuidelineCentre = 14,
  ecatGuidelineEdge = 15,
  ecatGuidelineFill = 16,
  ecatInnerOutline = 17,  // outline of a component that is not on the perimeter
  ecatProposedOutline = 19,
  ecatPerimeterOutline = 20,  // outline of a perimeter component, the sides joining uses
  ecatWallReturn = 21,
  ecatPlanSelector = 22,
  ecatPlanSelectorFill = 23,
  ecatSnapHighlight = 24,

  // Drawing categories (25 to 56): the keys of the DXF layer table.
  ecatDetailAluminum = 25,
  ecatDetailCladding = 26,
  ecatDetailCore = 27,
  ecatDetailExtension = 28,
  ecatDetailFlange = 29,
  ecatDetailGlass = 30,
  ecatDetailMaterialHatching = 32,
  ecatDetailOther = 33,
  ecatDetailSteel = 34,
  ecatDoorElevationFrame = 35,
  ecatDoorElevationGlassSash = 36,
  ecatDoorElevationGrilles = 37,
  ecatDoorElevationGroupBoundary = 38,
  ecatDoorElevationLabel = 39,
  ecatDoorElevationOperatingSymbol = 40,
  ecatDoorPlanSectionFrame = 41,
  ecatDoorPlanSectionGlass = 42,
  ecatDoorPlanSectionLabel = 43,
  ecatDoorPlanSectionSillJamb = 44,
  ecatDoorPlanSectionWallCutLine = 45,
  ecatWindowElevationFrame = 46,
  ecatWindowElevationGlassSash = 47,
  ecatWindowElevationGrilles = 48,
  ecatWindowElevationGroupBoundary = 49,
  ecatWindowElevationLabel = 50,
  ecatWindowElevationOperatingSymbol = 51,
  ecatWindowPlanSectionFrame = 52,
  ecatWindowPlanSectionGlass = 53,
  ecatWindowPlanSectionLabel = 54,
  ecatWindowPlanSectionSillJamb = 55,
  ecatWindowPlanSectionWallCutLine = 56
};
