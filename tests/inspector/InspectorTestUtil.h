// Shared fixtures of the inspector tests: a component with a published property of every kind,
// an inspector on a shown form, and the steps a user takes (select a row, type, press Enter).
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

#include "inspector/ZkObjectInspector.h"
#include "inspector/ZkPropertyPresets.h"
#include "itemlist/ZkInplaceEditList.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Font.h"
#include "platform/core/StringList.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"

namespace zk::test {

ZK_ENUM(TSinkShape, uint8_t, shCircle, shSquare, shTriangle)
ZK_ENUM(TSinkSide, uint8_t, sdLeft, sdTop, sdRight, sdBottom)
ZK_SET(TSinkSides, TSinkSide)

// A collection item with a name and a number.
class TSinkItem : public TCollectionItem {
    ZK_CLASS(TSinkItem, TCollectionItem)
public:
    explicit TSinkItem(TCollection* Collection) : TCollectionItem(Collection) {}
    std::string GetDisplayName() const override { return FCaption; }
    const std::string& GetCaption() const { return FCaption; }
    void SetCaption(const std::string& V) { FCaption = V; }
    int GetNumber() const { return FNumber; }
    void SetNumber(int V) { FNumber = V; }

private:
    std::string FCaption;
    int FNumber = 0;
};

// A component with a published property of every kind the inspector shows.
class TKitchenSink : public TComponent {
    ZK_CLASS(TKitchenSink, TComponent)
public:
    explicit TKitchenSink(TComponent* AOwner);
    ~TKitchenSink() override;

    int FCount = 0;          // Integer, no default
    int FLimit = 10;         // Integer, default 10
    char FLetter = 'a';      // Char
    char16_t FWide = u'w';   // WideChar
    TSinkShape FShape = shCircle;
    bool FOn = false;        // Boolean, default False
    bool FLegacy = false;    // WordBool
    double FRatio = 1.5;     // Double
    double FWhen = 0;        // TDateTime
    std::string FText = "text";
    std::u16string FWideText = u"wide";
    TSinkSides FSides = TSinkSides{sdLeft, sdTop};
    int64_t FBig = 1;
    TVariant FAny = TVariant(7);
    std::string FHidden;     // not stored
    TNotifyEvent FOnPoke;
    TComponent* FBuddy = nullptr;  // cleared by free notification
    TOwned<TFont> FFont;
    TOwned<TStringList> FLines;
    TOwned<TCollection> FEntries;

    TSinkSides GetSides() const { return FSides; }
    void SetSides(TSinkSides V) { FSides = V; }
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* V) { FFont->Assign(V); }
    TStringList* GetLines() const { return FLines.get(); }
    void SetLines(TStringList* V) { FLines->Assign(V); }
    TCollection* GetEntries() const { return FEntries.get(); }
    void SetEntries(TCollection* V) { FEntries->Assign(V); }
    TComponent* GetBuddy() const { return FBuddy; }
    void SetBuddy(TComponent* V);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
};

// Another class, sharing some of TKitchenSink's properties by name.
class TOtherSink : public TComponent {
    ZK_CLASS(TOtherSink, TComponent)
public:
    explicit TOtherSink(TComponent* AOwner) : TComponent(AOwner) {}
    int FCount = 3;           // same name, kind and type name: common
    std::string FShape = "x";  // same name, another kind: not common
    int FExtra = 0;
};

void RegisterInspectorTestClasses();

// An inspector on a shown form, with helpers that work it as a user would.
class InspectorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Delivers the posted messages (rescans, refreshes).
    void Settle() { Application->ProcessMessages(); }
    void Inspect(std::initializer_list<TObject*> Objects);
    // The row at a full path; a missing one fails the test.
    TZkItemProperty* Row(const std::string& Path) const;
    // The value a row shows in value column Column (1-based) now.
    std::string Shown(const std::string& Path, int Column = 1) const;
    // Selects the row's value cell, types Text over it and presses Enter.
    void Commit(const std::string& Path, const std::string& Text, int Column = 1);
    void Press(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier,
               const QString& Text = QString());
    // Messages the application reports from now on.
    std::vector<std::string>& CatchMessages();

    TOwned<TForm> Form;
    TZkObjectInspector* Inspector = nullptr;  // owned by Form
    std::vector<std::string> Messages;
};

}  // namespace zk::test
