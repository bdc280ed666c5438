// Writes a picture of a fully dressed editor next to the test program, for
// people to look at (editor_screenshot.bmp in the build folder).
#include "support/winsupport_win.h"
#include "editor_support_win.h"
#include "support/windowpicture_win.h"

namespace vellumo::testing {
namespace {

std::string JapaneseParagraph(int seed)
{
    const char* words[] = {"吾輩は", "猫である。", "名前は", "まだ無い。", "どこで", "生れたか", "とんと", "見当が",
                           "つかぬ。", "何でも", "薄暗い", "じめじめした", "所で", "ニャーニャー", "泣いていた",
                           "事だけは", "記憶している。", "ＡＢＣ", "１２３", "カタカナ"};
    std::string s;
    unsigned x = static_cast<unsigned>(seed) * 2654435761u + 1;
    for (int i = 0; i < 28; ++i) {
        x = x * 1103515245u + 12345u;
        s += words[(x >> 16) % 20];
    }
    return s;
}

TEST(EditorScreenshot, WordWrapRulerLeftbarMarksAndColours)
{
    auto e = MakeEditor(820, 560);
    e->Ruler().SetVisible(true);
    e->Ruler().SetMarkColor(clRed);
    e->Leftbar().SetVisible(true);
    e->Leftbar().SetShowNumberMode(nmLine);
    e->Marks().EofMark().SetVisible(true);
    e->Marks().EofMark().SetColor(clRed);
    e->Marks().RetMark().SetVisible(true);
    e->Marks().RetMark().SetColor(clTeal);
    e->Marks().Underline().SetVisible(true);
    e->Marks().Underline().SetColor(clNavy);
    e->WrapOption().SetWrapByte(70);
    e->SetWordWrap(true);

    TEditorViewInfo view;
    view.SetCommenter("//");
    view.SetQuotation("\"");
    view.SetQuotation2("'");
    view.SetHexPrefix("0x");
    view.Colors().Comment().SetColor(clGreen);
    view.Colors().Str().SetColor(clMaroon);
    view.Colors().Int().SetColor(clRed);
    view.Colors().Reserve().SetColor(clBlue);
    view.Colors().Reserve().SetStyle(fsBold);
    view.Colors().Symbol().SetColor(clNavy);
    view.Colors().DBCS().SetColor(clPurple);
    TEditorBracketItem& block = view.Brackets().Add();
    block.SetLeftBracket("/*");
    block.SetRightBracket("*/");
    block.ItemColor().SetColor(clGreen);
    e->SetView(view);
    TReserveWordList words;
    words.SetSorted(true);
    for (const char* w : {"int", "char", "return", "if", "for", "while", "void", "const", "static", "sizeof"}) words.Add(w);
    e->SetReserveWordList(words);
    TVerticalLine& guide = e->VerticalLines().Add();
    guide.SetPosition(70);
    guide.SetColor(clSilver);

    std::string text =
        "/* 猫の記録: a block comment that runs over two lines\r\n"
        "   and ends here */\r\n"
        "#include <stdio.h>\r\n"
        "\r\n"
        "static const char* names[] = {\"たま\", \"みけ\", \"ポチ\"};  // 名前の表\r\n"
        "\r\n"
        "int main(void)\r\n"
        "{\r\n"
        "\tint count = 0x1F;\r\n"
        "\tfor (int i = 0; i < 3; i++) {\r\n"
        "\t\tif (names[i][0] == 'x') return 1;  // 使わない分岐\r\n"
        "\t\tprintf(\"%s は %d 番目の猫です。\\n\", names[i], i + 1);\r\n"
        "\t}\r\n"
        "\treturn 0;\r\n"
        "}\r\n"
        "\r\n";
    for (int i = 0; i < 6; ++i) text += JapaneseParagraph(i) + "\r\n";
    text += "// おしまい";
    e->Lines().SetText(text);
    e->SetCaretRowCol(6, 4);

    auto pic = Picture(*e, e->Color());
    const std::string path = testpictures::BesideTestProgram("editor_screenshot.bmp");
    ASSERT_TRUE(SaveBmp(*pic, path)) << path;
    std::printf("picture: %s\n", path.c_str());
    // Something of every colour asked for is there.
    const RECT all{0, 0, pic->Width(), pic->Height()};
    for (TColor c : {clGreen, clMaroon, clRed, clBlue, clNavy, clPurple, clTeal, clSilver})
        EXPECT_GT(CountColor(*pic, all, c), 10) << std::hex << c;
}

} // namespace
} // namespace vellumo::testing
