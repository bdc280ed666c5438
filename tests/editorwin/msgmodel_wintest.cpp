// Random edits by message against a plain string: EM_SETSEL, EM_REPLACESEL,
// WM_CHAR, Backspace, Delete and EM_UNDO, with word wrap off and on. After
// every step the text (WM_GETTEXT) and the selection (EM_GETSEL) must match.
#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

// The plain reference: the text, the selection [start, end) and the caret at
// end (start == end without a selection), and the texts undo goes back to.
struct TModel {
    std::string Text;
    int Start = 0, End = 0;
    std::deque<std::string> Undo;

    // Character starts (a line break and a double-byte pair are one character).
    std::vector<int> Boundaries() const
    {
        std::vector<int> v;
        int i = 0;
        const int n = static_cast<int>(Text.size());
        while (i < n) {
            v.push_back(i);
            i += CharLen(i);
        }
        v.push_back(n);
        return v;
    }
    int CharLen(int i) const
    {
        const auto c = static_cast<unsigned char>(Text[static_cast<size_t>(i)]);
        if (c == '\r' && i + 1 < static_cast<int>(Text.size()) && Text[static_cast<size_t>(i) + 1] == '\n') return 2;
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < static_cast<int>(Text.size())) return 2;
        return 1;
    }
    void Push()
    {
        Undo.push_back(Text);
        if (Undo.size() > 64) Undo.pop_front();
    }
    void Replace(const std::string& s)
    {
        if (Start == End && s.empty()) return;
        Push();
        Text = Text.substr(0, static_cast<size_t>(Start)) + s + Text.substr(static_cast<size_t>(End));
        Start = End = Start + static_cast<int>(s.size());
    }
    void Backspace()
    {
        if (Start != End) return Replace("");
        if (Start == 0) return;
        int prev = 0;
        for (int b : Boundaries()) {
            if (b >= Start) break;
            prev = b;
        }
        Start = prev;
        Replace("");
    }
    void Delete()
    {
        if (Start != End) return Replace("");
        if (End >= static_cast<int>(Text.size())) return;
        End += CharLen(End);
        Replace("");
    }
};

const char* const kPieces[] = {"a", "b", "Z", " ", "\t", "\r\n", "\x82\xA0", "\x88\x9F", "\x83\x5C", "\x81\x40", "5"};

std::string RandomText(std::mt19937& rng, int maxPieces)
{
    std::string s;
    const int n = std::uniform_int_distribution<int>(0, maxPieces)(rng);
    for (int i = 0; i < n; ++i) s += kPieces[std::uniform_int_distribution<int>(0, 10)(rng)];
    return s;
}

void RunModel(bool wrap, unsigned seed, int steps)
{
    auto e = MakeEditor(500, 300);
    e->SetVisible(true);
    SetForegroundWindow(e->Handle());
    e->SetFocus();
    PumpMessages();
    const HWND h = e->Handle();
    e->Caret().SetFreeCaret(false);
    e->Caret().SetBackSpaceUnIndent(false);
    e->Caret().SetAutoIndent(false);
    e->SetWordWrap(wrap);
    e->WrapOption().SetWrapByte(20);
    e->SetUndoListMax(64);
    std::mt19937 rng(seed);
    TModel m;
    m.Text = RandomText(rng, 30);
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m.Text.c_str()));
    SendMessageA(h, EM_SETSEL, 0, 0);
    std::string got;
    auto readBack = [&] {
        std::vector<char> buf(static_cast<size_t>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0)) + 1);
        const LRESULT n = SendMessageA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
        got.assign(buf.data(), static_cast<size_t>(n));
    };
    for (int step = 0; step < steps; ++step) {
        const int op = std::uniform_int_distribution<int>(0, 99)(rng);
        std::string what;
        const int len = static_cast<int>(m.Text.size());
        if (op < 25) {
            const std::vector<int> b = m.Boundaries();
            auto pick = [&]() -> long long {
                const int k = std::uniform_int_distribution<int>(0, 19)(rng);
                if (k == 0) return -1;
                if (k == 1) return 0xFFFFFFFFll;  // -1 as a 32-bit sender writes it
                if (k == 2) return len + 7;
                return b[std::uniform_int_distribution<size_t>(0, b.size() - 1)(rng)];
            };
            const long long s = pick(), t = pick();
            what = "setsel " + std::to_string(s) + " " + std::to_string(t);
            SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(s), static_cast<LPARAM>(t));
            const bool sMinus = s == -1 || s == 0xFFFFFFFFll, tMinus = t == -1 || t == 0xFFFFFFFFll;
            if (sMinus) {
                m.Start = m.End;
            } else {
                const int a = static_cast<int>(std::min<long long>(s, len));
                const int z = tMinus ? len : static_cast<int>(std::min<long long>(t, len));
                m.Start = std::min(a, z);
                m.End = std::max(a, z);
            }
        } else if (op < 45) {
            const std::string s = RandomText(rng, len > 400 ? 1 : 4);
            what = "replacesel '" + s + "'";
            SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(s.c_str()));
            m.Replace(s);
        } else if (op < 65) {
            const char* p = kPieces[std::uniform_int_distribution<int>(0, 10)(rng)];
            if (*p == '\t' || *p == '\r') p = "c";
            what = std::string("char '") + p + "'";
            if (p[1]) {
                // A pair comes through the queue, as the keyboard and the
                // input method deliver it.
                PostMessageA(h, WM_CHAR, static_cast<unsigned char>(p[0]), 1);
                PostMessageA(h, WM_CHAR, static_cast<unsigned char>(p[1]), 1);
                PumpMessages();
            } else {
                SendMessageA(h, WM_CHAR, static_cast<unsigned char>(p[0]), 1);
            }
            m.Replace(p);
        } else if (op < 78) {
            what = "backspace";
            SendMessageA(h, WM_CHAR, 8, 1);
            m.Backspace();
        } else if (op < 91) {
            what = "delete";
            SendMessageA(h, WM_KEYDOWN, VK_DELETE, 1);
            SendMessageA(h, WM_KEYUP, VK_DELETE, 1 | (3u << 30));
            m.Delete();
        } else {
            what = "undo";
            const LRESULT r = SendMessageA(h, EM_UNDO, 0, 0);
            ASSERT_EQ(r != 0, !m.Undo.empty()) << "step " << step;
            if (!m.Undo.empty()) {
                m.Text = m.Undo.back();
                m.Undo.pop_back();
                // Where undo leaves the caret is the store's business: take it.
                DWORD s = 0, t = 0;
                SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&t));
                ASSERT_EQ(s, t) << "no selection after undo, step " << step;
                m.Start = m.End = static_cast<int>(s);
                const std::vector<int> b = m.Boundaries();
                ASSERT_TRUE(std::find(b.begin(), b.end(), m.Start) != b.end()) << "caret on a character start";
            }
        }
        readBack();
        ASSERT_EQ(got, m.Text) << "step " << step << ": " << what;
        DWORD s = 0, t = 0;
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&t));
        ASSERT_EQ(static_cast<int>(s), m.Start) << "step " << step << ": " << what;
        ASSERT_EQ(static_cast<int>(t), m.End) << "step " << step << ": " << what;
    }
    SetFocus(nullptr);
    PumpMessages();
}

TEST(EditorMessageModel, RandomMessageEditsMatchAPlainStringWithoutWordWrap) { RunModel(false, 8101u, 10000); }

TEST(EditorMessageModel, RandomMessageEditsMatchAPlainStringWithWordWrap) { RunModel(true, 8102u, 10000); }

} // namespace
} // namespace vellumo::testing
