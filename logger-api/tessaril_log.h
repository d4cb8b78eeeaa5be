/*
 * tessaril_log.h - the host's logger library: named, size-rotated log files.
 *
 * Plain C, usable from C and C++. Both functions use the C calling convention
 * and never let an error escape as anything but a negative result.
 */
#ifndef TESSARIL_LOG_H
#define TESSARIL_LOG_H

#include <stdint.h>

#if defined(_WIN32)
#  if defined(TESSARIL_LOG_BUILDING)
#    define TESSARIL_LOG_API __declspec(dllexport)
#  elif defined(TESSARIL_LOG_STATIC)
/* Plain declarations: the caller links the functions in directly (a test
   double, for instance) or reaches the DLL through its import library's stubs. */
#    define TESSARIL_LOG_API
#  else
#    define TESSARIL_LOG_API __declspec(dllimport)
#  endif
#  define TESSARIL_LOG_CALL __cdecl
#elif defined(__GNUC__)
#  define TESSARIL_LOG_API __attribute__((visibility("default")))
#  define TESSARIL_LOG_CALL
#else
#  define TESSARIL_LOG_API
#  define TESSARIL_LOG_CALL
#endif

/* Results of both functions. */
#define TESSARIL_LOG_OK 0
#define TESSARIL_LOG_ERROR_BAD_ARGUMENT (-1)
#define TESSARIL_LOG_ERROR_UNKNOWN_LOGGER (-2)
#define TESSARIL_LOG_ERROR_FAILED (-3)

/* Levels of a line, lowest first. */
#define TESSARIL_LOG_TRACE 1
#define TESSARIL_LOG_DEBUG 2
#define TESSARIL_LOG_INFO 3
#define TESSARIL_LOG_WARNING 4
#define TESSARIL_LOG_ERROR 5
#define TESSARIL_LOG_CRITICAL 6

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Creates (or replaces) the logger called loggerName, writing to
 * <directory>/<fileStem>.log.
 *
 *   maxFileBytes    size at which the file rotates; 0 or less means 10 MiB
 *   directory       folder of the files, created if missing; NULL or "" means
 *                   the current directory
 *   fileStem        file name without ".log"; NULL or "" means loggerName
 *   loggerName      the name TessarilLogWrite uses; must not be NULL or ""
 *   lowestLevel     lines below this level are dropped; 0 or less keeps
 *                   everything, more than 6 keeps critical lines only
 *   keptFiles       rotated files kept besides the current one (<stem>.1.log
 *                   is the newest); negative means 0
 *   flushEveryLine  non-zero (1) writes every line through at once; 0 lets
 *                   lines wait in a buffer, except error and critical lines
 *
 * A second call with the same name replaces the earlier logger; if that call
 * fails, the earlier logger stays in place.
 * Returns TESSARIL_LOG_OK; TESSARIL_LOG_ERROR_BAD_ARGUMENT for a NULL or empty
 * loggerName; TESSARIL_LOG_ERROR_FAILED when the file cannot be opened.
 */
TESSARIL_LOG_API int32_t TESSARIL_LOG_CALL CreateTessarilLogger(int32_t maxFileBytes, const char* directory,
                                                                const char* fileStem, const char* loggerName,
                                                                int32_t lowestLevel, int32_t keptFiles,
                                                                int32_t flushEveryLine);

/*
 * Writes one line to the logger called loggerName. A level below 1 is written
 * as trace (1), a level above 6 as critical (6).
 * Returns TESSARIL_LOG_OK; TESSARIL_LOG_ERROR_BAD_ARGUMENT for a NULL name or
 * message and TESSARIL_LOG_ERROR_UNKNOWN_LOGGER for a name never created, in
 * both cases writing nothing.
 */
TESSARIL_LOG_API int32_t TESSARIL_LOG_CALL TessarilLogWrite(const char* loggerName, int32_t level,
                                                            const char* message);

#ifdef __cplusplus
}
#endif

#endif /* TESSARIL_LOG_H */
