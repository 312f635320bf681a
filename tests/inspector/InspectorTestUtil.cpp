// The inspector tests' sample classes and fixture steps.
#include "InspectorTestUtil.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/Colors.h"
#include "platform/core/DateUtils.h"
#include "platform/core/ModalResult.h"
#include "platform/core/SysUtils.h"

namespace zk::test {

ZK_IMPLEMENT_CLASS(TSinkItem)
void TSinkItem::DescribeClass(TClassBuilder<TSinkItem>& C) {
    C.Prop("Caption", &TSinkItem::GetCaption, &TSinkItem::SetCaption);
    C.Prop("Number", &TSinkItem::GetNumber, &TSinkItem::SetNumber).Default(0);
}

ZK_IMPLEMENT_CLASS(TKitchenSink)
void TKitchenSink::DescribeClass(TClassBuilder<TKitchenSink>& C) {
    using K = TKitchenSink;
    C.Prop("Any", [](K& S) { return S.FAny; }, [](K& S, TVariant V) { S.FAny = V; });
    C.Prop("Big", [](K& S) { return S.FBig; }, [](K& S, int64_t V) { S.FBig = V; });
    C.Prop("Buddy", &K::GetBuddy, &K::SetBuddy);
    C.Prop("Count", [](K& S) { return S.FCount; }, [](K& S, int V) { S.FCount = V; }).NoDefault();
    C.Prop("Entries", &K::GetEntries, &K::SetEntries);
    C.Prop("Font", &K::GetFont, &K::SetFont);
    C.Prop("Hidden", [](K& S) { return S.FHidden; }, [](K& S, std::string V) { S.FHidden = V; })
        .Stored(false);
    C.Prop("Legacy", [](K& S) { return S.FLegacy; }, [](K& S, bool V) { S.FLegacy = V; })
        .Type(TypeInfoWordBool())
        .Default(0);
    C.Prop("Letter", [](K& S) { return S.FLetter; }, [](K& S, char V) { S.FLetter = V; }).NoDefault();
    C.Prop("Limit", [](K& S) { return S.FLimit; }, [](K& S, int V) { S.FLimit = V; }).Default(10);
    C.Prop("Lines", &K::GetLines, &K::SetLines);
    C.Prop("On", [](K& S) { return S.FOn; }, [](K& S, bool V) { S.FOn = V; }).Default(false);
    C.Prop("OnPoke", [](K& S) { return S.FOnPoke; }, [](K& S, TNotifyEvent V) { S.FOnPoke = V; });
    C.Prop("Ratio", [](K& S) { return S.FRatio; }, [](K& S, double V) { S.FRatio = V; });
    C.Prop("ReadOnlyCount", [](K& S) { return S.FCount; });
    C.Prop("Shape", [](K& S) { return S.FShape; }, [](K& S, TSinkShape V) { S.FShape = V; })
        .Default(shCircle);
    C.Prop("Sides", &K::GetSides, &K::SetSides).Default(TSinkSides{sdLeft, sdTop});
    C.Prop("Text", [](K& S) { return S.FText; }, [](K& S, std::string V) { S.FText = V; });
    C.Prop("When", [](K& S) { return S.FWhen; }, [](K& S, double V) { S.FWhen = V; })
        .Type(TypeInfoTDateTime());
    C.Prop("Wide", [](K& S) { return S.FWide; }, [](K& S, char16_t V) { S.FWide = V; }).NoDefault();
    C.Prop("WideText", [](K& S) { return S.FWideText; },
           [](K& S, std::u16string V) { S.FWideText = V; });
}

TKitchenSink::TKitchenSink(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(Create<TFont>()),
      FLines(Create<TStringList>()),
      FEntries(Create<TCollection>(TSinkItem::StaticClass())) {}

TKitchenSink::~TKitchenSink() = default;

void TKitchenSink::SetBuddy(TComponent* V) {
    if (FBuddy) FBuddy->RemoveFreeNotification(this);
    FBuddy = V;
    if (V) V->FreeNotification(this);
}

void TKitchenSink::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
    TComponent::Notification(AComponent, Operation);
}

ZK_IMPLEMENT_CLASS(TOtherSink)
void TOtherSink::DescribeClass(TClassBuilder<TOtherSink>& C) {
    using O = TOtherSink;
    // Refuses what the type would take, as a control's own rule does.
    C.Prop("Count", [](O& S) { return S.FCount; },
           [](O& S, int V) {
               if (V < 0) throw EConvertError("%d is out of range", {V});
               S.FCount = V;
           })
        .NoDefault();
    C.Prop("Shape", [](O& S) { return S.FShape; }, [](O& S, std::string V) { S.FShape = V; });
    C.Prop("Extra", [](O& S) { return S.FExtra; }, [](O& S, int V) { S.FExtra = V; });
}

void RegisterInspectorTestClasses() {
    RegisterClasses({TKitchenSink::StaticClass(), TOtherSink::StaticClass(), TSinkItem::StaticClass()});
}

// ---- the fixture ----

void InspectorTest::SetUp() {
    Form.reset(Create<TForm>(nullptr));
    Form->SetBounds(20, 20, 500, 700);
    Inspector = Create<TZkObjectInspector>(Form.get());
    Inspector->SetParent(Form.get());
    Inspector->SetBounds(8, 8, 400, 640);
    Form->Show();
    Inspector->SetFocus();
    Settle();
}

void InspectorTest::TearDown() {
    SetMessageBoxHandler(nullptr);
    Form.reset();
    Settle();
}

void InspectorTest::Inspect(std::initializer_list<TObject*> Objects) {
    Inspector->GetObjects()->Clear();
    for (TObject* O : Objects) Inspector->GetObjects()->AddInstance(O);
    Settle();
}

TZkItemProperty* InspectorTest::Row(const std::string& Path) const {
    TZkItemProperty* Result = Inspector->GetItems()->FindPath(Path);
    if (!Result) throw std::logic_error("no row " + Path);
    return Result;
}

std::string InspectorTest::Shown(const std::string& Path, int Column) const {
    for (TZkItemProp* P = Row(Path)->GetParentItem(); P; P = P->GetParentItem()) P->Expand();
    const int Line = Inspector->GetLogical(lwFixedLines) + Inspector->GetShownItems().IndexOf(Row(Path));
    const TGridCoord Cell = Inspector->CellOf(Column, Line);
    return Inspector->GetCellText(Cell.X, Cell.Y);
}

void InspectorTest::Press(int QtKey, Qt::KeyboardModifiers Mods, const QString& Text) {
    QWidget* Target = QApplication::focusWidget();
    ASSERT_NE(Target, nullptr);
    QKeyEvent Down(QEvent::KeyPress, QtKey, Mods, Text);
    QApplication::sendEvent(Target, &Down);
    QKeyEvent Up(QEvent::KeyRelease, QtKey, Mods, Text);
    QApplication::sendEvent(Target, &Up);
    Settle();
}

void InspectorTest::Commit(const std::string& Path, const std::string& Text, int Column) {
    Inspector->SelectItem(Row(Path));
    Inspector->SetLogical(lwColumn, Column);
    Inspector->ShowEditor();
    TZkInplaceEditList* Editor = Inspector->GetInplaceEditList();
    ASSERT_NE(Editor, nullptr);
    Editor->SetFocus();
    Editor->SelectAll();
    for (char C : Text) {
        const unsigned char U = static_cast<unsigned char>(C);
        const int Key = std::isalpha(U) ? Qt::Key_A + (std::toupper(U) - 'A')
                        : std::isdigit(U) ? Qt::Key_0 + (C - '0')
                                          : static_cast<int>(U);
        Press(Key, Qt::NoModifier, QString(QChar(C)));
    }
    Press(Qt::Key_Return);
}

std::vector<std::string>& InspectorTest::CatchMessages() {
    SetMessageBoxHandler([this](const std::string& Msg, int, int) {
        Messages.push_back(Msg);
        return static_cast<int>(mrOk);
    });
    return Messages;
}

}  // namespace zk::test
