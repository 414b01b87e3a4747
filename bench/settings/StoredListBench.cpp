// The stored lists over the real settings files: a whole rewrite and a whole read of 10,000 items,
// and a preference written beside two lists of 100,000.
#include "settings/IniSettingsStore.h"
#include "settings/StoredList.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

constexpr int kItems = 10000;
constexpr int kBigList = 100000;

QStringList items(const QString& version, int count = kItems) {
    QStringList list;
    for (int i = 1; i <= count; ++i) {
        list.append(
            QStringLiteral("/home/user/Pictures/Holidays %1/IMG_%2.jpg").arg(version).arg(i));
    }
    return list;
}

void RewriteTenThousand(benchmark::State& state) {
    QTemporaryDir dir;
    luma::IniSettingsStore store(dir.filePath(QStringLiteral("Lumafolio 1.1.ini")));
    luma::StoredList list(store, QStringLiteral("pictures"));
    const QStringList a = items(QStringLiteral("a"));
    const QStringList b = items(QStringLiteral("b"));
    list.rewrite(a);
    bool flip = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.rewrite(flip ? a : b));
        flip = !flip;
    }
}
BENCHMARK(RewriteTenThousand)->Unit(benchmark::kMillisecond)->UseRealTime();

void ReadTenThousand(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lumafolio 1.1.ini"));
    {
        luma::IniSettingsStore writer(path);
        luma::StoredList(writer, QStringLiteral("pictures")).rewrite(items(QStringLiteral("a")));
    }
    for (auto _ : state) {
        // A reader as the panel and the player are: a store opened on the file, then the whole
        // list.
        luma::IniSettingsStore store(path);
        const QStringList read = luma::StoredList(store, QStringLiteral("pictures")).readAll();
        if (read.size() != kItems) {
            state.SkipWithError("the list did not read back whole");
        }
    }
}
BENCHMARK(ReadTenThousand)->Unit(benchmark::kMillisecond)->UseRealTime();

void WritePreferenceBesideBigLists(benchmark::State& state) {
    QTemporaryDir dir;
    luma::IniSettingsStore store(dir.filePath(QStringLiteral("Lumafolio 1.1.ini")));
    luma::StoredList(store, QStringLiteral("pictures")).rewrite(items("p", kBigList));
    luma::StoredList(store, QStringLiteral("music")).rewrite(items("m", kBigList));
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.write(QStringLiteral("Settings"), QStringLiteral("AniFile"),
                                             QString::number(++n)));
    }
}
BENCHMARK(WritePreferenceBesideBigLists)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
