#pragma once
// Encoding of one row value into its field's bytes, in the product database's field encodings.
#include "productdata/TableWriter.h"

// Writes the value into the field's bytes at `target` (the field's width). Returns an empty
// string on success, otherwise what is wrong with the value; nothing is written then.
CString EncodeFieldValue(const SdfFieldLayout& field, const CSdfRow::Value& value, BYTE* target);
