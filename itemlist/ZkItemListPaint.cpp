// TZkCustomItemListEditor: cell painting (fonts, indentation, glyphs, selection, disabled items)
// and the pop-up hints of names and values under the mouse.
#include "itemlist/ZkDeltaFont.h"
#include "itemlist/ZkHintWindow.h"
#include "itemlist/ZkItemListEditor.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"

namespace zk {

bool TZkCustomItemListEditor::HasFocus() const {
    if (TCustomForm* Form = GetParentForm(this)) {
        TWinControl* Active = Form->GetActiveControl();
        if (Active == this) return true;
        TInplaceEdit* Editor = GetInplaceEditor();
        return Editor && Active == Editor;
    }
    TInplaceEdit* Editor = GetInplaceEditor();
    return Focused() || (Editor && Editor->Focused());
}

TRect TZkCustomItemListEditor::GlyphRect(const TRect& CellRect, const TZkItemProp* Item) const {
    if (FNativeLook) {
        const int Size = NativeGlyphSize();
        const int Left = CellRect.Left + Item->GetLevel() * LevelIndent() + 2;
        const int Top = CellRect.Top + (GetDefaultRowHeight() - Size) / 2;
        return TRect{Left, Top, Left + Size, Top + Size};
    }
    TGraphic* Glyph = FMinusGlyph->GetGraphic();
    const int W = Glyph ? Glyph->GetWidth() : 0;
    const int H = Glyph ? Glyph->GetHeight() : 0;
    const int Left = CellRect.Left + Item->GetLevel() * FIndent;
    const int Top = CellRect.Top + (GetDefaultRowHeight() - H) / 2;
    return TRect{Left, Top, Left + W, Top + H};
}

// The font of a cell, on the canvas's terms: item fonts for item lines, the
// title font for the title line, the grid's fonts for empty lines.
TFont* TZkCustomItemListEditor::CellFont(TZkItemProp* Item, int ACol, int ARow, bool& Disabled) {
    const bool Value = IsValueCell(ACol, ARow);
    Disabled = false;
    if (Item) {
        Disabled = !Item->GetEnabled();
        return Value ? Item->GetColumnValueFont(LogicalColumnOf(ACol, ARow) - 1)
                     : Item->CurrentFont();
    }
    if (LogicalLineOf(ACol, ARow) < GetLogical(lwFixedLines)) return FTitleCaptionFont.get();
    return Value ? static_cast<TFont*>(FValueFont.get()) : GetFont();
}

void TZkCustomItemListEditor::DrawCell(int ACol, int ARow, const TRect& ARect,
                                       TGridDrawState AState) {
    if (!GetDefaultDrawing()) {
        TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    if (FNativeLook) {
        DrawNativeCell(ACol, ARow, ARect, AState);
        return;
    }
    TCanvas* C = GetCanvas();
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    bool Disabled = false;
    C->GetFont()->Assign(CellFont(Item, ACol, ARow, Disabled));
    if (Disabled) C->GetFont()->SetColor(clInactiveCaptionText);

    TRect TextArea = ARect;
    if (Item && !IsValueCell(ACol, ARow)) {
        if (Item->HasChildren()) {
            TPicture* Glyph = Item->GetExpanded() ? FMinusGlyph.get() : FPlusGlyph.get();
            TextArea.Left += Item->GetLevel() * FIndent;
            if (TGraphic* G = Glyph->GetGraphic())
                C->Draw(TextArea.Left, ARect.Top + (GetDefaultRowHeight() - G->GetHeight()) / 2, G);
            TextArea.Left += FIndent;
        } else {
            TextArea.Left += (Item->GetLevel() + 1) * FIndent;
        }
    }

    if (ACol == GetCol() && ARow == GetRow()) {
        if (FHideSelection && !HasFocus()) {
            C->GetBrush()->SetStyle(bsSolid);
            C->GetBrush()->SetColor(GetColor());
            C->FillRect(ARect);
        } else if (AState.Contains(gdSelected) &&
                   (!AState.Contains(gdFocused) || GetOptions().Contains(goDrawFocusSelected) ||
                    GetOptions().Contains(goRowSelect))) {
            C->GetFont()->SetColor(clHighlightText);
        }
    }

    TRect Clip = ARect;
    Clip.Left = std::max(Clip.Left, std::min(TextArea.Left, Clip.Right));
    const std::string Text = GetCellText(ACol, ARow);
    if (Item && !FFilterFolded.empty())
        MarkFilterMatch(Text, Clip, TextArea.Left + 2, ARect.Top + 2);
    C->GetBrush()->SetStyle(bsClear);
    C->TextRect(Clip, TextArea.Left + 2, ARect.Top + 2, Text);
    C->GetBrush()->SetStyle(bsSolid);
    TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

// ---- hints ----

void TZkCustomItemListEditor::MeasureHint(int MaxWidth, const std::string& Text, TRect& R,
                                          TFont* Font) {
    R = TRect{0, 0, MaxWidth, 0};
    // Measured on a scratch bitmap: the grid's canvas has a device only while it paints.
    TOwned<TBitmap> Scratch(Create<TBitmap>());
    Scratch->SetWidth(1);
    Scratch->SetHeight(1);
    TCanvas* C = Scratch->GetCanvas();
    C->GetFont()->Assign(Font);
    unsigned Flags = DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    if (UseRightToLeftReading()) Flags |= DT_RTLREADING;
    C->DrawText(Text, R, Flags);
    R.Right += 6;
    R.Bottom += 2;
}

void TZkCustomItemListEditor::GetItemHint(TZkItemProp* Item, int ACol, std::string& Hint,
                                          int ARow) {
    const std::string Text = GetCellText(ACol, ARow);
    if (IsValueCell(ACol, ARow)) {
        switch (FShowItemHintStyle) {
            case shValueOnly: Hint = Text; break;
            case shHintOnly: Hint = Item->GetHint(); break;
            case shValueAndHint:
                Hint = Item->GetHint().empty() ? Text : Text + "\r\n(" + Item->GetHint() + ")";
                break;
            case shNone: break;
        }
    } else {
        Hint = Text;
    }
    if (FOnShowHints.Assigned()) FOnShowHints(this, Item, Hint);
}

void TZkCustomItemListEditor::HideItemHint() {
    if (FHintWindow) FHintWindow->HideHint();
}

void TZkCustomItemListEditor::ShowItemHint(int X, int Y) {
    int ACol = -1;
    int ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ACol < 0 || ARow < 0) {
        HideItemHint();
        return;
    }
    if (LogicalLineOf(ACol, ARow) < GetLogical(lwFixedLines)) {
        HideItemHint();
        return;
    }
    TZkItemProp* Item = ItemAtCell(ACol, ARow, true);
    if (!Item) return;
    std::string Hint;
    GetItemHint(Item, ACol, Hint, ARow);
    if (Hint.empty()) {
        HideItemHint();
        return;
    }
    const bool Value = IsValueCell(ACol, ARow);
    const int Shift = Value ? 0 : (Item->GetLevel() + 1) * LevelIndent();
    TRect Measured;
    MeasureHint(Screen->GetWidth(), Hint, Measured,
                Value ? Item->GetColumnValueFont(LogicalColumnOf(ACol, ARow) - 1)
                      : Item->CurrentFont());
    Measured.Left += Shift;
    Measured.Right += Shift;
    const TRect Cell = CellRect(ACol, ARow);
    if (Hint != GetCellText(ACol, ARow) || Cell.Width() < Measured.Right) {
        TPoint At = ClientToScreen(TPoint{Cell.Left + Shift, Cell.Top});
        FHintWindow->ShowHintAt(At, Hint);
    } else {
        HideItemHint();
    }
}

void TZkCustomItemListEditor::MouseMove(TShiftState Shift, int X, int Y) {
    if (FShowItemHintStyle != shNone && (X != FLastHintPos.X || Y != FLastHintPos.Y)) {
        FLastHintPos = TPoint{X, Y};
        ShowItemHint(X, Y);
    }
    TCustomDrawGrid::MouseMove(Shift, X, Y);
}

void TZkCustomItemListEditor::MouseLeave() {
    TCustomDrawGrid::MouseLeave();
    HideItemHint();
}

}  // namespace zk
