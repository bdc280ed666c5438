#pragma once
// The text-editing control: shows the rows of a row store on a fixed
// character grid (one byte one cell, a double-byte character two), with a
// left bar of numbers, a ruler, a caret and scrolling. Windows only; GUI
// thread only.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/bitmap_win.h"
#include "classlib/control_win.h"
#include "classlib/menu_win.h"
#include "editor/boxtext.h"
#include "editor/cells.h"
#include "editor/editorview.h"
#include "editor/lines.h"
#include "editor/options.h"
#include "editor/parserfactory.h"
#include "editor/reservewords.h"
#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "editor/vlines.h"
#include "textcode/charcode.h"
#include "editor/editortypes.h"
#include "textcode/search.h"

namespace vellumo {

class TEditor;

using TNotifyEvent = std::function<void(TEditor& sender)>;
// After a row was painted: its painted text (tabs expanded), the x of its
// first cell, its top, its row index, its rectangle and whether it is selected.
using TDrawLineEvent =
    std::function<void(TEditor& sender, const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected)>;
using TSelectionChangeEvent = std::function<void(TEditor& sender, bool selected)>;

// Turns the row store's record of the last edit into the least repainting
// and scrolling of one view.
class TEditorScreen {
public:
    explicit TEditorScreen(TEditor& editor) : editor_(editor) {}
    virtual ~TEditorScreen() = default;
    virtual void Update();

private:
    TEditor& editor_;
};

// The control's own context menu with the editing commands.
class TEditorPopupMenu : public TPopupMenu {
public:
    TEditorPopupMenu();
    void SetEditor(TEditor* editor) { editor_ = editor; }
    TEditor* Editor() const { return editor_; }

    // Items in menu order: 0 undo, 1 redo, 3 cut, 4 copy, 5 paste, 6 box
    // paste, 7 delete, 9 select all, 11 box selection mode (2, 8, 10 are
    // separators).
    enum { kUndo = 0, kRedo = 1, kCut = 3, kCopy = 4, kPaste = 5, kBoxPaste = 6, kDelete = 7, kSelectAll = 9, kBoxMode = 11 };
    virtual void UndoClick();
    virtual void RedoClick();
    virtual void CutClick();
    virtual void CopyClick();
    virtual void PasteClick();
    virtual void BoxPasteClick();
    virtual void DeleteClick();
    virtual void SelectAllClick();
    virtual void BoxSelectModeClick();
    virtual void EnableItems();

protected:
    virtual void CreateItems();

private:
    TEditor* editor_ = nullptr;
};

class TEditor : public TCustomControl, public IEditorView {
public:
    static constexpr int kMaxCols = 8000;
    static constexpr int kAdvanceCount = 8001;

    TEditor();
    ~TEditor() override;

    // ---- published properties
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    TEditorCaret& Caret() { return *caret_; }
    void SetCaret(const TEditorCaret& v) { caret_->Assign(v); }
    TEditorMarks& Marks() { return *marks_; }
    void SetMarks(const TEditorMarks& v) { marks_->Assign(v); }
    TEditorMargin& Margin() { return *margin_; }
    void SetMargin(const TEditorMargin& v) { margin_->Assign(v); }
    TEditorLeftbar& Leftbar() { return *leftbar_; }
    void SetLeftbar(const TEditorLeftbar& v) { leftbar_->Assign(v); }
    TEditorRuler& Ruler() { return *ruler_; }
    void SetRuler(const TEditorRuler& v) { ruler_->Assign(v); }
    TEditorViewInfo& View() { return *view_; }
    const TEditorViewInfo& View() const { return *view_; }
    void SetView(const TEditorViewInfo& v);
    TEditorStrings& Lines() { return *lines_; }
    void SetLines(const TStringList& v);
    TReserveWordList& ReserveWordList() { return reserveWordList_; }
    void SetReserveWordList(const TReserveWordList& v);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    int UndoListMax() const;
    void SetUndoListMax(int v);
    TVerticalLines& VerticalLines() { return verticalLines_; }
    void SetVerticalLines(const TVerticalLines& v) { verticalLines_.Assign(v); }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool v) { wantTabs_ = v; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool v) { wantReturns_ = v; }
    bool WordWrap() const { return Store().WordWrap(); }
    void SetWordWrap(bool v) { Store().SetWordWrap(v); }
    TEditorWrapOption& WrapOption() { return Store().WrapOption(); }
    void SetWrapOption(const TEditorWrapOption& v) { Store().WrapOption().Assign(v); }

