// TZkCustomDeltaFont: a font that records where it differs from a parent font and follows the
// parent in everything else.
#pragma once
#include <cstdint>

#include "platform/core/Event.h"
#include "platform/core/Font.h"
#include "platform/core/Set.h"
#include "platform/core/TypInfo.h"

namespace zk {

// The attributes a delta font can differ in; as a set, bold is bit 1, colour 2, name 4,
// italic 8, size 16, strike-out 32 and underline 64.
ZK_ENUM(TZkFontDeltaItem, uint8_t, fdBold, fdColor, fdName, fdItalic, fdSize, fdStrikeOut,
        fdUnderline)
ZK_SET(TZkFontDelta, TZkFontDeltaItem)

// Asks for the font this one derives from; leaving ParentFont null means there is none.
ZK_EVENT(TZkGetParentFontEvent, void(TObject* Sender, TFont*& ParentFont))

// Without a parent font (OnGetParentFont unassigned or answering null) it is a plain font
// and its Delta stays as it was.
class TZkCustomDeltaFont : public TFont {
    ZK_CLASS(TZkCustomDeltaFont, TFont)
public:
    TZkCustomDeltaFont() = default;

    // The attributes in which this font differs from its parent.
    TZkFontDelta GetDelta() const { return FDelta; }
    void SetDelta(TZkFontDelta Value) { FDelta = Value; }
    // True while the font recomputes its delta or copies its parent.
    bool GetUpdating() const { return FUpdating; }

    const TZkGetParentFontEvent& GetOnGetParentFont() const { return FOnGetParentFont; }
    void SetOnGetParentFont(const TZkGetParentFontEvent& Value) { FOnGetParentFont = Value; }

    // Sets Delta to the attributes that differ from ParentFont's. Ignored while updating
    // (and for a null parent).
    virtual void ComputeDelta(TFont* ParentFont);
    // Copies every attribute not in Delta from ParentFont; Delta stays. OnChange fires for
    // each change made. Ignored while updating (and for a null parent).
    virtual void FollowParent(TFont* ParentFont);
    // Asks OnGetParentFont for the parent and recomputes Delta against it.
    void RefreshDelta();

protected:
    // A change made from outside records the new delta before OnChange fires.
    void Changed() override;

private:
    bool FUpdating = false;
    TZkFontDelta FDelta;
    TZkGetParentFontEvent FOnGetParentFont;
};

}  // namespace zk
