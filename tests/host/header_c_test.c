/* The exported header is valid C, and a C program links and calls it. */
#include "shelfkey.h"

#include <stdio.h>
#include <string.h>

int main(void) {
  char cut[26];
  char cs[25];
  ShelfkeyEntryPoint fn = GetCut4FigVB;
  int n = fn("no-such-table.idx", "Smith", cut);
  int m = GetCs4FigVB("no-such-table.idx", "Smith", cs);
  if (n != 25 || strcmp(cut, "$$$CUT4FIG File Not Found") != 0) {
    fprintf(stderr, "GetCut4FigVB gave %d \"%s\"\n", n, cut);
    return 1;
  }
  if (m != 24 || strcmp(cs, "$$$CS4FIG File Not Found") != 0) {
    fprintf(stderr, "GetCs4FigVB gave %d \"%s\"\n", m, cs);
    return 1;
  }
  return 0;
}
