// The item-list grid as Qt's accessibility layer sees it with AccessibleTree on: a tree table
// whose children are rows (one per line, the title line first) and whose rows hold the cells.
#pragma once
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <utility>

#include "itemlist/ZkItemListEditor.h"

namespace zk {

// Child interfaces are keyed by (item line, logical column): line -1 is the
// title line, column -1 the row itself. They read the grid live, so a key
// stays meaningful while the lines shift; the grid drops them all when its
// layout changes, as a reset of the table.
class TZkGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    TZkGridAccessible(QWidget* Widget, TZkCustomItemListEditor* Grid);
    ~TZkGridAccessible() override;

    // Null once the grid's widget has gone or left the grid.
    TZkCustomItemListEditor* Grid() const;
    // The row (Column -1) or cell interface of a line, made on first request;
    // null outside the grid.
    QAccessibleInterface* Child(int Line, int Column) const;
    // Tells the listeners that the lines changed; the row and cell
    // interfaces stay, as they read the grid live.
    void Reset();
    bool HasTitleRow() const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType Type) override;
    int childCount() const override;
    QAccessibleInterface* child(int Index) const override;
    int indexOfChild(const QAccessibleInterface* Child) const override;
    QAccessibleInterface* childAt(int X, int Y) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessible::State state() const override;

    // QAccessibleTableInterface: rows are item lines, columns logical columns.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int Row, int Column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int Column) const override;
    QString rowDescription(int Row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int Row) const override;
    bool selectRow(int Row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> FChildren;
};

// Sends the accessibility events of the grid: focus on the current cell, a
// value change of an item's cells, a reset after the lines changed.
class TZkGridAccessibility {
public:
    using TSink = void (*)(QAccessibleEvent* Event);
    static void InstallFactory();
    // Where the events go: Qt's accessibility layer, which passes them on
    // only while a platform bridge is active; a sink (a test) takes them
    // instead, active or not. Null restores Qt's.
    static void SetSink(TSink Sink);
    // The grid's interface when one was made and the option is on; null otherwise.
    static TZkGridAccessible* Of(TZkCustomItemListEditor* Grid);
    static void CurrentCellMoved(TZkCustomItemListEditor* Grid);
    static void ValuesChanged(TZkCustomItemListEditor* Grid, TZkItemProp* Item);
    static void LinesChanged(TZkCustomItemListEditor* Grid);
    static void Send(QAccessibleEvent* Event);

private:
    static TSink FSink;
};

}  // namespace zk
