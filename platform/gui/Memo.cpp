// TCustomMemo and TMemo over QPlainTextEdit, with Lines reading and writing the widget's document.
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cassert>

#include "platform/core/ClassBuilder.h"
#include "platform/core/SysUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/Controls_p.h"
#include "platform/gui/StdCtrls.h"

namespace zk {

namespace {

// Text as the widget holds it: every line break a single LF.
QString ToWidgetText(const std::string& S) {
    QString T = QString::fromUtf8(S);
    T.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    T.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return T;
}

}  // namespace

// The memo's lines, read from and written to the document block by block.
// A last empty block (text ending in a line break) is no line of its own;
// lines added at the end bring their line break with them.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    int GetCount() const override {
        const QTextDocument* D = Doc();
        int N = D->blockCount();
        if (D->lastBlock().text().isEmpty()) --N;
        return N;
    }
    std::string Get(int Index) const override {
        CheckIndex(Index);
        return Doc()->findBlockByNumber(Index).text().toStdString();
    }
    void Put(int Index, const std::string& S) override {
        CheckIndex(Index);
        QTextCursor C(Doc()->findBlockByNumber(Index));
        C.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        C.insertText(QString::fromUtf8(S));
    }
    void Insert(int Index, const std::string& S) override {
        const int Count = GetCount();
        if (Index < 0 || Index > Count) Error("List index out of bounds (%d)", Index);
        QTextCursor C(Doc());
        const QString Line = ToWidgetText(S) + QLatin1Char('\n');
        if (Index < Count) {
            C.setPosition(Doc()->findBlockByNumber(Index).position());
            C.insertText(Line);
        } else {
            // An added line ends with its line break, so that an empty line
            // added last is a line and not the end of the text.
            C.movePosition(QTextCursor::End);
            C.insertText(Count == Doc()->blockCount() ? QLatin1Char('\n') + Line : Line);
        }
    }
    void Delete(int Index) override {
        CheckIndex(Index);
        const QTextBlock B = Doc()->findBlockByNumber(Index);
        QTextCursor C(Doc());
        if (B.next().isValid()) {
            C.setPosition(B.position());
            C.setPosition(B.next().position(), QTextCursor::KeepAnchor);
        } else {
            C.setPosition(B.previous().isValid() ? B.position() - 1 : B.position());
            C.setPosition(B.position() + B.length() - 1, QTextCursor::KeepAnchor);
        }
        C.removeSelectedText();
    }
    void Clear() override { FMemo->GetPlainTextEdit()->clear(); }
    void SetTextStr(const std::string& Value) override {
        FMemo->GetPlainTextEdit()->setPlainText(ToWidgetText(Value));
    }

protected:
    void SetUpdateState(bool Updating) override {
        FMemo->GetWidget()->setUpdatesEnabled(!Updating);
    }

private:
    QTextDocument* Doc() const { return FMemo->GetPlainTextEdit()->document(); }
    void CheckIndex(int Index) const {
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
    }

    TCustomMemo* FMemo;  // owns this list
};

ZK_IMPLEMENT_CLASS(TCustomMemo)
void TCustomMemo::DescribeClass(TClassBuilder<TCustomMemo>& C) {
    C.Redeclare("Color").Default(clWindow);
    C.Redeclare("ParentColor").Default(false);
    C.Redeclare("TabStop").Default(true);
}

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TWinControl(AOwner, MakeControlWidget<QPlainTextEdit>(this)), FLines(new TMemoStrings(this)) {
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csCaptureMouse});
    QPlainTextEdit* E = GetPlainTextEdit();
    E->setBackgroundRole(QPalette::Base);
    E->setForegroundRole(QPalette::Text);
    E->setTabChangesFocus(true);
    E->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    E->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
    QObject::connect(E, &QPlainTextEdit::textChanged, E, [this] {
        if (!IsDestroying()) SafeCall(this, [this] { TextEdited(); });
    });
}

TCustomMemo::~TCustomMemo() = default;

QPlainTextEdit* TCustomMemo::GetPlainTextEdit() const {
    return static_cast<QPlainTextEdit*>(GetWidget());
}

TStrings* TCustomMemo::GetLines() const {
    return FLines.get();
}

void TCustomMemo::SetLines(TStrings* Value) {
    assert(Value && "SetLines(nullptr): assign lines, the memo owns its Lines");
    if (Value) FLines->Assign(Value);
}

// Qt reports every edit, also one that leaves the text as it was
// (setPlainText of the same text); OnChange hears only real changes.
void TCustomMemo::TextEdited() {
    std::string Now = RealGetText();
    if (Now == FLastText) return;
    FLastText = std::move(Now);
    if (!IsLoading()) Change();
}

void TCustomMemo::Change() {
    if (FOnChange.Assigned()) FOnChange(this);
}

std::string TCustomMemo::RealGetText() const {
    QString T = GetPlainTextEdit()->toPlainText();
    T.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return T.toStdString();
}

void TCustomMemo::RealSetText(const std::string& Value) {
    GetPlainTextEdit()->setPlainText(ToWidgetText(Value));
}

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    QTextOption Option = GetPlainTextEdit()->document()->defaultTextOption();
    Option.setAlignment(Value == taCenter         ? Qt::AlignHCenter
                        : Value == taRightJustify ? Qt::AlignRight
                                                  : Qt::AlignLeft);
    GetPlainTextEdit()->document()->setDefaultTextOption(Option);
}

TFormBorderStyle TCustomMemo::GetBorderStyle() const {
    return GetPlainTextEdit()->frameShape() == QFrame::NoFrame ? bsNone : bsSingle;
}

