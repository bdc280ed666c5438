#pragma once
// A slow, plain search written from the rules rather than from the engine:
// characters as strings, a full lead/trail map from byte 0, full-width and
// case tables taken from literal text (the compiler's code page 932), and
// candidates tried one by one.
#include <map>
#include <string>
#include <vector>

#include "textcode/search.h"

namespace searchref {

struct Tables {
    std::map<std::string, std::string> zen;    // half-width character -> full-width
    std::map<std::string, std::string> upper;  // lower-case character -> upper-case

    Tables()
    {
        const std::string ascii =
            "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
            "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
            "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣";
        for (int b = 0x20; b <= 0x7E; ++b) zen[std::string(1, static_cast<char>(b))] = ascii.substr(2 * (b - 0x20), 2);
        const std::string kana =
            "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
            "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
        for (int b = 0xA1; b <= 0xDF; ++b) zen[std::string(1, static_cast<char>(b))] = kana.substr(2 * (b - 0xA1), 2);
        Join("ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎｳ", "ﾞ", "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ");
        Join("ﾊﾋﾌﾍﾎ", "ﾟ", "パピプペポ");

        Pairs("ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ");
        Pairs("αβγδεζηθικλμνξοπρστυφχψω", "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ");
        Pairs("абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
        // The small Roman numerals of the NEC-selected rows (the compiler
        // would pick the other copy for the literal).
        Pairs("\xEE\xEF\xEE\xF0\xEE\xF1\xEE\xF2\xEE\xF3\xEE\xF4\xEE\xF5\xEE\xF6\xEE\xF7\xEE\xF8",
              "ⅠⅡⅢⅣⅤⅥⅦⅧⅨⅩ");
        for (char c = 'a'; c <= 'z'; ++c) upper[std::string(1, c)] = std::string(1, static_cast<char>(c - 'a' + 'A'));
    }

    void Join(const std::string& bases, const std::string& mark, const std::string& joined)
    {
        for (std::size_t i = 0; i < bases.size(); ++i) zen[bases.substr(i, 1) + mark] = joined.substr(2 * i, 2);
    }
    void Pairs(const std::string& lower, const std::string& upperText)
    {
        for (std::size_t i = 0; i + 1 < lower.size(); i += 2) upper[lower.substr(i, 2)] = upperText.substr(i, 2);
    }
};

inline const Tables& T()
{
    static const Tables t;
    return t;
}

inline bool Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Splits s into characters: pairs, and with join set, kana with their marks.
inline std::vector<std::string> Chars(const std::string& s, bool join)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = 1;
        if (i + 1 < s.size()) {
            if (Lead(static_cast<unsigned char>(s[i]))) n = 2;
            else if (join && T().zen.count(s.substr(i, 2))) n = 2;
        }
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

inline std::string Canon(std::string ch, bool fold, bool width)
{
    if (width && !Lead(static_cast<unsigned char>(ch[0]))) {
        auto it = T().zen.find(ch);
        if (it != T().zen.end()) ch = it->second;
    }
    if (fold) {
        auto it = T().upper.find(ch);
        if (it != T().upper.end()) ch = it->second;
    }
    return ch;
}

struct Result {
    int pos = -1;
    int len = 0;
    bool operator==(const Result&) const = default;
};

inline Result Search(const std::string& whole, int start, int length, const std::string& pattern, unsigned flags)
{
    using namespace vellumo;
    const bool down = flags & sfDown, fold = !(flags & sfMatchCase), width = flags & sfIgnoreWidth;
    const bool ww = flags & sfWholeWord, skipLB = flags & sfSkipLineBreaks, skipBl = flags & sfSkipBlanks;
    if (start < 0 || start > static_cast<int>(whole.size()) || length < 0 || pattern.empty()) return {};
    // The text is the run between the NULs around the start: it ends at the
    // first NUL at or after it, and a backward search stops at one before it.
    const std::string buf = whole.substr(0, whole.find('\0', static_cast<std::size_t>(start)));
    const int L = static_cast<int>(buf.size());
    const int lo = start > 0 ? static_cast<int>(buf.rfind('\0', static_cast<std::size_t>(start - 1)) + 1) : 0;

    std::vector<std::string> pat;
    int patBytes = 0;
    for (const std::string& ch : Chars(pattern, width)) {
        pat.push_back(Canon(ch, fold, width));
        patBytes += static_cast<int>(pat.back().size());
    }
    const int N = static_cast<int>(pat.size());

    // 0 single, 1 lead, 2 trail; and where each (joined) character starts.
    std::vector<int> kind(L + 1, 0);
    std::vector<int> charStart;
    for (int i = 0; i < L;) {
        charStart.push_back(i);
        if (Lead(static_cast<unsigned char>(buf[i])) && i + 1 < L && buf[i + 1] != '\0') {
            kind[i] = 1;
            kind[i + 1] = 2;
            i += 2;
        } else {
            i += width && i + 1 < L && T().zen.count(buf.substr(i, 2)) ? 2 : 1;
        }
    }
    // A double-byte character is one character: lead byte 81 (the
    // full-width space, punctuation and symbols) separates words.
    auto wordByte = [&](int i) {
        if (kind[i] == 2) return static_cast<unsigned char>(buf[i - 1]) != 0x81;
        if (kind[i] == 1) return static_cast<unsigned char>(buf[i]) != 0x81;
        const unsigned char b = static_cast<unsigned char>(buf[i]);
        return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_' ||
               Lead(b) || (b >= 0xA6 && b <= 0xDF);
    };
    auto wordStart = [&](int c) { return c < L && kind[c] != 2 && wordByte(c) && (c == 0 || !wordByte(c - 1)); };

    auto compare = [&](int c) {
        int i = c, k = 0;
        while (k < N) {
            if (i >= L) return 0;
            int n = 1;
            if (kind[i] == 1) n = 2;
            else if (width && i + 1 < L && T().zen.count(buf.substr(i, 2))) n = 2;
            const std::string raw = buf.substr(i, n);
            if (Canon(raw, fold, width) == pat[k]) {
                ++k;
            } else if (k > 0 && ((skipLB && (raw == "\r" || raw == "\n")) ||
                                 (skipBl && (raw == "\t" || raw == " " || raw == "　")))) {
            } else {
                return 0;
            }
            i += n;
        }
        return i - c;
    };
    auto accept = [&](int c) -> Result {
        const int n = compare(c);
        if (n == 0) return {};
        if (ww && c + n < L && wordByte(c + n)) return {};
        return {c, n};
    };

    if (down) {
        int c = start + length;
        if (c > L) return {};
        if (c < L && kind[c] == 2) ++c;
        const int last = L - (width ? N : patBytes);
        while (c <= last) {
            if (ww) {
                while (c < L && !wordStart(c)) ++c;
                if (c > last) break;
            }
            const Result r = accept(c);
            if (r.pos >= 0) return r;
            ++c;
            if (c < L && kind[c] == 2) ++c;
        }
        return {};
    }

    int c = start;
    if (width) {
        for (int k = 0; k < N; ++k) {
            // The start of the character holding the byte before c.
            int s = -1;
            for (int cs : charStart)
                if (cs <= c - 1) s = cs;
            if (s < lo) return {};
            c = s;
        }
    } else {
        c -= patBytes;
        if (c < lo) return {};
    }
    if (kind[c] == 2) --c;
    while (c >= lo) {
        if (ww) {
            while (c >= lo && !wordStart(c)) --c;
            if (c < lo) break;
        }
        const Result r = accept(c);
        if (r.pos >= 0) return r;
        --c;
        if (c >= 0 && kind[c] == 2) --c;
    }
    return {};
}

} // namespace searchref
