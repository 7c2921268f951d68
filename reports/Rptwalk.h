#pragma once
// The walk both reports make over a project: every stored design in project order, and in each
// every unit item (those inside groups too), each asked for its rows.
#include <functional>

class CDesign;
class CDoc;
class CProgress;
class CUnitItem;

// Thrown by the walk when the user stopped it in its progress window.
class CReportCancelled
{};

// Calls visit for each unit item of each stored design; a progress counts the designs.
void ForEachReportUnit(CDoc* pDoc, const std::function<void(CDesign& design, CUnitItem& item)>& visit,
                       CProgress* pProgress = nullptr);
