// What the benchmark programs share: a clock in milliseconds, the best time of each figure for
// the summary, the Qt meta-object baseline, and the main that runs them headless.
#pragma once

#include <benchmark/benchmark.h>

#include <QMetaProperty>
#include <QObject>
#include <QTreeWidget>
#include <QtGlobal>
#include <chrono>
#include <map>
#include <string>

#include "platform/gui/Application.h"

namespace zk::bench {

using TClock = std::chrono::steady_clock;

inline double MsSince(TClock::time_point T0) {
    return std::chrono::duration<double, std::milli>(TClock::now() - T0).count();
}

// Figures by name: times keep their best, counts are set directly.
inline std::map<std::string, double>& Best() {
    static std::map<std::string, double> R;
    return R;
}
inline void Keep(const std::string& Key, double Ms) {
    auto It = Best().find(Key);
    if (It == Best().end() || Ms < It->second) Best()[Key] = Ms;
}
// -1 for a figure that was not measured (its benchmark was filtered out).
inline double Get(const std::string& Key) {
    auto It = Best().find(Key);
    return It == Best().end() ? -1 : It->second;
}

// The baseline of the inspector benchmarks: Wanted of Object's meta-object properties (cycled
// when it has fewer) read and put into a two-column tree, timed; Tree is emptied first.
inline double FillTreeFromMetaObject(QTreeWidget& Tree, const QObject& Object, int Wanted) {
    const QMetaObject* Meta = Object.metaObject();
    const auto T0 = TClock::now();
    Tree.clear();
    QList<QTreeWidgetItem*> Items;
    for (int Done = 0; Done < Wanted;)
        for (int I = 0; I < Meta->propertyCount() && Done < Wanted; ++I, ++Done) {
            const QMetaProperty P = Meta->property(I);
            Items.append(new QTreeWidgetItem(
                QStringList{QString::fromLatin1(P.name()), P.read(&Object).toString()}));
        }
    Tree.addTopLevelItems(Items);
    return MsSince(T0);
}

// The main of a benchmark program: an offscreen application, the classes Register registers,
// every benchmark, then the Summary of the figures.
template <class TRegister, class TSummary>
int RunBenchmarks(int argc, char** argv, TRegister Register, TSummary Summary) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    InitApplication(argc, argv);
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Summary();
    DoneApplication();
    return 0;
}

}  // namespace zk::bench
