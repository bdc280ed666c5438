#include "base/filebytes.h"

#include "base/leadbytes.h"

#if !defined(_WIN32)
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vellumo {

std::string ExtractFileDir(const std::string& path)
{
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(b) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (b == '\\' || b == '/') cut = i;
    }
    if (cut == std::string::npos) return {};
    if (cut == 0) return path.substr(0, 1);  // the root itself
    return path.substr(0, cut);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    bool endsWithDelim = false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(folder[i]);
        endsWithDelim = b == '\\' || b == '/';
        if (IsLeadByte(b) && i + 1 < folder.size()) {
            ++i;
            endsWithDelim = false;
        }
    }
    return endsWithDelim ? folder + name : folder + PathDelim + name;
}

#if !defined(_WIN32)

namespace {

std::string ErrnoText(const char* what, const std::string& path)
{
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes a flushed temporary file with the bytes beside path; returns its name
// or "" on failure.
std::string WriteTemporary(const std::string& path, const std::string& bytes, mode_t mode, std::string* error)
{
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        if (error) *error = ErrnoText("cannot create a temporary file for", path);
        return {};
    }
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (!ok && error) *error = ErrnoText("cannot write", tmp);
    if (::close(fd) != 0 && ok) {
        ok = false;
        if (error) *error = ErrnoText("cannot write", tmp);
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return {};
    }
    return tmp;
}

} // namespace

TReadStatus ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? TReadStatus::Missing : TReadStatus::Failed;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return TReadStatus::Failed;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return TReadStatus::Failed;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return TReadStatus::Ok;
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string* error)
{
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            if (error) *error = "a folder has the name " + path;
            return false;
        }
        mode = st.st_mode & 07777;
    }
    const std::string tmp = WriteTemporary(path, bytes, mode, error);
    if (tmp.empty()) return false;
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        if (error) *error = ErrnoText("cannot replace", path);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool CreateFileBytes(const std::string& path, const std::string& bytes, std::string* error)
{
    if (PathExists(path)) {
        if (error) *error = path + " exists already";
        return false;
    }
    const std::string tmp = WriteTemporary(path, bytes, 0644, error);
    if (tmp.empty()) return false;
    // A hard link publishes the complete file and fails when the name is taken.
    const bool ok = ::link(tmp.c_str(), path.c_str()) == 0;
    if (!ok && error) *error = ErrnoText("cannot create", path);
    ::unlink(tmp.c_str());
    return ok;
}

bool PathExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

#endif

} // namespace vellumo
