#pragma once
// The Workbench's own clipboard format: the bytes a temporary group item writes of itself when
// its serialization is called directly (no class record or object tag for the group), holding
// the copied items as its members. Only this program reads the format.
#include <cstddef>
#include <memory>
#include <vector>

#include "platform/core/Types.h"

class CGroupItem;

// String 5004, the name the format is registered by.
constexpr UINT IDS_DESIGN_ITEM_CLIPBOARD_FORMAT = 5004;

// Adds the format's name to the string resources.
void RegisterClipboardResources();
// The registered format; fatal when the name's string is missing.
UINT DesignItemClipboardFormat();

// The bytes of the group's own serialization.
std::vector<BYTE> WriteItemGroup(CGroupItem& group);

// A new group read from pasted bytes, every member checked and made: only unit, join, guideline
// and group items, each owned once; joins whose units are not among the pasted items (or whose
// product join cannot be made) are dropped with the units only they referred to; then the units
// are made and the nested groups rebuilt bottom-up. The group itself takes only its box (see
// CGroupItem::MakeBox): it is there to be placed and ungrouped. Any fault throws a CException and
// leaves nothing behind that a later step could reach.
std::unique_ptr<CGroupItem> ReadItemGroup(const BYTE* data, std::size_t size);
