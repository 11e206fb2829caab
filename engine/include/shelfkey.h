/*
 * Shelfkey: Cutter numbers from the Cutter Four-Figure Table and the
 * Cutter-Sanborn Four-Figure Table.
 *
 * Both functions turn a heading (an author's name or a title, single-byte
 * text) into its filing key, look the key up in the named table index file
 * and write the Cutter number, or a text beginning with "$$$", into the
 * result buffer. They return the number of characters written, without the
 * terminating zero.
 *
 *   indexFile  name of the table index file ("CUT4FIG.IDX", "CS4FIG.IDX");
 *              a bare name is looked for in the process's current directory
 *   heading    zero-terminated heading, read only, any length
 *   result     receives the text and its zero: at least 26 bytes for
 *              GetCut4FigVB and 25 bytes for GetCs4FigVB
 *
 * Texts other than a Cutter number:
 *   "$$$CUT4FIG File Not Found" / "$$$CS4FIG File Not Found"
 *       the index file cannot be opened
 *   "$$$CUT4FIG File Damaged" / "$$$CS4FIG File Damaged"
 *       the index file breaks the rules of its format
 *
 * The functions keep static buffers: calls must never overlap, on any thread.
 * They use the cdecl calling convention on every platform.
 */
#ifndef SHELFKEY_H
#define SHELFKEY_H

#if defined(_WIN32)
#  define SHELFKEY_CALL __cdecl
#  define SHELFKEY_API
#elif defined(__GNUC__)
#  define SHELFKEY_CALL
#  define SHELFKEY_API __attribute__((visibility("default")))
#else
#  define SHELFKEY_CALL
#  define SHELFKEY_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Cutter Four-Figure Table: one to three letters, then the table number. */
SHELFKEY_API int SHELFKEY_CALL GetCut4FigVB(const char *indexFile, const char *heading, char *result);

/* Cutter-Sanborn Four-Figure Table: one capital, then the table number. */
SHELFKEY_API int SHELFKEY_CALL GetCs4FigVB(const char *indexFile, const char *heading, char *result);

/* Function pointer types for hosts that load the library at run time. */
typedef int (SHELFKEY_CALL *ShelfkeyEntryPoint)(const char *indexFile, const char *heading, char *result);

#ifdef __cplusplus
}
#endif

#endif /* SHELFKEY_H */
