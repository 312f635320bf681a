// Timings of the Qt bridge: the scan and rows of a QPushButton inspected through its adapter,
// beside the baseline of the same button's meta-object properties put into a QTreeWidget.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMetaProperty>
#include <QPushButton>
#include <QTreeWidget>
#include <QtGlobal>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

#include "bench/BenchUtil.h"
#include "inspector/ZkObjectInspector.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "qtbridge/ZkQtBridgeRegistration.h"
#include "qtbridge/ZkQtObject.h"

namespace {

using namespace zk;
using namespace zk::bench;

// A QPushButton inspected through the bridge: every rescan reads all its
// properties through the meta-object and builds its rows, nested ones included.
void BM_ScanQtButton(benchmark::State& State) {
    TOwned<TForm> Form(Create<TForm>(nullptr));
    Form->SetBounds(0, 0, 420, 660);
    auto* Inspector = Create<TZkObjectInspector>(Form.get());
    Inspector->SetParent(Form.get());
    Inspector->SetBounds(4, 4, 400, 640);
    Form->Show();
    QPushButton Button(QStringLiteral("Button1"));
    Button.setObjectName(QStringLiteral("Button1"));
    Inspector->SetInspectedComponent(TZkQtObject::Of(&Button, Form.get()));
    Application->ProcessMessages();
    for (auto _ : State) {
        const auto T0 = TClock::now();
        Inspector->Rescan();
        const double Ms = MsSince(T0);
        State.SetIterationTime(Ms / 1000);
        Keep("bridge", Ms);
    }
    State.counters["rows"] = Inspector->GetAllItems().GetCount();
    Best()["bridge.rows"] = Inspector->GetAllItems().GetCount();
}
BENCHMARK(BM_ScanQtButton)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The inspector benchmark's baseline on the same number of rows: the button's
// meta-object properties read and put into a two-column tree.
void BM_QtButtonProperties(benchmark::State& State) {
    QPushButton Button(QStringLiteral("Button1"));
    QTreeWidget Tree;
    Tree.setColumnCount(2);
    Tree.resize(400, 640);
    Tree.show();
    const int Wanted = static_cast<int>(Get("bridge.rows"));
    for (auto _ : State) {
        const double Ms = FillTreeFromMetaObject(Tree, Button, Wanted);
        State.SetIterationTime(Ms / 1000);
        Keep("qt", Ms);
    }
}
BENCHMARK(BM_QtButtonProperties)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

void PrintSummary() {
    const double Bridge = Get("bridge"), Qt = Get("qt");
    const double Ratio = Qt > 0 ? Bridge / Qt : -1;
    std::printf(
        "\nscan of one QPushButton through the bridge: %.3f ms for %.0f rows; "
        "QMetaObject into QTreeWidget: %.3f ms; ratio %.2f\n",
        Bridge, Get("bridge.rows"), Qt, Ratio);
    std::printf("%-6s %-58s %10.2f x (limit 1.50)\n",
                Ratio < 0      ? "n/a"
                : Ratio <= 1.5 ? "PASS"
                               : "FAIL",
                "QPushButton through the bridge, as a multiple of the baseline", Ratio);
}

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, zk::RegisterQtBridgeClasses, PrintSummary);
}
