// Reading a text file into the editor in one step.
#include <windows.h>

#include <cstring>
#include <exception>
#include <new>

#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/bytefind.h"
#include "editor/editorhost.h"
#include "editor/loadconv_win.h"
#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"
#include "textcode/wideconv.h"

namespace vellumo {

namespace {

bool CanOpenForWriting(const std::string& name)
{
    const DWORD attr = GetFileAttributesA(name.c_str());
    // Checked by attribute too: an administrator may open a read-only file for writing.
    if (attr == INVALID_FILE_ATTRIBUTES || (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

// outOfMemory: the file could be read but not held, which no waiting for
// another program mends.
void ReportLoadFailure(const std::string& fileName, bool outOfMemory)
{
    ShowMsg("\"" + fileName + "\"\r\n" +
                (outOfMemory ? "は大きすぎて、使えるメモリーに読み込めません。"
                             : "の読み込みに失敗しました。他のプロセスで使用中の可能性があります。"),
            kMsgCaption, kMsgIconExclamation);
    if (!EditorHost().MainWindowShown()) EditorHost().LoadFailedBeforeShown();
}

// Gives the document's lock back on every way out: on the loaded file after
// a load, on the previous file after a failure.
class TFileLockRestore {
public:
    explicit TFileLockRestore(const std::string& name) : name_(name) { EditorHost().ReleaseFileLock(); }
    ~TFileLockRestore() { EditorHost().RestoreFileLock(loaded_, name_); }
    void Loaded() { loaded_ = true; }

private:
    const std::string& name_;
    bool loaded_ = false;
};

} // namespace

int TEditor::LoadTextFile(const std::string& fileName, bool detect, bool& hadNul, TLineEndCode& lineBreak,
                          int forcedCode, bool& writable, bool& noAnsi)
{
    hadNul = false;
    writable = true;
    noAnsi = false;
    TLinesUpdate update(*lines_);
    TFileLockRestore lock(fileName);
    writable = CanOpenForWriting(fileName);
    TLoadPages bytes;
    TFileText file;
    bool read = false, outOfMemory = false;
    try {
        read = ReadFileText(fileName, forcedCode, detect, bytes, file);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    if (!read) {
        ReportLoadFailure(fileName, outOfMemory || file.TooLarge || bytes.Exhausted());
        return -1;
    }
    TCharCode code = file.Converted != ccNone                   ? file.Converted
                     : forcedCode >= 0 && forcedCode <= ccUtf8N ? static_cast<TCharCode>(forcedCode)
                     : !detect                                  ? ccSjis
                     : file.NotUtf8                             ? DetectLegacyCharCode(bytes.View())
                                                                : DetectCharCode(bytes.View());
    noAnsi = file.OddByte || file.Replaced;
    const std::string_view raw = bytes.View();
    // With code page 932 a conversion that the reading left runs in the
    // file's own pages, which become the text: no second buffer.
    const bool ownTables = GetAnsiCodePage() == 932;
    const bool toConvert = file.Converted == ccNone;
    TLoadPages text;
    bool converted = false, ok = true;
    try {
        if (toConvert && code == ccUnicode) {
            const std::size_t skip =
                raw.size() > 1 && static_cast<unsigned char>(raw[0]) == 0xFF && static_cast<unsigned char>(raw[1]) == 0xFE ? 2
                                                                                                                           : 0;
            // A lone last byte is no character: lost as an unreadable one is, and said so.
            const bool odd = (raw.size() - skip) % 2 == 1;
            if (ownTables) {
                TInPlaceOutput out;
                Utf16LeToCp932InPlace(bytes.Data(), bytes.Size(), skip, out, noAnsi);
                ok = bytes.Settle(out);
            } else {
                converted = true;
                ok = ConvertUtf16Pages(bytes, skip, text, noAnsi);
            }
            if (odd) noAnsi = true;
        } else if (toConvert && (code == ccUtf8 || code == ccUtf8N)) {
            std::size_t skip = 0;
            if (raw.size() >= 3 && static_cast<unsigned char>(raw[0]) == 0xEF &&
                static_cast<unsigned char>(raw[1]) == 0xBB && static_cast<unsigned char>(raw[2]) == 0xBF) {
                code = ccUtf8;
                skip = 3;
            } else {
                code = ccUtf8N;
            }
            if (ownTables) {
                TInPlaceOutput out;
                Utf8ToCp932InPlace(bytes.Data(), bytes.Size(), skip, out, noAnsi);
                ok = bytes.Settle(out);
            } else {
                converted = true;
                ok = ConvertUtf8Pages(bytes, skip, text, noAnsi);
            }
        }
    } catch (const std::bad_alloc&) {
        ok = false;
        outOfMemory = true;
    }
    if (!ok) {
        // Nothing is loaded rather than an empty text that a save would write back.
        noAnsi = false;
        ReportLoadFailure(fileName, outOfMemory || bytes.Exhausted() || text.Exhausted());
        return -1;
    }
    TLoadPages& pages = converted ? text : bytes;
    const std::string_view t = pages.View();
    if (detect) {
        lineBreak = DetectLineEnd(t);
        if (lineBreak == leNone && (code == ccJis || code == ccJisOld || code == ccEuc || code == ccEucOrSjis))
            lineBreak = leLf;
    } else {
        lineBreak = leCrLf;
    }
    if (HasByte(t, '\0')) {
        hadNul = true;
        for (char* p = pages.Data(); (p = const_cast<char*>(FindByte(p, pages.Data() + pages.Size(), '\0'))) < pages.Data() + pages.Size();)
            *p++ = ' ';
    }
    if (detect && !converted && toConvert) {
        // Characters the internal code cannot hold arrive as "〓" and are
        // reported as the wide conversions report theirs.
        std::size_t replaced = 0;
        try {
            if (code == ccEucOrSjis && lineBreak == leLf) code = ccEuc;
            TInPlaceOutput out;
            if (code == ccJis || code == ccJisOld) {
                replaced = ConvertJisToSjisInPlace(bytes.Data(), bytes.Size(), out);
                ok = bytes.Settle(out);
            } else if (code == ccEuc) {
                replaced = ConvertEucToSjisInPlace(bytes.Data(), bytes.Size(), out);
                ok = bytes.Settle(out);
            }
        } catch (const std::bad_alloc&) {
            ok = false;
            outOfMemory = true;
        }
        if (!ok) {
            ReportLoadFailure(fileName, outOfMemory || bytes.Exhausted());
            return -1;
        }
        if (replaced) noAnsi = true;
    }
    TTextBlock block = pages.TakeBlock();
    std::vector<TTextBlock> blocks;
    blocks.push_back(std::move(block));
    bytes.Free();  // what a conversion left of the file
    try {
        Store().LoadBlocks(std::move(blocks));
    } catch (const std::bad_alloc&) {
        ReportLoadFailure(fileName, true);
        return -1;
    }
    SetTopRow(0);
    SetLeftCol(0);
    lock.Loaded();
    return code;
}

} // namespace vellumo
