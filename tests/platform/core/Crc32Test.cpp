// Guards the checksum the file writer holds its copies against: every byte of a file counts, and
// only those, across the reads it takes them in.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "platform/core/Crc32.h"

namespace {

// The checksum bit by bit, as the polynomial defines it, apart from the tables and folding.
DWORD PlainCrc32(const std::string& bytes)
{
  DWORD reg = 0xFFFFFFFFu;
  for (const char c : bytes) {
    reg ^= static_cast<BYTE>(c);
    for (int bit = 0; bit < 8; ++bit)
      reg = (reg & 1) ? 0xEDB88320u ^ (reg >> 1) : reg >> 1;
  }
  return ~reg;
}

}  // namespace

// The standard check value, then files of lengths about the size of one read: a byte left out or
// taken twice changes the checksum.
TEST(Crc32, TheChecksumOfAFileTakesEveryByteAndOnlyThose)
{
  EXPECT_EQ(~Crc32Update(kCrc32Start, "123456789", 9), 0xCBF43926u) << "Crc32Update of the check string";
  EXPECT_EQ(~Crc32Update(kCrc32Start, "12345678", 8), 0x9AE0DAAFu) << "Crc32Update of the check string but its last";
  for (const size_t size :
       {size_t{0}, size_t{1}, size_t{9}, size_t{65535}, size_t{65536}, size_t{65537}, size_t{200003}}) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
      bytes[i] = static_cast<char>(i * 131 + i / 256);
    if (size == 9)
      bytes = "123456789";
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, size, file), size);
    ASSERT_EQ(std::fflush(file), 0);
    DWORD checksum = 0;
    long long length = -1;
    ASSERT_TRUE(Crc32OfFile(::fileno(file), checksum, length));
    std::fclose(file);
    EXPECT_EQ(length, static_cast<long long>(size)) << "Crc32OfFile counts the bytes of a file of " << size;
    EXPECT_EQ(checksum, PlainCrc32(bytes)) << "Crc32OfFile of a file of " << size << " bytes";
  }
}