    // ---- events
    TNotifyEvent OnCaretMoved, OnChange, OnSelectionModeChange, OnTopColChange, OnTopRowChange;
    TDrawLineEvent OnDrawLine;
    TSelectionChangeEvent OnSelectionChange;

    // ---- unpublished properties
    int Col() const { return col_; }
    void SetCol(int c);
    int Row() const { return row_; }
    void SetRow(int r);
    int TopRow() const override { return topRow_; }
    void SetTopRow(int t) override;
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int c) override;
    int RowCount() const { return rowCount_; }
    int ColCount() const { return colCount_; }
    bool Modified() const { return modified_; }
    void SetModified(bool v) { modified_ = v; }
    bool OverWrite() const { return overWrite_; }
    void SetOverWrite(bool v);
    TSelectionMode SelectionMode() const { return selectionMode_; }
    void SetSelectionMode(TSelectionMode v);
    bool Selected() const { return GetSelected(); }
    bool GetSelected() const { return selectionState_ == 2; }
    bool IsDraggingSelection() const { return dragState_ == 2; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    int GetRowHeight() const { return cellHeight_ + margin_->Line() + margin_->Underline(); }
    int GetTextLeft() const { return margin_->Left() + (leftbar_->Visible() ? leftbarWidth_ : 0); }
    int GetTextTop() const { return margin_->Top() + (ruler_->Visible() ? rulerHeight_ : 0); }
    int LeftbarWidth() const { return leftbarWidth_; }
    int RulerHeight() const { return rulerHeight_; }
    int LeftbarDigits() const { return leftbarDigits_; }
    int HorizontalOffset() const { return pixelOffset_; }
    int MaxCol() const { return maxCol_; }
    int VerticalMax() const { return vMax_; }
    int CaretHideCount() const { return caretHideCount_; }
    // Inside the outermost Lines BeginUpdate/EndUpdate.
    bool BulkUpdating() const { return bulk_; }
    int UnderlineHideCount() const { return underlineHideCount_; }

    // ---- the row store and its services
    TEditorScreenStrings& Store() const { return **link_; }
    TScreenStringsLink& StoreLink() { return *link_; }
    void ShareScreenList(TEditor* other);
    TCellRules CellRules() const { return Store().CellRules(); }
    std::string GetCellClasses(std::string_view text) const { return vellumo::GetCellClasses(text, CellRules()); }
    int GetDisplayWidth(std::string_view text) const { return vellumo::GetDisplayWidth(text, CellRules()); }
    std::string ExpandTabs(std::string_view text) const { return vellumo::ExpandTabs(text, CellRules()); }
    int GetRowWidth(int row) const { return vellumo::GetRowWidth(Store(), row); }
    std::string GetExpandedRow(int row) const { return vellumo::GetExpandedRow(Store(), row); }
    void GetExpandedRow(int row, std::string& out) const { vellumo::GetExpandedRow(Store(), row, out); }
    // The stored bytes of a row, tabs not expanded; empty out of range.
    std::string_view GetListString(int row) const { return Store().Strings(row); }
    std::string GetRowText(int row) const { return std::string(GetListString(row)); }
    int GetListCount() const { return Store().Count(); }
    TEditorRowAttribute GetRowAttribute(int row) const;
    int GetRowBracketState(int row) const { return Store().GetBracketState(row); }
    long long GetTextLength() const { return vellumo::GetTextLength(Store()); }
    bool EndsWithLineBreak() const { return vellumo::EndsWithLineBreak(Store()); }
    int GetIndentWidth(std::string_view text) const { return vellumo::GetIndentWidth(text, CellRules()); }
    int RowToLine(int row) const { return vellumo::RowToLine(Store(), row); }
    int LineToRow(int line) const { return vellumo::LineToRow(Store(), line); }
    int GetLineCol(int row, int col) const { return vellumo::GetLineCol(Store(), row, col); }
    int GetLineCharPos(int row, int col) const { return vellumo::GetLineCharPos(Store(), row, col); }
    long long RowColToOffset(int firstRow, int row, int col) const
    {
        return vellumo::RowColToOffset(Store(), firstRow, row, col);
    }
    int PrevIndent(int row) const { return vellumo::PrevIndent(Store(), row); }
    // One undoable edit; the caret goes to the row's place.
    void DeleteRow(int row) { vellumo::DeleteRow(Store(), *this, row); }
    TCellGeometry Geometry() const;
    void PixelToCell(int x, int y, bool nearest, int& col, int& row) const;
    bool PointToRowByte(POINT p, int& row, int& byte) const;
    bool CanUndo() const { return Store().CanUndo(); }
    bool CanRedo() const { return Store().CanRedo(); }
    virtual void Undo();
    virtual void Redo();
    void Clear();
    // After the properties were set from outside in one go: wraps when word
    // wrap is on, rescans, and counts the text as unmodified.
    void Loaded() override;

    // ---- caret and scrolling
    void SetCaretRowCol(int row, int col);
    void SetCaretRowOffset(int fromRow, int offset) override;
    bool IsLongRowSplitLead() const;
    void CaretBeginUpdate() override;
    void CaretEndUpdate() override;
    void HideEditorCaret();
    void ShowEditorCaret();
    virtual void CreateEditorCaret();
    virtual POINT GetCaretPixelPos() const;
    void UpdateCaretPos();
    void UpdateImeWindow();
    void ScrollCaret();
    // Brings the caret into view a third of the view from the edge, with or
    // without the focus (a match found behind a find dialog).
    void ScrollCaretIntoView();
    void RefreshCaret();
    virtual void UpdateCaret();
    void ScrollRows(int fromRow, int delta);
    void PageScroll(int delta);
    void UpdateScrollRanges();
    bool CaretShown() const { return caretShown_; }

    // ---- painting
    void InitFontMetrics();
    void RefreshMetrics();
    void InvalidateRows(int a, int b);
    void InvalidateRowText(int row) override;
    void FixedTextOut(TCanvas& canvas, const RECT& rect, int x, UINT options, std::string_view text, int y);
    void PaintRect(const RECT& rect);
    virtual void DrawEofMark(int x, int y);
    virtual void DrawRetMark(int x, int y);
    virtual void DrawSelectedRetMark(int x, int y);
    virtual void DrawUnderline(int row);
    virtual void EraseUnderline(int row);
    virtual int GetUnderlineY(int row) const;
    void UnderlineBeginUpdate() override;
    void UnderlineEndUpdate() override;
    virtual void DrawVerticalLine(int index);
    virtual void DrawVerticalLines();
    bool ItalicInUse() const { return italicInUse_; }

    // ---- left bar and ruler
    virtual bool CalcLeftbarDigits();
    virtual void CalcLeftbarWidth();
    virtual int CalcRulerHeight() const;
    virtual int CalcRulerBitmapWidth() const;
    virtual void RebuildRuler();
    virtual void UpdateCornerBitmap();
    virtual void CreateLeftbarEdgeBitmap();
    virtual void InvalidateLeftbar(int a, int b);
    virtual void PaintLeftbar(int a, int b);
    virtual void PaintRuler();
    virtual void DrawRulerMarker(int col);
    virtual void EraseRulerMarker(int col);
    // The built-in 5 x 9 digit glyphs (for tests and the printing of numbers).
    TBitmap& DigitGlyphs() { return *glyphs_; }

    // ---- selection (anchored at StartSelection, spanned to the caret)
    void StartSelection();
    void BeginSelecting();
    // After a caret move that extends the selection.
    void UpdateSelection();
    void ExtendSelection();
    void Deselect();
    // Repaints what changed since the selection was last painted.
    void RepaintSelection();
    void ToggleBoxMode();
    // Box mode on (with the latch), the selection re-spanned as a box.
    void EnterBoxSelection();
    // Box mode on, then the box extended one step as Shift and the arrow key
    // (VK_LEFT .. VK_DOWN) would; other keys do nothing. No key is sent.
    void ExtendBoxSelection(unsigned arrowKey);
    bool BoxLatch() const { return boxLatch_; }
    bool Anchored() const { return selectionState_ == 1; }
    bool CanSelMove() const;
    // Rows and display column; false without a selection.
    bool IsInSelection(int row, int col) const;
    // The byte and screen range; meaningful only while Selected().
    TEditorSelection Selection() const;
    std::vector<TUnselectedRow> GetUnselectedRows() const;
    void DeleteSelection();
    void DeleteSelectedText() { DeleteSelection(); }
    void SelectAll();
    void StartRowSelection(int row);
    void ExtendRowSelection(int row);
    void EndRowSelection() { rowSelecting_ = false; }
    bool RowSelecting() const { return rowSelecting_; }
    // The token under a client point: its kind and bytes. withView: the
    // view's rules (links, comments, strings, regions), else character
    // classes only. useRowState: start in the stored region state.
    virtual bool GetTokenAt(POINT pt, bool withView, int& kind, bool useRowState, std::string& text) const;
    virtual bool SelectTokenAt(POINT pt, bool withView, bool useRowState);
    bool SelectLinkAt(POINT pt) { return SelectTokenAt(pt, true, false); }
    bool SelectWordAt(POINT pt) { return SelectTokenAt(pt, false, false); }
    int GetTokenKindAt(POINT pt) const;
    std::string GetTokenTextAt(POINT pt) const;
    std::string GetWordTextAt(POINT pt) const;
    // Character offsets (line breaks count 2) as the edit messages use them.
    long long SelStart() const;
    void SetSelStart(long long n);
    long long SelLength() const;
    void SetSelLength(long long n);
    std::string SelText() const;
    void SetSelText(std::string_view s) { InsertStreamText(s); }
    std::string GetSelText() const { return SelText(); }
    void CaretToSelStart();
    // The selection's anchor (screen row and column); meaningful while Selected().
    int AnchorRow() const { return anchorRow_; }
    int AnchorCol() const { return anchorCol_; }
    // Selects from one place to the other, the caret ending at `to`.
    void SelectPlaces(const TTextPlace& from, const TTextPlace& to, TSelectionMode mode, bool latch);

    // ---- places in the text, whatever the rows
    TTextPlace TextPlaceAt(int row, int col) const;
    void PlaceToRowCol(const TTextPlace& place, int& row, int& col) const;
    void SetCaretPlace(const TTextPlace& place);

    // ---- typing and insertion (every one refused on a read-only editor)
    void TypeText(std::string_view s);
    void InsertStreamText(std::string_view text);
    void InsertBoxText(std::string_view text);
    // The selection (or nothing, at the caret) becomes text; with
    // caretBefore the caret then stands where the text begins. Costs no
    // walk from the top of the text (a replace-all runs it per match).
    // False when nothing was changed (read-only, or nothing to replace).
    bool ReplaceSelText(std::string_view text, bool caretBefore);
    void ReplaceAllText(std::string_view text);

    // ---- clipboard and dropping a dragged selection
    // Copying or cutting nothing leaves the clipboard as it was.
    bool CopyToClipboard();
    bool CutToClipboard();
    void PasteFromClipboard();
    // The clipboard's text as a box whatever formats it has (the menu's box paste).
    void PasteBoxFromClipboard();
    virtual void CopySelectionTo(int row, int col);
    void MoveSelectionTo(int row, int col);
    // What the mouse handling calls: a press inside a movable selection
    // starts the drag, moves put the caret under the pointer, the release
    // drops at the caret (copy with Ctrl) or, outside the client area or
    // inside the selection, only ends the selection.
    bool BeginSelectionDrag();
    void DragSelectionOver(int row, int col, bool copy, bool insideClient);
    void EndSelectionDrag(bool insideClient, bool copy);
    void CancelSelectionDrag();

    // ---- search: selects the match; false leaves caret and selection
    bool Search(std::string_view pattern, TSearchFlags flags);
    // A replace-all's step forward: the matches of the next stretch of text
    // replaced as Search and ReplaceSelText would replace them one by one,
    // the caret after the last. 0 with end set: no match is left; 0
    // without: the next match is for Search. Only when CanReplaceForward.
    int ReplaceMatches(std::string_view pattern, std::string_view with, TSearchFlags flags, bool& end);
    // Pumps the application's messages before each chunk of a replace-all
    // search (empty: the class library's ProcessMessages).
    std::function<void()> SearchMessagePump;

    // ---- indent and wrap commands
    void SpaceIndent();
    void SpaceUnindent();
    void TabIndent();
    void TabUnindent();
    void WrapToReturns();
    bool FreezeWraps();
    bool CopyWrapped();

    // ---- loading
    // Reads a file into the text; returns its character code or -1 when it
    // cannot be read (the text is then unchanged and a message was shown).
    int LoadTextFile(const std::string& fileName, bool detect, bool& hadNul, TLineEndCode& lineBreak, int forcedCode,
                     bool& writable, bool& noAnsi);

    // ---- IEditorView
    TEditorScreenStrings& ScreenStrings() override { return Store(); }
    void ListChanged() override;
    void Refresh() override;
    int TabSpaceCount() const override { return caret_->TabSpaceCount(); }
    const TByteSet& Delimiters() const override { return delimiters_; }
    int RowHeight() const override { return GetRowHeight() > 0 ? GetRowHeight() : 1; }
    int ScreenHeight() const override;
    int BracketRegionCount() const override { return view_ ? view_->Brackets().Count() : 0; }
    const IRowParserFactory* ParserFactory() const override { return parserFactory_.get(); }
    bool IsLoading() const override { return (ComponentState() & csLoading) != 0; }
    bool Focused() const override { return focused_ && HandleAllocated(); }
    int CaretRow() const override { return row_; }
    int CaretCol() const override { return col_; }
    void SetCaretRow(int row) override { SetRow(row); }
    void SetCaretCol(int col) override { SetCol(col); }
    void LinesUpdating(bool updating) override;
    void CleanSelection() override;

    // Message handlers reachable for tests and the host.
    LRESULT VScrollMessage(int code);
    LRESULT HScrollMessage(int code, int pos);

    // ---- edit-control messages and input
    // The character offset where a row starts (line breaks count 2); the row is clamped.
    long long RowStartOffset(int row) const;
    // The word step of Ctrl+Left and Ctrl+Right from (row, col); true when it moved.
    bool MoveWord(int& row, int& col, int direction) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void WndProc(TMessage& msg) override;
    void Paint() override;
    void FontChanged() override;
    void ColorChanged() override;
    bool MouseWheel(TShiftState shift, int delta, POINT screen) override;

    // The parts the constructor makes, one step each.
    std::shared_ptr<TEditorScreenStrings> CreateScreenStrings();
    std::unique_ptr<TEditorStrings> CreateLines();
    std::unique_ptr<TEditorScreen> CreateScreen();
    // Owned by this editor, its changes reported to SubObjectChanged.
    std::unique_ptr<TEditorViewInfo> CreateViewInfo();
    // The tokenizers of this editor's rows, bound to its View.
    std::unique_ptr<TEditorParserFactory> GetParserClass() const;
    virtual void GetDelimiters(TByteSet& set) const;
    virtual std::unique_ptr<TEditorPopupMenu> CreatePopupMenu();
    virtual void DoDrawLine(const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected);
    // Alt held now (CleanSelection keeps box mode then).
    virtual bool AltKeyDown() const;
    virtual void DoSelectionChange(bool selected);
    virtual void DoSelectionModeChange();
    virtual void DoTopColChange();
    virtual void DoTopRowChange();
    virtual void SubObjectChanged(TNotifyPersistent* sender);
    virtual void ScrollWindowRect(int dx, int dy, const RECT* clip, const RECT* scroll);
    virtual void LeftbarWidthChanged(int oldWidth, int newWidth);
    virtual void DrawRow(RECT rect, int x, int row, const std::string& rowText, int y);
    virtual void DrawSelectedRow(RECT rect, int x, int row, const std::string& rowText, int y);
    void DrawRowText(RECT rect, int x, int row, const std::string& rowText, int y, bool selected);
    int JoinWrappedNeighbours(int row, std::string& text, int& x, RECT& rect, RECT& clip);
    void DrawRowEndMark(int row, int x, int y, const RECT& rect, bool selected);
    virtual void DrawRowWithSelection(RECT rect, int x, int row, const std::string& text, int y);
    // The colour element of a token kind (nullptr: the editor's own colours).
    const TEditorColor* TokenElement(int kind, std::string_view token, int bracketIndex) const;
    RECT GetBoxCellRect(const std::string& text, int row, int toCol, int fromCol) const;
    void CalcColCount();
    void NormalizeCol(bool vertical, int direction);
    // The standard edit messages; false for any other message.
    bool EditControlMessage(TMessage& msg);
    // Keyboard, mouse and input-method messages; false for any other message.
    bool InputMessage(TMessage& msg);
    // Messages dropped while the selection is dragged or rows are selected.
    bool InputFiltered(const TMessage& msg) const;
    void KeyDownMessage(TMessage& msg);
    void KeyUpMessage(TMessage& msg);
    void CharMessage(TMessage& msg);
    void WholeCharMessage(TMessage& msg);
    void ImeCompositionMessage(TMessage& msg);
    void ImeNotifyMessage(TMessage& msg);
    void LButtonDownMessage(TMessage& msg);
    void LButtonUpMessage(TMessage& msg);
    void MouseMoveMessage(TMessage& msg);
    // A handled navigation or editing key (the caret and selection follow).
    bool NavigationKey(unsigned key, TShiftState shift);
    // Answers the input method's requests for the selected text.
    bool ReconvertRequest(TMessage& msg);
    bool PointerInClient() const;
    void DefaultHandler(TMessage& msg) override;
    // The editing keys when nothing is selected.
    void DeleteKey();
    void BackspaceKey();
    void ReturnKey();
    // One ReplaceRows, the caret then offset bytes from the start of originRow.
    void ApplyKeyEdit(int row, int count, const std::string& text, int originRow, long long offset);

    // The selection as the painters read it (screen rows, display columns,
    // end column exclusive); maintained by the selection code.
    unsigned char selectionState_ = 0;  // 0 none, 1 anchored, 2 selected
    TSelectionMode selectionMode_ = smNormal;
    unsigned char dragState_ = 0;       // 0 none, 2 the selection is being dragged
    int selStartRow_ = 0, selStartCol_ = 0, selEndRow_ = 0, selEndCol_ = 0;
    int selStartByte_ = 0, selEndByte_ = -1;  // byte range (end inclusive, -1: at the start of its row)
    std::string paintRow_;  // the row being painted, its room kept: a long row is not allocated afresh
    int prevStartRow_ = 0, prevStartCol_ = 0, prevEndRow_ = 0, prevEndCol_ = 0;  // as last painted
    int anchorRow_ = 0, anchorCol_ = 0, anchorByte_ = 0;
    bool boxLatch_ = false;
    int rowSelStart_ = 0, rowSelEnd_ = 0;
    bool rowSelAtLast_ = false, rowSelecting_ = false;
    // Kept by the key handling: while a key auto-repeats the input-method
    // window only follows the caret once the repeat ends.
    bool keyRepeat_ = false;
    bool imeMovePending_ = false;
    // The left button went down on the control; Esc cancelled what it does.
    bool lButtonDown_ = false;
    bool escCancel_ = false;
    POINT mouseDown_{0, 0};
    bool candidateOpen_ = false;
    unsigned char pendingLead_ = 0;  // a lead byte sent without its trail behind it

private:
    void CreateBitmaps();
    void FreeBitmaps();
    void CreateDigitGlyphs();
    void CreateRulerEdgeBitmap();
    void ColorDigitGlyphs();
    void ColorGlyphsInto(TBitmap& target, TColor background, TColor digit);
    void SizeRulerBitmaps();
    void DrawRulerScale();
    void DrawRulerNumbers();
    void DrawNumbersInto(TBitmap& image, TBitmap& digits, TColor background);
    void CopyRulerCell(int col, TBitmap& from);
    void WmSize();
    void SetCaretShapeChanged();
    void SetSelectionFields(const TEditorSelection& sel);
    // One ReplaceRows with the caret placed as the edit says; the selection
    // ends first. withUnderline: more than one row can change.
    void ApplyRowsEdit(const TRowsEdit& edit, bool withUnderline);
    void ApplyIndent(int kind);

    int LimitRowToText(int r) const;

    TBorderStyle borderStyle_ = bsSingle;
    std::unique_ptr<TEditorCaret> caret_;
    bool caretRefreshHeld_ = false;
    int caretHideCount_ = 0;
    bool caretShown_ = false;
    int col_ = 0;
    int colCount_ = 0;
    int rememberedCol_ = 0;
    bool colRemembered_ = false;
    TByteSet delimiters_;
    std::array<int, kAdvanceCount> advances_{};
    int cellHeight_ = 1;
    int cellWidth_ = 1;
    int maxCol_ = 0;
    bool italicInUse_ = false;
    int pixelOffset_ = 0;
    std::unique_ptr<TScreenStringsLink> link_;
    std::unique_ptr<TEditorStrings> lines_;
    std::unique_ptr<TEditorMarks> marks_;
    std::unique_ptr<TEditorMargin> margin_;
    bool modified_ = false;
    std::unique_ptr<TEditorLeftbar> leftbar_;
    bool overWrite_ = false;
    bool readOnly_ = false;
    TReserveWordList reserveWordList_;
    int row_ = 0;
    int rowCount_ = 0;
    std::unique_ptr<TEditorRuler> ruler_;
    std::unique_ptr<TEditorScreen> screen_;
    TScrollStyle scrollBars_ = ssNone;
    int leftCol_ = 0;
    int topRow_ = 0;
    int underlineHideCount_ = 0;
    std::unique_ptr<TEditorViewInfo> view_;
    std::unique_ptr<TEditorParserFactory> parserFactory_;
    int vMax_ = 0;
    bool wantTabs_ = true;
    bool wantReturns_ = true;
    bool linesUpdating_ = false;
    // Between the outermost Lines BeginUpdate and EndUpdate (a replace-all
    // edits a million times): no window calls per edit; the caret, the view
    // and the whole window are brought up to date once at the end.
    bool bulk_ = false;
    bool focused_ = false;
    // The caret row's cell classes, for the text and rules they were made of.
    std::string cellScratch_, cellText_;
    TCellRules cellRules_;
    const std::string& CaretRowClasses();
    bool bulkCaret_ = false;
    bool bulkScroll_ = false;
    TVerticalLines verticalLines_;
    std::unique_ptr<TEditorPopupMenu> popup_;

    // Left bar and ruler.
    int leftbarDigits_ = 4;
    std::unique_ptr<TBitmap> leftbarEdge_;
    int leftbarWidth_ = 0;
    std::unique_ptr<TBitmap> corner_;
    std::unique_ptr<TBitmap> rulerImage_;
    std::unique_ptr<TBitmap> rulerDigits_;
    int glyphHeight_ = 9;
    std::unique_ptr<TBitmap> glyphs_;
    int glyphWidth_ = 5;
    std::unique_ptr<TBitmap> rulerEdge_;
    std::unique_ptr<TBitmap> rulerScale_;
    int rulerHeight_ = 0;
    std::unique_ptr<TBitmap> markerImage_;
    std::unique_ptr<TBitmap> markerDigits_;
    int rulerStart_ = 0;  // the column at the ruler images' left edge
};

} // namespace vellumo
