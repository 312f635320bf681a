// Timings of one repaint of a grid's visible area: a 100,000-row grid against a 100-row grid of the
// same size.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QtGlobal>
#include <string>

#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Grids.h"

namespace {

using namespace zk;

// A shown form with a 400 x 300 draw grid of RowCount rows whose cells draw a short text.
class TBenchGrid {
public:
    explicit TBenchGrid(int RowCount) : FForm(Create<TForm>(nullptr)) {
        FForm->SetBounds(0, 0, 460, 360);
        FGrid = Create<TDrawGrid>(FForm.get());
        FGrid->SetParent(FForm.get());
        FGrid->SetBounds(10, 10, 400, 300);
        FGrid->SetColCount(8);
        FGrid->SetRowCount(RowCount);
        FGrid->SetOnDrawCell(TDrawCellEvent([this](TObject*, int C, int R, TRect Rc,
                                                   TGridDrawState) {
            ++FCellsDrawn;
            FGrid->GetCanvas()->TextRect(Rc, Rc.Left + 2, Rc.Top + 2, std::to_string(R * 10 + C));
        }));
        FForm->Show();
        Application->ProcessMessages();
    }
    TDrawGrid* Grid() const { return FGrid; }
    // One full repaint of the grid into an image, as a paint event would run it.
    void Paint() {
        QPainter P(&FImage);
        FGrid->GetWidget()->render(&P);
    }
    long CellsDrawn() const { return FCellsDrawn; }

private:
    TOwned<TForm> FForm;
    TDrawGrid* FGrid = nullptr;  // owned by the form
    QImage FImage{400, 300, QImage::Format_ARGB32_Premultiplied};
    long FCellsDrawn = 0;
};

void BM_PaintVisibleArea(benchmark::State& State) {
    TBenchGrid Bench(static_cast<int>(State.range(0)));
    Bench.Paint();
    const long PerPaint = Bench.CellsDrawn();
    for (auto _ : State) Bench.Paint();
    State.counters["CellsPerPaint"] = static_cast<double>(PerPaint);
}
BENCHMARK(BM_PaintVisibleArea)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Scrolled to the middle: the work still depends on the view, not on the rows above it.
void BM_PaintScrolledToTheMiddle(benchmark::State& State) {
    TBenchGrid Bench(static_cast<int>(State.range(0)));
    Bench.Grid()->SetTopRow(static_cast<int>(State.range(0)) / 2);
    for (auto _ : State) Bench.Paint();
}
BENCHMARK(BM_PaintScrolledToTheMiddle)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Paging down and painting, as a user holding Page Down sees it.
void BM_ScrollAndPaint(benchmark::State& State) {
    TBenchGrid Bench(static_cast<int>(State.range(0)));
    int Top = 1;
    for (auto _ : State) {
        Top = Top + 10 < Bench.Grid()->GetRowCount() - 20 ? Top + 10 : 1;
        Bench.Grid()->SetTopRow(Top);
        Bench.Paint();
    }
}
BENCHMARK(BM_ScrollAndPaint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zk::InitApplication(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    zk::DoneApplication();
    return 0;
}
