#pragma once
// The check of a whole product database file, made once when the file is opened: every table of
// the chain, its descriptors, its records and every index's order. A damaged or truncated file is
// then refused at once rather than at the first look-up that meets the damage.
class CFile;

// Throws CTXDBException (cause 1) at the first fault found.
void CheckSdfFile(CFile& file);
