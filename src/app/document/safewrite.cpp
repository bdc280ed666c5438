#include "app/document/safewrite.h"

#include "settings/pathnames.h"

namespace vellumo {

namespace {

// Writes all bytes in chunks, flushes and closes; the handle is closed on every path.
bool WriteAll(IFileSystem& fs, TFsHandle h, const std::string& bytes, bool truncate)
{
    bool ok = true;
    for (std::size_t at = 0; ok && at < bytes.size(); at += kSafeWriteChunk) {
        const std::size_t n = bytes.size() - at < kSafeWriteChunk ? bytes.size() - at : kSafeWriteChunk;
        ok = fs.Write(h, bytes.data() + at, n);
    }
    if (ok && truncate) ok = fs.Truncate(h);
    if (ok) ok = fs.Flush(h);
    const bool closed = fs.Close(h);
    return ok && closed;
}

// A complete copy of the bytes in a temporary file of the folder; its name, or empty.
std::string WriteCopy(IFileSystem& fs, const std::string& folder, const std::string& bytes)
{
    std::string name;
    TFsHandle h = 0;
    if (!fs.CreateTemp(folder, name, h)) return {};
    if (WriteAll(fs, h, bytes, false)) return name;
    fs.Delete(name);
    return {};
}

// Writes over the target from its start. On failure the survivor is kept
// and named; on success it is removed.
TWriteResult WriteInPlace(IFileSystem& fs, const std::string& target, const std::string& bytes,
                          const std::string& survivor, bool survivorIsTemp)
{
    TWriteResult r;
    r.FinalPath = target;
    r.WroteInPlace = true;
    r.UsedTemp = survivorIsTemp;
    TFsHandle h = 0;
    if (!fs.OpenForWrite(target, h)) {
        r.Failure = TWriteFailure::Create;
        if (survivorIsTemp) fs.Delete(survivor);
        return r;
    }
    r.TargetChanged = true;
    if (!WriteAll(fs, h, bytes, true)) {
        r.Failure = TWriteFailure::InPlace;
        r.Survivor = survivor;
        return r;
    }
    if (survivorIsTemp) fs.Delete(survivor);
    r.Ok = true;
    return r;
}

} // namespace

std::uint64_t SpaceNeeded(const TFsFileInfo& target, std::uint64_t newSize, bool tempFile)
{
    if (tempFile || !target.Exists) return newSize;
    return newSize > target.Size ? newSize - target.Size : 0;
}

TWriteResult SafeWriteFile(IFileSystem& fs, const std::string& path, const std::string& bytes)
{
    TWriteResult r;
    const std::string target = fs.FinalPath(path);
    r.FinalPath = target;
    const TFsFileInfo info = fs.Query(target);
    if (info.Directory) {
        r.Failure = TWriteFailure::Folder;
        return r;
    }
    if (info.Exists && info.ReadOnly) {
        r.Failure = TWriteFailure::ReadOnly;
        return r;
    }
    if ((info.Exists && !info.Disk) || IsDeviceName(target)) {
        r.Failure = TWriteFailure::Device;
        return r;
    }
    const std::string folder = ExtractFilePath(target);

    // A file with other hard links is written in place, so every name keeps
    // seeing it; a complete copy comes first.
    if (info.Exists && info.LinkCount > 1) {
        std::string copy = WriteCopy(fs, folder, bytes);
        if (copy.empty()) copy = WriteCopy(fs, fs.SpareFolder(), bytes);
        if (copy.empty()) {
            r.Failure = TWriteFailure::Write;
            return r;
        }
        return WriteInPlace(fs, target, bytes, copy, true);
    }

    std::string temp;
    TFsHandle h = 0;
    if (!fs.CreateTemp(folder, temp, h)) {
        if (!info.Exists) {
            // Nothing to protect: create the file itself, and remove what a failure leaves.
            if (!fs.CreateNew(target, h)) {
                r.Failure = TWriteFailure::Create;
                return r;
            }
            if (!WriteAll(fs, h, bytes, false)) {
                fs.Delete(target);
                r.Failure = TWriteFailure::Write;
                return r;
            }
            r.Ok = true;
            return r;
        }
        // The folder takes no new file: keep a copy elsewhere, then write in place.
        const std::string copy = WriteCopy(fs, fs.SpareFolder(), bytes);
        if (copy.empty()) {
            r.Failure = TWriteFailure::Create;
            return r;
        }
        return WriteInPlace(fs, target, bytes, copy, true);
    }
    r.UsedTemp = true;
    if (!WriteAll(fs, h, bytes, false)) {
        fs.Delete(temp);
        r.Failure = TWriteFailure::Write;
        return r;
    }
    if (!info.Exists) {
        if (fs.Rename(temp, target)) {
            r.Ok = true;
            return r;
        }
        fs.Delete(temp);
        r.Failure = TWriteFailure::Create;
        return r;
    }
    if (fs.Replace(temp, target)) {
        // The replace takes the copy's attributes; the file keeps its own.
        fs.SetAttributes(target, info.Attributes);
        r.Ok = true;
        return r;
    }
    // The target refuses to be replaced (held open by another program that
    // still lets it be written): write over it, the finished copy kept.
    TWriteResult inPlace = WriteInPlace(fs, target, bytes, temp, true);
    if (inPlace.Failure == TWriteFailure::Create) inPlace.Failure = TWriteFailure::Replace;
    return inPlace;
}

} // namespace vellumo
