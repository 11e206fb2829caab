/* A stand-in engine library that exports only one of the two entry points. */
#include <string.h>

__attribute__((visibility("default"))) int GetCut4FigVB(const char *indexFile, const char *heading, char *result) {
  (void)indexFile;
  (void)heading;
  strcpy(result, "partial");
  return 7;
}
