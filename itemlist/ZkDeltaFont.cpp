// TZkCustomDeltaFont: computing the delta against the parent font and following the parent.
#include "itemlist/ZkDeltaFont.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/ScopeExit.h"

namespace zk {

ZK_IMPLEMENT_CLASS(TZkCustomDeltaFont)
void TZkCustomDeltaFont::DescribeClass(TClassBuilder<TZkCustomDeltaFont>&) {}

void TZkCustomDeltaFont::Changed() {
    if (!FUpdating) RefreshDelta();
    inherited::Changed();
}

void TZkCustomDeltaFont::RefreshDelta() {
    if (!FOnGetParentFont) return;
    TFont* Parent = nullptr;
    FOnGetParentFont(this, Parent);
    if (Parent) ComputeDelta(Parent);
}

void TZkCustomDeltaFont::ComputeDelta(TFont* ParentFont) {
    if (FUpdating || !ParentFont) return;
    FUpdating = true;
    TScopeExit Done([this] { FUpdating = false; });
    FDelta = {};
    const TFontStyles Own = GetStyle();
    const TFontStyles Parent = ParentFont->GetStyle();
    if (Own.Contains(fsBold) != Parent.Contains(fsBold)) FDelta.Include(fdBold);
    if (Own.Contains(fsItalic) != Parent.Contains(fsItalic)) FDelta.Include(fdItalic);
    if (Own.Contains(fsStrikeOut) != Parent.Contains(fsStrikeOut)) FDelta.Include(fdStrikeOut);
    if (Own.Contains(fsUnderline) != Parent.Contains(fsUnderline)) FDelta.Include(fdUnderline);
    if (GetColor() != ParentFont->GetColor()) FDelta.Include(fdColor);
    if (GetName() != ParentFont->GetName()) FDelta.Include(fdName);
    // Size is rounded from Height, so Height is the exact measure of it.
    if (GetHeight() != ParentFont->GetHeight()) FDelta.Include(fdSize);
}

void TZkCustomDeltaFont::FollowParent(TFont* ParentFont) {
    if (FUpdating || !ParentFont) return;
    FUpdating = true;
    TScopeExit Done([this] { FUpdating = false; });
    TFontStyles Style = GetStyle();
    const TFontStyles Parent = ParentFont->GetStyle();
    const auto Follow = [&](TZkFontDeltaItem Item, TFontStyle S) {
        if (FDelta.Contains(Item)) return;
        if (Parent.Contains(S))
            Style.Include(S);
        else
            Style.Exclude(S);
    };
    Follow(fdBold, fsBold);
    Follow(fdItalic, fsItalic);
    Follow(fdStrikeOut, fsStrikeOut);
    Follow(fdUnderline, fsUnderline);
    SetStyle(Style);
    if (!FDelta.Contains(fdColor)) SetColor(ParentFont->GetColor());
    if (!FDelta.Contains(fdName)) SetName(ParentFont->GetName());
    if (!FDelta.Contains(fdSize)) SetHeight(ParentFont->GetHeight());
}

}  // namespace zk
