#pragma once
// A write-only file that takes the CRC-32 of every byte written through it and passes the bytes
// on to another file, if given one. Serializing through it checksums an image without keeping it.
#include "platform/core/File.h"
#include "support/Checksum.h"

class CChecksumFile : public CFile
{
public:
  explicit CChecksumFile(CFile* passTo = nullptr) : m_pPassTo(passTo) {}

  void Write(const void* buffer, UINT count) override
  {
    if (m_pPassTo)
      m_pPassTo->Write(buffer, count);
    m_checksum.Add(buffer, count);
    m_length += count;
  }
  long long GetLength() const override { return m_length; }
  long long GetPosition() const override { return m_length; }
  void Flush() override {}
  void Close() override {}
  void Abort() override {}
  DWORD GetChecksum() const { return m_checksum.GetValue(); }

private:
  CFile* m_pPassTo;
  CChecksum m_checksum;
  long long m_length = 0;
};
