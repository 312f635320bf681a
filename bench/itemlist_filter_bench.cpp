// One keystroke of the item-list grid's search over 100,000 items, beside the time a
// QSortFilterProxyModel takes to filter (and to be filled over) the same rows in the same run.
#include <benchmark/benchmark.h>

#include <QList>
#include <QSortFilterProxyModel>
#include <QStandardItem>
#include <QStandardItemModel>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/BenchUtil.h"
#include "itemlist/ZkItemListEditor.h"
#include "itemlist/ZkItemListRegistration.h"
#include "itemlist/ZkItemProp.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"

namespace {

using namespace zk;
using namespace zk::bench;

constexpr int ChildrenPerTop = 100;
// One keystroke apart, typed and taken back, so every iteration changes the text.
const char* const Texts[] = {"value1", "value12"};

// A shown form with a grid holding N items: N / 100 parents of 100 children each.
class TFilterBench {
public:
    explicit TFilterBench(int N, bool Collapsed) : FForm(Create<TForm>(nullptr)) {
        FForm->SetBounds(0, 0, 346, 340);
        FGrid = Create<TZkItemListEditor>(FForm.get());
        FGrid->SetParent(FForm.get());
        FGrid->SetFilterCollapsed(Collapsed);
        TZkItemProps* Top = FGrid->GetItems();
        Top->BeginUpdate();
        for (int P = 0; P < N / ChildrenPerTop; ++P) {
            TZkItemProp* Parent = Top->AddItem();
            Parent->SetName("Group" + std::to_string(P));
            TZkItemProps* Items = Parent->GetItems();
            for (int C = 0; C < ChildrenPerTop; ++C) {
                TZkItemProp* Child = Items->AddItem();
                Child->SetName("Item" + std::to_string(P * ChildrenPerTop + C));
                Child->GetValues()->SetTextStr("Value" + std::to_string(C * 7 + P));
            }
            if (!Collapsed) Parent->SetExpanded(true);
        }
        Top->EndUpdate();
        FForm->Show();
        Application->ProcessMessages();
    }
    TZkItemListEditor* Grid() const { return FGrid; }

private:
    TOwned<TForm> FForm;
    TZkItemListEditor* FGrid = nullptr;  // owned by the form
};

void BM_GridFilterKeystroke(benchmark::State& State, bool Collapsed) {
    const int N = static_cast<int>(State.range(0));
    TFilterBench Bench(N, Collapsed);
    int Turn = 0;
    Bench.Grid()->SetFilterText(Texts[0]);
    Application->ProcessMessages();
    for (auto _ : State) {
        const auto T0 = TClock::now();
        Bench.Grid()->SetFilterText(Texts[++Turn % 2]);
        Application->ProcessMessages();  // the layout and paint it caused
        const double Ms = MsSince(T0);
        State.SetIterationTime(Ms / 1000.0);
        Keep(std::string("grid") + (Collapsed ? ".collapsed" : ".expanded"), Ms);
    }
    State.counters["shown"] = Bench.Grid()->GetShownItems().GetCount();
}
BENCHMARK_CAPTURE(BM_GridFilterKeystroke, search_collapsed, true)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_GridFilterKeystroke, search_expanded, false)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// The same rows as a two-column item model.
std::unique_ptr<QStandardItemModel> SourceModel(int N) {
    auto Model = std::make_unique<QStandardItemModel>(0, 2);
    for (int P = 0; P < N / ChildrenPerTop; ++P) {
        auto* Parent = new QStandardItem(QStringLiteral("Group%1").arg(P));
        for (int C = 0; C < ChildrenPerTop; ++C)
            Parent->appendRow(
                {new QStandardItem(QStringLiteral("Item%1").arg(P * ChildrenPerTop + C)),
                 new QStandardItem(QStringLiteral("Value%1").arg(C * 7 + P))});
        Model->appendRow({Parent, new QStandardItem()});
    }
    return Model;
}

void SetUpProxy(QSortFilterProxyModel& Proxy) {
    Proxy.setRecursiveFilteringEnabled(true);
    Proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    Proxy.setFilterKeyColumn(-1);
}

void BM_ProxyFilterKeystroke(benchmark::State& State) {
    auto Model = SourceModel(static_cast<int>(State.range(0)));
    QSortFilterProxyModel Proxy;
    SetUpProxy(Proxy);
    Proxy.setSourceModel(Model.get());
    Proxy.setFilterFixedString(QString::fromUtf8(Texts[0]));
    int Turn = 0;
    for (auto _ : State) {
        const auto T0 = TClock::now();
        Proxy.setFilterFixedString(QString::fromUtf8(Texts[++Turn % 2]));
        const double Ms = MsSince(T0);
        State.SetIterationTime(Ms / 1000.0);
        Keep("proxy.keystroke", Ms);
    }
    State.counters["top_rows"] = Proxy.rowCount();
}
BENCHMARK(BM_ProxyFilterKeystroke)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// A fresh proxy with the text set, filled over the rows.
void BM_ProxyFill(benchmark::State& State) {
    auto Model = SourceModel(static_cast<int>(State.range(0)));
    for (auto _ : State) {
        QSortFilterProxyModel Proxy;
        SetUpProxy(Proxy);
        Proxy.setFilterFixedString(QString::fromUtf8(Texts[1]));
        const auto T0 = TClock::now();
        Proxy.setSourceModel(Model.get());
        const int Rows = Proxy.rowCount();
        const double Ms = MsSince(T0);
        benchmark::DoNotOptimize(Rows);
        State.SetIterationTime(Ms / 1000.0);
        Keep("proxy.fill", Ms);
    }
}
BENCHMARK(BM_ProxyFill)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void PrintSummary() {
    const double Fill = Get("proxy.fill");
    const double Key = Get("proxy.keystroke");
    std::printf("\nOne keystroke over 100,000 items (best of the runs, ms; budget 30 ms)\n");
    std::printf("  %-34s %9s %12s %12s\n", "", "ms", "/ proxy key", "/ proxy fill");
    for (const char* Case : {"grid.collapsed", "grid.expanded"}) {
        const double Ms = Get(Case);
        std::printf("  %-34s %9.2f %12.2f %12.2f\n", Case, Ms, Key > 0 ? Ms / Key : 0,
                    Fill > 0 ? Ms / Fill : 0);
    }
    std::printf("  %-34s %9.2f\n", "QSortFilterProxyModel keystroke", Key);
    std::printf("  %-34s %9.2f\n", "QSortFilterProxyModel fill", Fill);
}

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, zk::RegisterItemListClasses, PrintSummary);
}
