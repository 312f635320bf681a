// The item-list grid to Qt's accessibility layer: the grid as a tree table, its lines as rows
// with name and value cells, expand and collapse actions, and the events that keep a screen
// reader in step (focus, values, lines).
#include <QMetaObject>
#include <QWidget>
#include <algorithm>

#include "itemlist/ZkItemListAccessible_p.h"
#include "platform/gui/Controls.h"

namespace zk {

namespace {

const QString ExpandAction = QStringLiteral("Expand");
const QString CollapseAction = QStringLiteral("Collapse");

QString Q(const std::string& S) {
    return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
}

// A line of the grid (Line -1: the title line) or one of its cells (Column >= 0).
class TZkGridPartAccessible : public QAccessibleInterface,
                              public QAccessibleTableCellInterface,
                              public QAccessibleActionInterface {
public:
    TZkGridPartAccessible(QWidget* Widget, int Line, int Column)
        : FWidget(Widget), FLine(Line), FColumn(Column) {}

    TZkGridAccessible* Table() const {
        return FWidget ? dynamic_cast<TZkGridAccessible*>(
                             QAccessible::queryAccessibleInterface(FWidget.data()))
                       : nullptr;
    }
    TZkCustomItemListEditor* Grid() const {
        TZkGridAccessible* T = Table();
        return T ? T->Grid() : nullptr;
    }
    // The logical line of the grid this part is on.
    int GridLine(const TZkCustomItemListEditor* G) const {
        return FLine < 0 ? 0 : G->GetLogical(lwFixedLines) + FLine;
    }
    TZkItemProp* Item() const {
        TZkCustomItemListEditor* G = Grid();
        if (!G || FLine < 0 || FLine >= G->GetShownItems().GetCount()) return nullptr;
        return G->GetShownItems()[FLine];
    }
    bool IsRow() const { return FColumn < 0; }

    bool isValid() const override {
        TZkCustomItemListEditor* G = Grid();
        if (!G) return false;
        if (FColumn >= G->GetLogical(lwColCount)) return false;
        return FLine < 0 ? Table()->HasTitleRow() : FLine < G->GetShownItems().GetCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QAccessibleInterface* P = parent();
        return P ? P->window() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        if (IsRow()) return Table();
        TZkGridAccessible* T = Table();
        return T ? T->Child(FLine, -1) : nullptr;
    }
    int childCount() const override {
        TZkCustomItemListEditor* G = Grid();
        return IsRow() && G ? G->GetLogical(lwColCount) : 0;
    }
    QAccessibleInterface* child(int Index) const override {
        TZkGridAccessible* T = Table();
        return IsRow() && T && Index >= 0 && Index < childCount() ? T->Child(FLine, Index)
                                                                  : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* Child) const override {
        for (int I = 0; I < childCount(); ++I)
            if (child(I) == Child) return I;
        return -1;
    }
    QAccessibleInterface* childAt(int X, int Y) const override {
        for (int I = 0; I < childCount(); ++I)
            if (QAccessibleInterface* C = child(I); C && C->rect().contains(X, Y)) return C;
        return nullptr;
    }

    // A row reads as its item: its name, and the value of its first value column.
    QString text(QAccessible::Text T) const override {
        TZkCustomItemListEditor* G = Grid();
        if (!G) return QString();
        const int Line = GridLine(G);
        const int Column = IsRow() ? (T == QAccessible::Value ? 1 : 0) : FColumn;
        if (Column >= G->GetLogical(lwColCount)) return QString();
        if (T == QAccessible::Description) {
            TZkItemProp* I = Item();
            return I ? Q(I->GetFullName()) : QString();
        }
        if (T != QAccessible::Name && T != QAccessible::Value) return QString();
        // A cell's name is its text; a value cell's value is that text too.
        if (!IsRow() && T == QAccessible::Value && FColumn == 0) return QString();
        const TGridCoord Cell = G->CellOf(Column, Line);
        return Q(G->GetCellText(Cell.X, Cell.Y));
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        TZkCustomItemListEditor* G = Grid();
        if (!G) return QRect();
        const int Line = GridLine(G);
        TRect R;
        if (IsRow()) {
            const TGridCoord First = G->CellOf(0, Line);
            const TGridCoord Last = G->CellOf(G->GetLogical(lwColCount) - 1, Line);
            const TRect A = G->CellRect(First.X, First.Y);
            const TRect B = G->CellRect(Last.X, Last.Y);
            R = TRect{std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                      std::max(A.Bottom, B.Bottom)};
        } else {
            const TGridCoord Cell = G->CellOf(FColumn, Line);
            R = G->CellRect(Cell.X, Cell.Y);
        }
        if (R.IsEmpty()) return QRect();
        const TPoint At = G->ClientToScreen(TPoint{R.Left, R.Top});
        return QRect(At.X, At.Y, R.Width(), R.Height());
    }
    QAccessible::Role role() const override {
        if (IsRow()) return QAccessible::Row;
        if (FLine < 0) return QAccessible::ColumnHeader;
        return QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State S;
        TZkCustomItemListEditor* G = Grid();
        if (!G) {
            S.invalid = true;
            return S;
        }
        const int Line = GridLine(G);
        const bool OnCurrentLine = Line == G->GetLogical(lwLine);
        S.selectable = FLine >= 0;
        S.focusable = FLine >= 0 && !IsRow();
        S.selected = FLine >= 0 && OnCurrentLine && (IsRow() || FColumn == G->GetLogical(lwColumn));
        S.focused = S.focusable && S.selected && G->HasFocus();
        if (TZkItemProp* I = Item()) {
            S.readOnly =
                I->GetReadOnly() || (FColumn == 0 && !G->GetPropertyOptions().Contains(propEdit));
            if (I->HasChildren() && FColumn <= 0) {
                S.expandable = true;
                S.expanded = I->GetExpanded();
                S.collapsed = !I->GetExpanded();
            }
            S.disabled = !I->GetEnabled();
        }
        return S;
    }
    void* interface_cast(QAccessible::InterfaceType Type) override {
        if (Type == QAccessible::TableCellInterface && !IsRow())
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (Type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        TZkGridAccessible* T = Table();
        if (!T || FLine < 0 || !T->HasTitleRow()) return {};
        return {T->Child(-1, FColumn)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FColumn; }
    int rowIndex() const override { return FLine; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return Table(); }

    // QAccessibleActionInterface: lines with children open and close; a cell
    // is focused by making it current.
    QStringList actionNames() const override {
        QStringList Names;
        if (FLine >= 0 && !IsRow()) Names << setFocusAction();
        TZkItemProp* I = Item();
        if (I && I->HasChildren() && FColumn <= 0) {
            Names << (I->GetExpanded() ? CollapseAction : ExpandAction) << toggleAction();
        }
        return Names;
    }
    void doAction(const QString& Name) override {
        TZkCustomItemListEditor* G = Grid();
        TZkItemProp* I = Item();
        if (!G || !I) return;
        if (Name == setFocusAction() && !IsRow()) {
            const TGridCoord Cell = G->CellOf(FColumn, GridLine(G));
            G->FocusCell(Cell.X, Cell.Y, true);
        } else if (Name == ExpandAction) {
            I->Expand();
        } else if (Name == CollapseAction) {
            I->Collapse();
        } else if (Name == toggleAction()) {
            I->SetExpanded(!I->GetExpanded());
        }
    }
    QStringList keyBindingsForAction(const QString& Name) const override {
        TZkCustomItemListEditor* G = Grid();
        if (!G || !G->GetTreeKeys()) return {};
        if (Name == ExpandAction) return {QStringLiteral("Alt+Right")};
        if (Name == CollapseAction) return {QStringLiteral("Alt+Left")};
        return {};
    }

private:
    QPointer<QWidget> FWidget;  // the grid's widget; the interface is invalid once it has gone
    int FLine;
    int FColumn;
};

QAccessibleInterface* GridFactory(const QString&, QObject* Object) {
    auto* Widget = qobject_cast<QWidget*>(Object);
    if (!Widget) return nullptr;
    auto* Grid = DynamicCast<TZkCustomItemListEditor>(FindControl(Widget));
    if (!Grid || Grid->GetWidget() != Widget || !Grid->GetAccessibleTree()) return nullptr;
    return new TZkGridAccessible(Widget, Grid);
}

}  // namespace

// ---- the grid ----

TZkGridAccessible::TZkGridAccessible(QWidget* Widget, TZkCustomItemListEditor* Grid)
    : QAccessibleWidget(Widget, QAccessible::Tree) {
    Grid->FAccessibleBuilt = true;
}

TZkGridAccessible::~TZkGridAccessible() {
    for (const auto& [Key, Id] : FChildren) QAccessible::deleteAccessibleInterface(Id);
}

TZkCustomItemListEditor* TZkGridAccessible::Grid() const {
    QWidget* W = widget();
    auto* G = W ? DynamicCast<TZkCustomItemListEditor>(FindControl(W)) : nullptr;
    return G && G->GetWidget() == W ? G : nullptr;
}

bool TZkGridAccessible::HasTitleRow() const {
    TZkCustomItemListEditor* G = Grid();
    return G && G->GetLogical(lwFixedLines) > 0;
}

QAccessibleInterface* TZkGridAccessible::Child(int Line, int Column) const {
    const auto Key = std::make_pair(Line, Column);
    if (auto It = FChildren.find(Key); It != FChildren.end())
        if (QAccessibleInterface* Known = QAccessible::accessibleInterface(It->second))
            return Known;
    auto* Part = new TZkGridPartAccessible(widget(), Line, Column);
    if (!Part->isValid()) {
        delete Part;
        return nullptr;
    }
    FChildren[Key] = QAccessible::registerAccessibleInterface(Part);
    return Part;
}

void TZkGridAccessible::Reset() {
    QAccessibleTableModelChangeEvent Event(this, QAccessibleTableModelChangeEvent::ModelReset);
    TZkGridAccessibility::Send(&Event);
}

void* TZkGridAccessible::interface_cast(QAccessible::InterfaceType Type) {
    if (Type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(Type);
}

int TZkGridAccessible::childCount() const {
    return (HasTitleRow() ? 1 : 0) + rowCount();
}

QAccessibleInterface* TZkGridAccessible::child(int Index) const {
    const int Title = HasTitleRow() ? 1 : 0;
    if (Index < 0 || Index >= childCount()) return nullptr;
    return Child(Index - Title, -1);
}

int TZkGridAccessible::indexOfChild(const QAccessibleInterface* Part) const {
    for (const auto& [Key, Id] : FChildren)
        if (Key.second < 0 && QAccessible::accessibleInterface(Id) == Part)
            return Key.first + (HasTitleRow() ? 1 : 0);
    return -1;
}

QAccessibleInterface* TZkGridAccessible::childAt(int X, int Y) const {
    TZkCustomItemListEditor* G = Grid();
    if (!G) return nullptr;
    const TPoint Client = G->ScreenToClient(TPoint{X, Y});
    int ACol = -1, ARow = -1;
    G->MouseToCell(Client.X, Client.Y, ACol, ARow);
    if (ACol < 0 || ARow < 0) return nullptr;
    const int Line = G->LogicalLineOf(ACol, ARow) - G->GetLogical(lwFixedLines);
    return Child(Line < 0 ? -1 : Line, -1);
}

// The current cell, while the grid or its editor has the focus.
QAccessibleInterface* TZkGridAccessible::focusChild() const {
    TZkCustomItemListEditor* G = Grid();
    if (!G || !G->HasFocus()) return nullptr;
    const int Line = G->GetLogical(lwLine) - G->GetLogical(lwFixedLines);
    return Line >= 0 ? Child(Line, G->GetLogical(lwColumn)) : nullptr;
}

QAccessible::State TZkGridAccessible::state() const {
    QAccessible::State S = QAccessibleWidget::state();
    S.multiSelectable = false;
    return S;
}

QAccessibleInterface* TZkGridAccessible::cellAt(int Row, int Column) const {
    return Row >= 0 && Row < rowCount() && Column >= 0 && Column < columnCount()
               ? Child(Row, Column)
               : nullptr;
}

int TZkGridAccessible::selectedCellCount() const {
    return selectedCells().size();
}

QList<QAccessibleInterface*> TZkGridAccessible::selectedCells() const {
    TZkCustomItemListEditor* G = Grid();
    if (!G) return {};
    const int Line = G->GetLogical(lwLine) - G->GetLogical(lwFixedLines);
    QAccessibleInterface* Cell = cellAt(Line, G->GetLogical(lwColumn));
    return Cell ? QList<QAccessibleInterface*>{Cell} : QList<QAccessibleInterface*>{};
}

QString TZkGridAccessible::columnDescription(int Column) const {
    TZkCustomItemListEditor* G = Grid();
    if (!G || !HasTitleRow() || Column < 0 || Column >= columnCount()) return QString();
    const TGridCoord Cell = G->CellOf(Column, 0);
    return Q(G->GetCellText(Cell.X, Cell.Y));
}

QString TZkGridAccessible::rowDescription(int Row) const {
    TZkCustomItemListEditor* G = Grid();
    if (!G || Row < 0 || Row >= rowCount()) return QString();
    return Q(G->GetShownItems()[Row]->GetFullName());
}

int TZkGridAccessible::selectedRowCount() const {
    return selectedRows().size();
}

QList<int> TZkGridAccessible::selectedRows() const {
    TZkCustomItemListEditor* G = Grid();
    if (!G) return {};
    const int Line = G->GetLogical(lwLine) - G->GetLogical(lwFixedLines);
    return Line >= 0 && Line < rowCount() ? QList<int>{Line} : QList<int>{};
}

int TZkGridAccessible::columnCount() const {
    TZkCustomItemListEditor* G = Grid();
    return G ? G->GetLogical(lwColCount) : 0;
}

int TZkGridAccessible::rowCount() const {
    TZkCustomItemListEditor* G = Grid();
    return G ? G->GetShownItems().GetCount() : 0;
}

bool TZkGridAccessible::isRowSelected(int Row) const {
    return selectedRows().contains(Row);
}

bool TZkGridAccessible::selectRow(int Row) {
    TZkCustomItemListEditor* G = Grid();
    if (!G || Row < 0 || Row >= rowCount()) return false;
    G->SelectItem(G->GetShownItems()[Row]);
    return true;
}

// ---- the option ----

void TZkCustomItemListEditor::SetAccessibleTree(bool Value) {
    if (Value == FAccessibleTree) return;
    FAccessibleTree = Value;
    if (Value) TZkGridAccessibility::InstallFactory();
    // Qt keeps the interface it made for the widget: it goes, so the next
    // question gets the one that fits the option.
    if (QWidget* W = GetWidget())
        if (QAccessibleInterface* Known = QAccessible::queryAccessibleInterface(W))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(Known));
    FAccessibleBuilt = false;
}

// ---- events ----

TZkGridAccessibility::TSink TZkGridAccessibility::FSink = nullptr;

void TZkGridAccessibility::SetSink(TSink Sink) {
    FSink = Sink;
}

void TZkGridAccessibility::Send(QAccessibleEvent* Event) {
    if (FSink)
        FSink(Event);
    else
        QAccessible::updateAccessibility(Event);
}

void TZkGridAccessibility::InstallFactory() {
    static const bool Installed = [] {
        QAccessible::installFactory(&GridFactory);
        return true;
    }();
    (void)Installed;
}

// Events go out while someone listens and asked for the grid's interface;
// otherwise nobody could hear them, and making cell interfaces is wasted.
TZkGridAccessible* TZkGridAccessibility::Of(TZkCustomItemListEditor* Grid) {
    if ((!FSink && !QAccessible::isActive()) || !Grid || !Grid->GetAccessibleTree() ||
        !Grid->FAccessibleBuilt || !Grid->GetWidget())
        return nullptr;
    return dynamic_cast<TZkGridAccessible*>(
        QAccessible::queryAccessibleInterface(Grid->GetWidget()));
}

// After the move: the grid asks before it moves the current cell, so the
// event waits for the loop.
void TZkGridAccessibility::CurrentCellMoved(TZkCustomItemListEditor* Grid) {
    if (!Of(Grid)) return;
    QPointer<QWidget> Widget = Grid->GetWidget();
    QMetaObject::invokeMethod(
        Widget.data(),
        [Widget] {
            if (!Widget) return;
            auto* G = DynamicCast<TZkCustomItemListEditor>(FindControl(Widget.data()));
            TZkGridAccessible* Table = G && G->GetWidget() == Widget ? Of(G) : nullptr;
            if (!Table) return;
            const int Line = G->GetLogical(lwLine) - G->GetLogical(lwFixedLines);
            if (QAccessibleInterface* Cell = Table->cellAt(Line, G->GetLogical(lwColumn))) {
                QAccessibleEvent Event(Cell, QAccessible::Focus);
                Send(&Event);
            }
        },
        Qt::QueuedConnection);
}

void TZkGridAccessibility::ValuesChanged(TZkCustomItemListEditor* Grid, TZkItemProp* Item) {
    TZkGridAccessible* Table = Of(Grid);
    if (!Table || !Item) return;
    const int Line = Grid->GetShownItems().IndexOf(Item);
    if (Line < 0) return;
    for (int Column = 1; Column < Table->columnCount(); ++Column) {
        QAccessibleInterface* Cell = Table->cellAt(Line, Column);
        if (!Cell) continue;
        QAccessibleValueChangeEvent Event(Cell, Cell->text(QAccessible::Value));
        Send(&Event);
    }
}

void TZkGridAccessibility::LinesChanged(TZkCustomItemListEditor* Grid) {
    if (TZkGridAccessible* Table = Of(Grid)) Table->Reset();
}

}  // namespace zk
