#pragma once
// Writing a document's finished bytes so that a failure never leaves the
// user without a complete copy: the bytes go to a temporary file beside the
// file's final path (links resolved), are flushed, and the temporary file
// replaces the target; the target's attributes are put back. Only where a
// replace cannot work (other hard links, a link that could not be resolved,
// a target that refuses it, a folder where nothing can be created) is the
// target written in place, and then only after a complete copy exists
// somewhere that the result names.
// A temporary file's name tells which target it was made for, so that what
// a save cut short by a crash left behind is removed by the next save of
// that target that succeeds.
// Everything goes through IFileSystem, which tests replace to fail any step.
#include <cstdint>
#include <string>
#include <vector>

namespace vellumo {

using TFsHandle = std::uintptr_t;

struct TFsFileInfo {
    bool Exists = false;
    bool Directory = false;
    bool ReadOnly = false;
    bool Disk = true;          // opened, it is a disk file (not a device or pipe)
    std::uint32_t Attributes = 0;
    std::uint32_t LinkCount = 1;
    std::uint64_t Size = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // The file's final path with links resolved into final (the path itself
    // when it does not exist). False, with final the path itself, when
    // something exists there whose final path cannot be found: it may be a
    // link that a replace would turn into a file of its own.
    virtual bool FinalPath(const std::string& path, std::string& final) = 0;
    // The final path, or the path itself.
    std::string FinalPathOf(const std::string& path)
    {
        std::string final;
        FinalPath(path, final);
        return final;
    }
    virtual TFsFileInfo Query(const std::string& path) = 0;
    // A new, empty file in the folder named prefix, a number no file of the
    // folder has (eight hexadecimal digits) and ".tmp"; its path is returned.
    virtual bool CreateTemp(const std::string& folder, const std::string& prefix, std::string& name, TFsHandle& h) = 0;
    // The names (without the folder) of the files in the folder that begin
    // with prefix, case ignored.
    virtual std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) = 0;
    // A new file under exactly that name (fails when it exists).
    virtual bool CreateNew(const std::string& path, TFsHandle& h) = 0;
    // An existing file opened for writing from its start, not truncated.
    virtual bool OpenForWrite(const std::string& path, TFsHandle& h) = 0;
    virtual bool Write(TFsHandle h, const char* data, std::size_t size) = 0;
    // Cuts the file at the current position.
    virtual bool Truncate(TFsHandle h) = 0;
    virtual bool Flush(TFsHandle h) = 0;
    virtual bool Close(TFsHandle h) = 0;
    // Puts from in place of an existing to.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    // Renames from to a name that does not exist.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Delete(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // A folder where a copy can go when the file's own folder takes none.
    virtual std::string SpareFolder() = 0;
};

#if defined(_WIN32)
// The real file system.
IFileSystem& SystemFileSystem();
#endif

enum class TWriteFailure {
    None,
    Folder,    // the target is a folder
    ReadOnly,  // the target has the read-only attribute
    Device,    // the target is no disk file
    Create,    // nothing could be created or opened for writing
    Write,     // writing or flushing the copy failed: the target is untouched
    Replace,   // the copy is complete but could not take the target's place
    InPlace,   // writing over the target failed: it may be incomplete
};

struct TWriteResult {
    bool Ok = false;
    TWriteFailure Failure = TWriteFailure::None;
    std::string FinalPath;  // the file written (links resolved)
    // After a failure on an in-place path: a file holding the complete bytes.
    std::string Survivor;
    bool TargetChanged = false;  // the target may hold part of the new bytes
    bool WroteInPlace = false;
    bool UsedTemp = false;
    // Temporary files of this write that could not be removed.
    std::vector<std::string> Leftovers;
    // Saved, but the file's attributes (hidden, system) could not be put back.
    bool AttributesLost = false;
};

// Bytes per write call; each is one step a test can fail.
inline constexpr std::size_t kSafeWriteChunk = 1 << 20;

// After a write that succeeded, the temporary files of earlier writes of
// the same target are removed from its folder (one still open for another
// write cannot be, and stays).
TWriteResult SafeWriteFile(IFileSystem& fs, const std::string& path, const std::string& bytes);

// What the temporary files of a write of target begin with: "~vl", the
// target's file name and "."; when a name that long would not fit the
// path, "~vl#", eight hexadecimal digits made from the file name, and ".".
std::string TempNamePrefix(const std::string& target);
// name (without its folder) is a temporary file of a write of target.
bool IsTempNameFor(const std::string& name, const std::string& target);

// The free space the write needs on the target's drive: with a temporary
// file the whole new size; in place the growth over the present size.
std::uint64_t SpaceNeeded(const TFsFileInfo& target, std::uint64_t newSize, bool tempFile);

} // namespace vellumo
