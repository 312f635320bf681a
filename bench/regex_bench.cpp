// Timings of TYRegularExpression on edit-mask expressions and on a nested empty repetition.
#include <benchmark/benchmark.h>

#include <string>

#include "regex/YRegularExpression.h"

namespace {

using zk::TYRegularExpression;

const char* const DateExpression = "^[0-9][0-9]?/[0-9][0-9]?/[0-9][0-9][0-9][0-9]$";
const char* const IdentifierExpression = "^[A-Za-z_][A-Za-z0-9_]*$";

// A typed identifier of Length characters, wrapped in the LF and CR that stand for the anchors.
std::string Identifier(int Length) {
    std::string S = "\n_";
    for (int I = 1; I < Length; ++I)
        S += static_cast<char>(I % 3 == 0 ? '0' + I % 10 : 'a' + I % 26);
    return S + "\r";
}

void BM_FindDate(benchmark::State& State) {
    TYRegularExpression R(DateExpression);
    const std::string Text = "\n12/31/2024\r";
    int Length = 0;
    for (auto _ : State) benchmark::DoNotOptimize(R.Find(Text, Length));
    if (Length != 12) State.SkipWithError("date not matched");
}
BENCHMARK(BM_FindDate);

// A valid value matches at its first position.
void BM_FindIdentifier(benchmark::State& State) {
    TYRegularExpression R(IdentifierExpression);
    const std::string Text = Identifier(static_cast<int>(State.range(0)));
    int Length = 0;
    for (auto _ : State) benchmark::DoNotOptimize(R.Find(Text, Length));
    if (Length != static_cast<int>(Text.size())) State.SkipWithError("identifier not matched");
}
BENCHMARK(BM_FindIdentifier)->Arg(10)->Arg(50)->Arg(100);

// An invalid last character: the first position scans the whole value, every other fails at once.
void BM_FindIdentifierRejected(benchmark::State& State) {
    TYRegularExpression R(IdentifierExpression);
    std::string Text = Identifier(static_cast<int>(State.range(0)));
    Text[Text.size() - 2] = '-';
    int Length = 0;
    for (auto _ : State) benchmark::DoNotOptimize(R.Find(Text, Length));
    if (R.Find(Text) != 0) State.SkipWithError("invalid identifier matched");
}
BENCHMARK(BM_FindIdentifierRejected)->Arg(10)->Arg(50)->Arg(100);

// Cycles of empty transitions, tried from each of 1,000 positions without a match.
void BM_FindNestedStar(benchmark::State& State) {
    TYRegularExpression R("(a*)*b");
    const std::string Text(1000, 'a');
    int Length = 0;
    for (auto _ : State) benchmark::DoNotOptimize(R.Find(Text, Length));
    State.SetLabel("1000 a's, no match");
}
BENCHMARK(BM_FindNestedStar)->Unit(benchmark::kMillisecond);

void BM_CompileDate(benchmark::State& State) {
    TYRegularExpression R;
    for (auto _ : State) {
        R.SetExpression(DateExpression);
        R.SetExpression("");
    }
}
BENCHMARK(BM_CompileDate);

}  // namespace

BENCHMARK_MAIN();
