// txdb_generate CATALOGUE-FOLDER OUTPUT-FILE: builds the product database from the sample
// catalogue. On any fault it names the file and line at fault and leaves the output untouched.
#include <cstdio>

#include "productdata/Catalog.h"

int main(int argc, char** argv)
{
  if (argc != 3) {
    std::fputs("usage: txdb_generate CATALOGUE-FOLDER OUTPUT-FILE\n", stderr);
    return 2;
  }
  try {
    CTableWriter writer;
    CCatalogue::Load(CString::FromUtf8(argv[1])).AddTo(writer);
    writer.WriteFile(CString::FromUtf8(argv[2]));
  } catch (CException& e) {
    std::fputs(("txdb_generate: " + e.GetErrorMessage() + "\n").ToUtf8().c_str(), stderr);
    return 1;
  }
  return 0;
}
