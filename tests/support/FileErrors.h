#pragma once
// The error numbers of the trace line for the file faults the tests make: errno
// on Linux, the system's error codes (GetLastError) on Windows.

#include <cerrno>

namespace pk10::test {

#ifdef _WIN32
inline constexpr int kErrorIsAFolder = 5;   // ERROR_ACCESS_DENIED
inline constexpr int kErrorNotAFolder = 3;  // ERROR_PATH_NOT_FOUND
inline constexpr int kErrorNoSuchFile = 2;  // ERROR_FILE_NOT_FOUND
#else
inline constexpr int kErrorIsAFolder = EISDIR;
inline constexpr int kErrorNotAFolder = ENOTDIR;
inline constexpr int kErrorNoSuchFile = ENOENT;
#endif

}  // namespace pk10::test
