#pragma once
// Report files are written whole or not at all: the lines go to a temporary file in the target's
// folder, which is synced and renamed over the target only when complete.
#include "platform/core/Array.h"

// Writes every line in UTF-8 followed by carriage return and line feed, for the text and the
// comma-separated export alike. A failure throws CFileException and leaves the target as it was.
void WriteReportFile(const CString& path, const CStringArray& lines);
