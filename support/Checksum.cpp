#include "support/Checksum.h"

#include "platform/core/Archive.h"
#include "platform/core/Crc32.h"

IMPLEMENT_DYNAMIC(CChecksum, CObject)

CChecksum::CChecksum(const void* buffer, int length) { Add(buffer, length); }

CChecksum::CChecksum(CObject* object)
{
  if (!object)
    return;
  CMemFile file(1024);
  {
    CArchive ar(&file, CArchive::store, 4096);
    object->Serialize(ar);
    ar.Close();
  }
  const std::vector<BYTE>& bytes = file.GetBytes();
  Add(bytes.data(), static_cast<long long>(bytes.size()));
}

void CChecksum::Add(const void* buffer, long long length)
{
  if (!buffer || length <= 0)
    return;
  crc = Crc32Update(crc, buffer, static_cast<size_t>(length));
}
