#include "app/document/safewrite.h"

#include <cstdio>

#include "settings/pathnames.h"

namespace vellumo {

namespace {

constexpr std::size_t kUniqueDigits = 8;
constexpr char kTempTail[] = ".tmp";

bool IsHexDigits(std::string_view s)
{
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

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

// Removes a temporary file of this write; one that stays is named in the result.
void Remove(IFileSystem& fs, const std::string& temp, TWriteResult& r)
{
    if (!fs.Delete(temp)) r.Leftovers.push_back(temp);
}

// A complete copy of the bytes in a temporary file of the folder; its name, or empty.
std::string WriteCopy(IFileSystem& fs, const std::string& folder, const std::string& target, const std::string& bytes,
                      TWriteResult& r)
{
    std::string name;
    TFsHandle h = 0;
    if (!fs.CreateTemp(folder, TempNamePrefix(target), name, h)) return {};
    if (WriteAll(fs, h, bytes, false)) return name;
    Remove(fs, name, r);
    return {};
}

// Writes over the target from its start. On failure the survivor is kept
// and named; on success it is removed.
TWriteResult WriteInPlace(IFileSystem& fs, const std::string& target, const std::string& bytes,
                          const std::string& survivor, TWriteResult r)
{
    r.FinalPath = target;
    r.WroteInPlace = true;
    r.UsedTemp = true;
    TFsHandle h = 0;
    if (!fs.OpenForWrite(target, h)) {
        r.Failure = TWriteFailure::Create;
        Remove(fs, survivor, r);
        return r;
    }
    r.TargetChanged = true;
    if (!WriteAll(fs, h, bytes, true)) {
        r.Failure = TWriteFailure::InPlace;
        r.Survivor = survivor;
        return r;
    }
    Remove(fs, survivor, r);
    r.Ok = true;
    return r;
}

// The attributes a save gives a file, masked to those that can be set.
std::uint32_t Settable(std::uint32_t attributes)
{
    constexpr std::uint32_t kSettable = 0x1 | 0x2 | 0x4 | 0x20 | 0x80 | 0x100 | 0x1000 | 0x2000;
    return attributes & kSettable;
}

} // namespace

std::uint64_t SpaceNeeded(const TFsFileInfo& target, std::uint64_t newSize, bool tempFile)
{
    if (tempFile || !target.Exists) return newSize;
    return newSize > target.Size ? newSize - target.Size : 0;
}

namespace {

TWriteResult WriteWithTemp(IFileSystem& fs, const std::string& path, const std::string& bytes)
{
    TWriteResult r;
    std::string target;
    const bool resolved = fs.FinalPath(path, target);
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
    // seeing it; so is a path that may be a link the final path did not see
    // through, which a replace would turn into a file of its own. A complete
    // copy comes first.
    constexpr std::uint32_t kReparsePoint = 0x400;
    if (info.Exists && (info.LinkCount > 1 || !resolved || (info.Attributes & kReparsePoint))) {
        std::string copy = WriteCopy(fs, folder, target, bytes, r);
        if (copy.empty()) copy = WriteCopy(fs, fs.SpareFolder(), target, bytes, r);
        if (copy.empty()) {
            r.Failure = TWriteFailure::Write;
            return r;
        }
        return WriteInPlace(fs, target, bytes, copy, r);
    }

    std::string temp;
    TFsHandle h = 0;
    if (!fs.CreateTemp(folder, TempNamePrefix(target), temp, h)) {
        if (!info.Exists) {
            // Nothing to protect: create the file itself, and remove what a failure leaves.
            if (!fs.CreateNew(target, h)) {
                r.Failure = TWriteFailure::Create;
                return r;
            }
            if (!WriteAll(fs, h, bytes, false)) {
                r.Failure = TWriteFailure::Write;
                if (!fs.Delete(target)) {
                    // A part of the new file stays under the name itself.
                    r.Failure = TWriteFailure::InPlace;
                    r.TargetChanged = true;
                }
                return r;
            }
            r.Ok = true;
            return r;
        }
        // The folder takes no new file: keep a copy elsewhere, then write in place.
        const std::string copy = WriteCopy(fs, fs.SpareFolder(), target, bytes, r);
        if (copy.empty()) {
            r.Failure = TWriteFailure::Create;
            return r;
        }
        return WriteInPlace(fs, target, bytes, copy, r);
    }
    r.UsedTemp = true;
    if (!WriteAll(fs, h, bytes, false)) {
        Remove(fs, temp, r);
        r.Failure = TWriteFailure::Write;
        return r;
    }
    if (!info.Exists) {
        if (fs.Rename(temp, target)) {
            r.Ok = true;
            return r;
        }
        Remove(fs, temp, r);
        r.Failure = TWriteFailure::Create;
        return r;
    }
    // The copy takes the file's attributes before it takes its place, so a
    // file that was hidden is never seen without them.
    const std::uint32_t attributes = Settable(info.Attributes);
    if (attributes && !fs.SetAttributes(temp, attributes)) {
        Remove(fs, temp, r);
        r.Failure = TWriteFailure::Write;
        return r;
    }
    if (fs.Replace(temp, target)) {
        // Some systems drop them in the replace: put them back, or say so.
        if (attributes && Settable(fs.Query(target).Attributes) != attributes && !fs.SetAttributes(target, attributes))
            r.AttributesLost = true;
        r.Ok = true;
        return r;
    }
    // The target refuses to be replaced (held open by another program that
    // still lets it be written): write over it, the finished copy kept.
    TWriteResult inPlace = WriteInPlace(fs, target, bytes, temp, r);
    if (inPlace.Failure == TWriteFailure::Create) inPlace.Failure = TWriteFailure::Replace;
    return inPlace;
}

// Whatever a killed save left: it never took the target's place, so
// nothing in it is the document's only copy.
void RemoveOldTemps(IFileSystem& fs, const std::string& target)
{
    const std::string folder = ExtractFilePath(target);
    for (const std::string& name : fs.NamesStartingWith(folder, TempNamePrefix(target)))
        if (IsTempNameFor(name, target)) fs.Delete(folder + name);
}

} // namespace

TWriteResult SafeWriteFile(IFileSystem& fs, const std::string& path, const std::string& bytes)
{
    TWriteResult r = WriteWithTemp(fs, path, bytes);
    if (r.Ok) RemoveOldTemps(fs, r.FinalPath);
    return r;
}

std::string TempNamePrefix(const std::string& target)
{
    const std::string name = ExtractFileName(target);
    const std::size_t folder = target.size() - name.size();
    // The whole temporary name must fit a path, and a name in a folder.
    const std::size_t added = 3 + 1 + kUniqueDigits + sizeof kTempTail - 1;
    if (name.size() + added <= 255 && folder + name.size() + added <= kMaxPathBytes) return "~vl" + name + ".";
    std::uint32_t hash = 2166136261u;
    for (char c : LowerCasePath(name)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
    return std::string("~vl#") + digits + ".";
}

bool IsTempNameFor(const std::string& name, const std::string& target)
{
    const std::string prefix = TempNamePrefix(target);
    const std::size_t tail = sizeof kTempTail - 1;
    if (name.size() != prefix.size() + kUniqueDigits + tail) return false;
    if (LowerCasePath(name.substr(0, prefix.size())) != LowerCasePath(prefix)) return false;
    if (LowerCasePath(name.substr(name.size() - tail)) != kTempTail) return false;
    return IsHexDigits(std::string_view(name).substr(prefix.size(), kUniqueDigits));
}

} // namespace vellumo
