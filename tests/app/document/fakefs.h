#pragma once
// An in-memory file system for the safe write: names point at shared file
// bodies (hard links), symbolic links point at names, and any step of a
// write can be made to fail.
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/document/safewrite.h"

namespace vellumo::testing {

class TFakeFs final : public IFileSystem {
public:
    struct TBody {
        std::string Data;
        std::uint32_t Attributes = 0x20;  // archive
    };

    // Fault injection: the n-th faultable step (1-based) fails; 0 never.
    int FailAt = 0;
    int Steps = 0;                 // faultable steps taken
    std::size_t Capacity = ~std::size_t(0);  // bytes the disk still takes
    std::set<std::string> Locked;  // names that refuse to be replaced or opened
    bool FolderReadOnly = false;   // nothing new can be created beside the target
    bool Device = false;           // every existing name is a device
    bool FailDeletes = false;      // no name can be removed

    std::map<std::string, std::shared_ptr<TBody>> Names;
    std::map<std::string, std::string> Links;  // symbolic link -> target name
    std::set<std::string> Unresolvable;        // links whose final path cannot be found

    void Put(const std::string& name, const std::string& data, std::uint32_t attrs = 0x20)
    {
        auto b = std::make_shared<TBody>();
        b->Data = data;
        b->Attributes = attrs;
        Names[name] = b;
    }
    std::string Content(const std::string& name) const
    {
        auto it = Names.find(Resolve(name));
        return it == Names.end() ? std::string("<missing>") : it->second->Data;
    }
    std::string Resolve(const std::string& name) const
    {
        auto it = Links.find(name);
        return it == Links.end() ? name : it->second;
    }

    bool FinalPath(const std::string& path, std::string& final) override
    {
        const bool resolved = !Unresolvable.count(path);
        final = resolved ? Resolve(path) : path;
        return resolved;
    }

    // Opening a name opens what a link points at.
    TFsFileInfo Query(const std::string& pathOrLink) override
    {
        const std::string path = Resolve(pathOrLink);
        TFsFileInfo info;
        auto it = Names.find(path);
        if (it == Names.end()) return info;
        info.Exists = true;
        info.Attributes = it->second->Attributes;
        info.ReadOnly = (info.Attributes & 1) != 0;
        info.Size = it->second->Data.size();
        info.Disk = !Device;
        for (const auto& [n, b] : Names) info.LinkCount += n != path && b == it->second;
        return info;
    }

    bool CreateTemp(const std::string& folder, const std::string& prefix, std::string& name, TFsHandle& h) override
    {
        if (Fail() || (FolderReadOnly && folder != SpareFolder())) return false;
        char unique[16];
        std::snprintf(unique, sizeof unique, "%08x", ++serial_);
        name = folder + prefix + unique + ".tmp";
        Put(name, "", 0x20);
        h = NewHandle(name, false);
        return true;
    }
    std::vector<std::string> NamesStartingWith(const std::string& folder, const std::string& prefix) override
    {
        std::vector<std::string> names;
        for (const auto& [name, body] : Names)
            if (name.size() > folder.size() && name.compare(0, folder.size(), folder) == 0 &&
                name.find('\\', folder.size()) == std::string::npos &&
                Lower(name.substr(folder.size(), prefix.size())) == Lower(prefix))
                names.push_back(name.substr(folder.size()));
        return names;
    }
    bool CreateNew(const std::string& path, TFsHandle& h) override
    {
        if (Fail() || FolderReadOnly || Names.count(path)) return false;
        Put(path, "", 0x20);
        h = NewHandle(path, false);
        return true;
    }
    bool OpenForWrite(const std::string& pathOrLink, TFsHandle& h) override
    {
        const std::string path = Resolve(pathOrLink);
        if (Fail() || Locked.count(path) || !Names.count(path)) return false;
        h = NewHandle(path, true);
        return true;
    }
    bool Write(TFsHandle h, const char* data, std::size_t size) override
    {
        if (Fail()) return false;
        THandle& f = handles_.at(h);
        const std::size_t room = size < Capacity ? size : Capacity;
        std::string& d = f.Body->Data;
        if (d.size() < f.Pos + room) d.resize(f.Pos + room);
        d.replace(f.Pos, room, data, room);
        f.Pos += room;
        Capacity -= room;
        return room == size;
    }
    bool Truncate(TFsHandle h) override
    {
        if (Fail()) return false;
        THandle& f = handles_.at(h);
        f.Body->Data.resize(f.Pos);
        return true;
    }
    bool Flush(TFsHandle) override { return !Fail(); }
    bool Close(TFsHandle h) override
    {
        handles_.erase(h);
        return !Fail();
    }
    bool Replace(const std::string& from, const std::string& to) override
    {
        if (Fail() || Locked.count(to) || !Names.count(from)) return false;
        Names[to] = Names[from];
        Names.erase(from);
        return true;
    }
    bool Rename(const std::string& from, const std::string& to) override
    {
        if (Fail() || Names.count(to) || !Names.count(from)) return false;
        Names[to] = Names[from];
        Names.erase(from);
        return true;
    }
    bool Delete(const std::string& path) override { return !FailDeletes && Names.erase(path) > 0; }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override
    {
        auto it = Names.find(path);
        if (it == Names.end()) return false;
        it->second->Attributes = attributes;
        return true;
    }
    std::string SpareFolder() override { return "T:\\spare\\"; }

    std::size_t OpenHandles() const { return handles_.size(); }
    static std::string Lower(std::string s)
    {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    }

private:
    struct THandle {
        std::shared_ptr<TBody> Body;
        std::size_t Pos = 0;
    };
    bool Fail() { return ++Steps == FailAt; }
    TFsHandle NewHandle(const std::string& name, bool) {
        handles_[++nextHandle_] = THandle{Names[name], 0};
        return nextHandle_;
    }

    std::map<TFsHandle, THandle> handles_;
    TFsHandle nextHandle_ = 0;
    unsigned serial_ = 0;
};

} // namespace vellumo::testing
