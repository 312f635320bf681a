// Timings of the inspector: the scan of one button beside Qt's own meta-object properties in a
// QTreeWidget, many objects inspected together, and a long string list shown in place with a
// commit and the refresh after it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMetaProperty>
#include <QPushButton>
#include <QTreeWidget>
#include <QtGlobal>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"
#include "inspector/ZkInspectorRegistration.h"
#include "inspector/ZkObjectInspector.h"
#include "platform/core/ClassBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

namespace {

using namespace zk;
using namespace zk::bench;
// This thread's processor time in ms: steadier than the clock on a machine shared with compilers.
double CpuMs() {
    timespec T{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
    return static_cast<double>(T.tv_sec) * 1e3 + static_cast<double>(T.tv_nsec) * 1e-6;
}

// A component with a string list of its own.
class TListHolder : public TComponent {
    ZK_CLASS(TListHolder, TComponent)
public:
    explicit TListHolder(TComponent* AOwner) : TComponent(AOwner), FLines(Create<TStringList>()) {}
    TStringList* GetLines() const { return FLines.get(); }
    void SetLines(TStringList* V) { FLines->Assign(V); }

private:
    TOwned<TStringList> FLines;
};
ZK_IMPLEMENT_CLASS(TListHolder)
void TListHolder::DescribeClass(TClassBuilder<TListHolder>& C) {
    C.Prop("Lines", &TListHolder::GetLines, &TListHolder::SetLines);
}

// A shown form with an inspector.
struct TInspectorBench {
    TOwned<TForm> Form{Create<TForm>(nullptr)};
    TZkObjectInspector* Inspector = nullptr;
    TInspectorBench() {
        Form->SetBounds(0, 0, 420, 660);
        Inspector = Create<TZkObjectInspector>(Form.get());
        Inspector->SetParent(Form.get());
        Inspector->SetBounds(4, 4, 400, 640);
        Form->Show();
        Application->ProcessMessages();
    }
    int Rows() const { return Inspector->GetAllItems().GetCount(); }
};

// ---- one button ----

void BM_ScanButton(benchmark::State& State) {
    TInspectorBench B;
    auto* Button = Create<TButton>(B.Form.get());
    Button->SetParent(B.Form.get());
    Button->SetName("Button1");
    B.Inspector->SetInspectedComponent(Button);
    Application->ProcessMessages();
    for (auto _ : State) {
        const auto T0 = TClock::now();
        B.Inspector->Rescan();
        const double Ms = MsSince(T0);
        State.SetIterationTime(Ms / 1000);
        Keep("button", Ms);
    }
    State.counters["rows"] = B.Rows();
    Best()["button.rows"] = B.Rows();
}
BENCHMARK(BM_ScanButton)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The baseline: the same number of a push button's meta-object properties read and put into
// a two-column tree.
void BM_QtButtonProperties(benchmark::State& State) {
    QPushButton Button("Button1");
    QTreeWidget Tree;
    Tree.setColumnCount(2);
    Tree.resize(400, 640);
    Tree.show();
    const int Wanted = static_cast<int>(Get("button.rows"));
    for (auto _ : State) {
        const double Ms = FillTreeFromMetaObject(Tree, Button, Wanted);
        State.SetIterationTime(Ms / 1000);
        Keep("qt.button", Ms);
    }
}
BENCHMARK(BM_QtButtonProperties)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

// ---- many objects ----

void BM_ScanManyButtons(benchmark::State& State) {
    const int N = static_cast<int>(State.range(0));
    TInspectorBench B;
    std::vector<TObject*> Buttons;
    for (int I = 0; I < N; ++I) {
        auto* Button = Create<TButton>(B.Form.get());
        Button->SetCaption(I % 2 ? "odd" : "even");
        Buttons.push_back(Button);
    }
    B.Inspector->GetObjects()->AddInstances(Buttons);
    Application->ProcessMessages();
    for (auto _ : State) {
        const auto T0 = TClock::now();
        const double Cpu0 = CpuMs();
        B.Inspector->Rescan();
        const double Ms = MsSince(T0);
        State.SetIterationTime(Ms / 1000);
        Keep("many/" + std::to_string(N), Ms);
        Keep("many.cpu/" + std::to_string(N), CpuMs() - Cpu0);
    }
    State.counters["rows"] = B.Rows();
}
BENCHMARK(BM_ScanManyButtons)->Arg(1000)->Arg(10000)->Iterations(5)->UseManualTime()->Unit(
    benchmark::kMillisecond);

// ---- a long string list ----

void BM_StringLines(benchmark::State& State) {
    TInspectorBench B;
    auto* Holder = Create<TListHolder>(B.Form.get());
    TStringList* Lines = Holder->GetLines();
    {
        TStrings::TUpdateGuard Guard(*Lines);
        for (int I = 0; I < 10000; ++I) Lines->Add("line " + std::to_string(I));
    }
    B.Inspector->SetInplaceTStrings(true);
    B.Inspector->SetInspectedComponent(Holder);
    Application->ProcessMessages();
    for (auto _ : State) {
        auto T0 = TClock::now();
        B.Inspector->Rescan();
        Keep("lines.scan", MsSince(T0));
        // One committed line, then the refresh of every row that the commit posts.
        TZkItemProperty* Row = B.Inspector->GetItems()->FindPath("Lines.Items[5000]");
        if (!Row) {
            State.SkipWithError("no line row");
            return;
        }
        Row->GetValues()->SetTextStr("changed");
        T0 = TClock::now();
        B.Inspector->WriteRowToObjects(Row);
        B.Inspector->RefreshValues(B.Inspector->GetItems());
        Keep("lines.commit", MsSince(T0));
        State.SetIterationTime(0.001);
        // The write posted a rescan; it is not part of the commit.
        Application->ProcessMessages();
    }
    State.counters["rows"] = B.Rows();
}
BENCHMARK(BM_StringLines)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void Check(const char* What, double Value, double Limit, const char* Unit) {
    std::printf("%-6s %-58s %10.3f %s (limit %.3f)\n", Value < 0 ? "n/a" : Value <= Limit ? "PASS" : "FAIL",
                What, Value, Unit, Limit);
}

void PrintSummary() {
    const double Button = Get("button"), Qt = Get("qt.button");
    std::printf("\nscan of one TButton: %.3f ms for %.0f rows; QMetaObject into QTreeWidget: %.3f ms; ratio %.2f\n",
                Button, Get("button.rows"), Qt, Qt > 0 ? Button / Qt : -1);
    Check("scan of one TButton", Button, 0.3, "ms");
    Check("1,000 buttons inspected together", Get("many/1000"), 25, "ms");
    const double Scale = Get("many/1000") > 0 ? Get("many/10000") / Get("many/1000") : -1;
    const double CpuScale =
        Get("many.cpu/1000") > 0 ? Get("many.cpu/10000") / Get("many.cpu/1000") : -1;
    Check("10,000 buttons, as a multiple of 1,000 (wall)", Scale, 12, "x");
    Check("10,000 buttons, as a multiple of 1,000 (processor time)", CpuScale, 12, "x");
    Check("string list of 10,000 lines: scan", Get("lines.scan"), 20, "ms");
    Check("string list of 10,000 lines: one commit and the refresh", Get("lines.commit"), 10, "ms");
}

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(
        argc, argv,
        [] {
            zk::RegisterInspectorClasses();
            zk::RegisterClass(TListHolder::StaticClass());
        },
        PrintSummary);
}