void TCustomMemo::SetBorderStyle(TFormBorderStyle Value) {
    GetPlainTextEdit()->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

bool TCustomMemo::GetReadOnly() const {
    return GetPlainTextEdit()->isReadOnly();
}

void TCustomMemo::SetReadOnly(bool Value) {
    GetPlainTextEdit()->setReadOnly(Value);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    FScrollBars = Value;
    const bool H = Value == ssHorizontal || Value == ssBoth;
    const bool V = Value == ssVertical || Value == ssBoth;
    GetPlainTextEdit()->setHorizontalScrollBarPolicy(H ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
    GetPlainTextEdit()->setVerticalScrollBarPolicy(V ? Qt::ScrollBarAlwaysOn
                                                     : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWantTabs(bool Value) {
    FWantTabs = Value;
    GetPlainTextEdit()->setTabChangesFocus(!Value);
}

bool TCustomMemo::GetWordWrap() const {
    return GetPlainTextEdit()->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TCustomMemo::SetWordWrap(bool Value) {
    GetPlainTextEdit()->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth
                                              : QPlainTextEdit::NoWrap);
}

bool TCustomMemo::GetModified() const {
    return GetPlainTextEdit()->document()->isModified();
}

void TCustomMemo::SetModified(bool Value) {
    GetPlainTextEdit()->document()->setModified(Value);
}

// ---- selection: the framework counts a line break as two characters ----

int TCustomMemo::ToWidgetPos(int Pos) const {
    const QString T = GetPlainTextEdit()->toPlainText();
    int Framework = 0;
    int I = 0;
    for (; I < T.size() && Framework < Pos; ++I) Framework += T[I] == QLatin1Char('\n') ? 2 : 1;
    return I;
}

int TCustomMemo::FromWidgetPos(int Pos) const {
    const QString T = GetPlainTextEdit()->toPlainText();
    return Pos + static_cast<int>(T.left(Pos).count(QLatin1Char('\n')));
}

int TCustomMemo::GetSelStart() const {
    return FromWidgetPos(GetPlainTextEdit()->textCursor().selectionStart());
}

void TCustomMemo::SetSelStart(int Value) {
    QTextCursor C = GetPlainTextEdit()->textCursor();
    C.setPosition(ToWidgetPos(std::max(0, Value)));
    GetPlainTextEdit()->setTextCursor(C);
}

int TCustomMemo::GetSelLength() const {
    const QTextCursor C = GetPlainTextEdit()->textCursor();
    return FromWidgetPos(C.selectionEnd()) - FromWidgetPos(C.selectionStart());
}

void TCustomMemo::SetSelLength(int Value) {
    QTextCursor C = GetPlainTextEdit()->textCursor();
    const int Start = GetSelStart();
    C.setPosition(ToWidgetPos(Start));
    C.setPosition(ToWidgetPos(Start + std::max(0, Value)), QTextCursor::KeepAnchor);
    GetPlainTextEdit()->setTextCursor(C);
}

std::string TCustomMemo::GetSelText() const {
    QString T = GetPlainTextEdit()->textCursor().selectedText();
    T.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    return T.toStdString();
}

void TCustomMemo::SetSelText(const std::string& Value) {
    GetPlainTextEdit()->textCursor().insertText(ToWidgetText(Value));
}

void TCustomMemo::SelectAll() {
    GetPlainTextEdit()->selectAll();
}

void TCustomMemo::Clear() {
    GetPlainTextEdit()->clear();
}

// ---- keys ----

bool TCustomMemo::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (Key == VK_RETURN) return FWantReturns || Shift.Contains(ssCtrl);
    if (Key == VK_TAB) return FWantTabs;
    return TWinControl::WantsKey(Key, Shift);
}

void TCustomMemo::KeyPress(char& Key) {
    TWinControl::KeyPress(Key);
    if (Key == '\r' && !FWantReturns) Key = 0;
    const bool Typed = static_cast<unsigned char>(Key) >= 32 || Key == '\r' || Key == '\t';
    if (Key && Typed && FMaxLength > 0 &&
        static_cast<int>(RealGetText().size()) - GetSelLength() >= FMaxLength)
        Key = 0;
}

// ---- TMemo ----

ZK_IMPLEMENT_CLASS(TMemo)
void TMemo::DescribeClass(TClassBuilder<TMemo>& C) {
    C.Prop("Alignment", &TCustomMemo::GetAlignment, &TCustomMemo::SetAlignment)
        .Default(taLeftJustify);
    C.Prop("BorderStyle", &TCustomMemo::GetBorderStyle, &TCustomMemo::SetBorderStyle)
        .Type(TypeInfoTBorderStyle())
        .Default(bsSingle);
    C.Prop("HideSelection", &TCustomMemo::GetHideSelection, &TCustomMemo::SetHideSelection)
        .Default(true);
    C.Prop("Lines", &TCustomMemo::GetLines, &TCustomMemo::SetLines);
    C.Prop("MaxLength", &TCustomMemo::GetMaxLength, &TCustomMemo::SetMaxLength).Default(0);
    C.Prop("ReadOnly", &TCustomMemo::GetReadOnly, &TCustomMemo::SetReadOnly).Default(false);
    C.Prop("ScrollBars", &TCustomMemo::GetScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
    C.Prop("WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns).Default(true);
    C.Prop("WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs).Default(false);
    C.Prop("WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap).Default(true);
    C.Prop("OnChange", &TCustomMemo::GetOnChange, &TCustomMemo::SetOnChange);
}

TMemo::TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}

}  // namespace zk
