#pragma once
// The document fixture with a scripted save dialog and a recorded tool bar,
// and the system's file system failing the n-th step of a write.
#include "docfake_win.h"

#include "app/core/appfuncs.h"
#include "app/document/docsave.h"
#include "app/document/safewrite.h"
#include "base/filebytes.h"

namespace vellumo::testing {

class TSaveForm final : public TFakeForm {
public:
    bool RunSaveDialog(const std::string& folder, std::string& fileName) override
    {
        saveFolder = folder;
        saveName = fileName;
        if (saveAnswer.empty()) return false;
        fileName = saveAnswer;
        return true;
    }
    void SetToolBarButtons(const TToolBarState& s) override { toolBar = s; }
    std::string saveFolder, saveName, saveAnswer;
    TToolBarState toolBar;
};

class SaveTest : public DocumentTest {
protected:
    SaveTest() { SetMainForm(&form); }
    ~SaveTest() override
    {
        UnlockOpenFile();
        SetSaveFileSystem(nullptr);
    }
    TEditor& Ed() { return *form.editor; }
    void Edit(const std::string& text)
    {
        Ed().Lines().SetText(text);
        Ed().SetModified(true);
    }
    static std::string Disk(const std::string& path)
    {
        std::string bytes;
        return ReadFileBytes(path, bytes) == TReadStatus::Ok ? bytes : std::string("<unreadable>");
    }
    static void Put(const std::string& path, const std::string& bytes, DWORD attrs = FILE_ATTRIBUTE_NORMAL)
    {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(ReplaceFileBytes(path, bytes));
        SetFileAttributesA(path.c_str(), attrs);
    }

    TSaveForm form;  // in place of the fixture's own
};

// The system's file system with the n-th step failing (queries that fail
// answer as for a path they cannot resolve or find), and with every removal
// failing on request.
class TFaultyFs final : public IFileSystem {
public:
    int FailAt = 0, Steps = 0;
    bool FailDeletes = false;
    IFileSystem& Real = SystemFileSystem();

    bool FinalPath(const std::string& p, std::string& final) override
    {
        if (!Fail()) return Real.FinalPath(p, final);
        final = p;
        return false;
    }
    TFsFileInfo Query(const std::string& p) override { return Fail() ? TFsFileInfo{} : Real.Query(p); }
    bool CreateTemp(const std::string& f, const std::string& p, std::string& n, TFsHandle& h) override
    {
        return !Fail() && Real.CreateTemp(f, p, n, h);
    }
    std::vector<std::string> NamesStartingWith(const std::string& f, const std::string& p) override
    {
        return Real.NamesStartingWith(f, p);
    }
    bool CreateNew(const std::string& p, TFsHandle& h) override { return !Fail() && Real.CreateNew(p, h); }
    bool OpenForWrite(const std::string& p, TFsHandle& h) override { return !Fail() && Real.OpenForWrite(p, h); }
    bool Write(TFsHandle h, const char* d, std::size_t n) override
    {
        // A failing write still puts half of its bytes down, as a full disk does.
        if (!Fail()) return Real.Write(h, d, n);
        Real.Write(h, d, n / 2);
        return false;
    }
    bool Truncate(TFsHandle h) override { return !Fail() && Real.Truncate(h); }
    bool Flush(TFsHandle h) override { return !Fail() && Real.Flush(h); }
    bool Close(TFsHandle h) override
    {
        const bool ok = Real.Close(h);
        return !Fail() && ok;
    }
    bool Replace(const std::string& a, const std::string& b) override { return !Fail() && Real.Replace(a, b); }
    bool Rename(const std::string& a, const std::string& b) override { return !Fail() && Real.Rename(a, b); }
    bool Delete(const std::string& p) override { return !Fail() && !FailDeletes && Real.Delete(p); }
    bool SetAttributes(const std::string& p, std::uint32_t a) override { return !Fail() && Real.SetAttributes(p, a); }
    std::string SpareFolder() override { return Real.SpareFolder(); }

private:
    bool Fail() { return ++Steps == FailAt; }
};

} // namespace vellumo::testing
