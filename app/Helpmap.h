#pragma once
// The manual behind the help gate: which page of the program's help folder serves each hundred
// of help ids, and the contents page the Help Topics command opens.
#include <cstdint>
#include <vector>

#include "platform/core/String.h"
#include "ui/wnd/Msg.h"

constexpr const char* kManualContents = "index.html";

// The page for a help request as the gate passes it on (the id plus the help base, and the
// command); the contents for the index and for ids no page serves.
CString ManualTopicFor(std::uintptr_t dwData, UINT nCmd);
// Every page the map names, the contents first.
std::vector<CString> ManualTopics();
