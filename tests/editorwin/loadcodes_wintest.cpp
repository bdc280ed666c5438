// Loading JIS and EUC-JP files whose characters the internal code cannot hold.
#include <windows.h>

#include "support/tempfolder.h"
#include "editor/editorhost.h"
#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

struct TQuietHost : IEditorHost {
    void ReleaseFileLock() override {}
    void RestoreFileLock(bool, const std::string&) override {}
};

void Write(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(f);
}

TEST(EditorLoadCodes, Jis0212CharactersKeepTheirNeighboursAndAreReported)
{
    TQuietHost host;
    IEditorHost* old = SetEditorHost(&host);
    TTempFolder folder;
    auto e = MakeEditor();
    const struct {
        const char* name;
        std::string bytes;
        int code;
        bool lost;
        const char* rows;
    } cases[] = {
        // ん (it marks the file as EUC-JP), then 東海道 Tōkaidō 丨: ō has no
        // code page 932 form, 丨 is an IBM extension.
        {"euc.txt", "\xA4\xF3\n\xC5\xEC\xB3\xA4\xC6\xBB T\x8F\xAB\xD7kaid\x8F\xAB\xD7 \x8F\xB0\xA9\n\xA4\xA2\n", ccEuc, true,
         "ん|東海道 T〓kaid〓 \xFA\x68|あ"},
        {"jis.txt", "\x1B$B\x30\x21 \x30\x21\x1B(B\n\x1B$(D\x30\x29\x1B(Bx\n", ccJis, false, "亜 亜|\xFA\x68x"},
        {"plain.txt", "\xC5\xEC\xB3\xA4\n\xA4\xA2\n", ccEuc, false, "東海|あ"},
    };
    for (const auto& c : cases) {
        Write(folder.File(c.name), c.bytes);
        bool hadNul = true, writable = false, noAnsi = !c.lost;
        TLineEndCode lineEnd = leNone;
        EXPECT_EQ(e->LoadTextFile(folder.File(c.name), true, hadNul, lineEnd, -1, writable, noAnsi), c.code) << c.name;
        EXPECT_EQ(noAnsi, c.lost) << c.name;
        EXPECT_EQ(lineEnd, leLf) << c.name;
        EXPECT_EQ(Rows(*e), c.rows) << c.name;
    }
    SetEditorHost(old);
}

} // namespace
} // namespace vellumo::testing
