#pragma once
// Copies and page order of a print-out: the program sends every page itself, so that the
// choices of the print dialog take effect on any printer, a PDF file included.

#include <vector>

#include "PrintLayout.h"

struct PageOrder {
  int Copies = 1;              // below 1 counts as 1
  bool Collate = true;         // whole documents one after the other, else each page N times
  bool LastPageFirst = false;  // every copy from its last page to its first
};

// The indexes (from 0) of the pages of a PageCount-page document in the order they go out.
std::vector<int> PageSequence(int PageCount, const PageOrder& Order);

// Prints Report as PrintLines does, as one document holding the pages of every copy in
// Order. With one copy, first page first, that is PrintLines itself.
void PrintLines(const platform::TStrings& Report, PrintSurface& Surface, const PageOrder& Order);
