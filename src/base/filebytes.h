#pragma once
// Whole-file reading and writing that never leaves a half-written file behind.
// Paths are code-page-932 byte strings (ANSI paths on Windows).
#include <string>

namespace vellumo {

enum class TReadStatus {
    Ok,       // the bytes were read
    Missing,  // nothing exists under the name (or its folder is missing)
    Failed    // something exists but could not be read: a folder, no access, an I/O error
};

TReadStatus ReadFileBytes(const std::string& path, std::string& bytes);

// Writes the bytes to a temporary file in the same folder, flushes it and puts
// it in place of path. On failure path keeps its old content and error (when
// given) says why.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// As ReplaceFileBytes, but fails when anything already exists under path: an
// existing file is never overwritten, and a reader never sees a partial file.
bool CreateFileBytes(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// True when a file or folder of that name exists.
bool PathExists(const std::string& path);

#if defined(_WIN32)
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

// folder + a separator + name; no second separator when folder ends with one
// (a trail byte 5C is no separator); name alone when folder is empty.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder part of a path without the trailing separator ("" when there is
// none). "\" is found by walking the characters, so a trail byte 5C is not
// taken for a separator.
std::string ExtractFileDir(const std::string& path);

} // namespace vellumo
