#pragma once
// CRC-32 (IEEE 802.3, reflected polynomial 0xEDB88320) of a buffer or of an object's stored form.
#include "platform/core/Object.h"

class CChecksum : public CObject
{
  DECLARE_DYNAMIC(CChecksum)
public:
  CChecksum() = default;
  CChecksum(const void* buffer, int length);
  // The checksum of the bytes the object's Serialize writes when storing; null gives 0.
  explicit CChecksum(CObject* object);

  // A null buffer or a length of 0 or less adds nothing.
  void Add(const void* buffer, long long length);
  DWORD GetValue() const { return ~crc; }

private:
  DWORD crc = 0xFFFFFFFFu;
};
