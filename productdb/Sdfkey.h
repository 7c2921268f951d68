#pragma once
// The key order of the product database's indexes. The reader's index search and the writer's
// sort of the positions arrays both use these functions, so the two can never disagree.
#include <cstdint>

#include "platform/core/Types.h"

struct CSdfIndexDef;

// Key-part type codes as stored in the index descriptors.
enum SdfKeyType : int
{
  sdfKeyLogical = 1,  // 2-byte word, 0 false, anything else true; TRUE sorts first
  sdfKeyShort = 3,    // signed 16-bit
  sdfKeyLong = 4,     // signed 32-bit
  sdfKeyFloat = 6,    // IEEE single
  sdfKeyDouble = 7,   // IEEE double
  sdfKeyText = 8,     // unsigned bytes over the whole part length, NULs included
  sdfKeyText2 = 10    // same order as sdfKeyText
};

// True for the types a search can compare; every other code makes a search fail.
bool IsComparableKeyType(int type);

// Bytes a comparison of that type reads from each side: the value's width for numbers and
// logicals, 0 for text and for types that are not comparable (text reads the part's length).
int KeyTypeWidth(int type);

// Compares one key part of a record with the same part of a packed key: -1, 0 or +1.
// Both pointers address `length` bytes. A type that is not comparable throws CTXDBException.
int CompareKeyPart(int type, const BYTE* recordValue, const BYTE* keyValue, int length);

// Compares a record with a packed key of the index, part by part in descriptor order; the first
// part that differs decides. The caller guarantees that every part lies inside the record and that
// the key holds the index's key length (the table definition checks both when it is loaded).
int CompareRecordWithKey(const CSdfIndexDef& index, const BYTE* record, const BYTE* key);

// Writes the packed key of the index for a record (each part's bytes in descriptor order).
// `key` must hold the index's key length.
void PackKeyFromRecord(const CSdfIndexDef& index, const BYTE* record, BYTE* key);

// The normal form of a packed key: a byte string that compares with memcmp exactly as
// CompareRecordWithKey compares the keys (numbers big-endian with the sign turned, logicals as
// one byte, text as it is), so that a search of a table in memory can compare keys as plain
// bytes. Its length for the index; -1 when a part's type has no normal form.
int NormalKeyLength(const CSdfIndexDef& index);
// Writes the normal form of a packed key of the index (each part at its position in the packed
// key); false for a key that has none: a NaN, which compares equal to every number.
bool NormalizeKey(const CSdfIndexDef& index, const BYTE* packedKey, BYTE* normal);
// The normal form of a packed key whose normal length is at most 8, as a big-endian number
// (bytes after the key taken as zero), so that a search compares one number per step; false as
// for NormalizeKey, and for a longer key.
bool NormalKeyWord(const CSdfIndexDef& index, const BYTE* packedKey, std::uint64_t& word);
