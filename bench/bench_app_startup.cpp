// Start-up of the program to its shown main window, with the built-in database (no database file yet):
// application object, settings, templates, main window with menus, tool bar and status bar, the built-in
// element table and substances, the new empty reaction and its frame. Settings and data live in a
// temporary home; a message box, should one come, is answered at once.

#include "app/main_frame.h"
#include "app/qelt_app.h"
#include "bench_keys.h"
#include "platform/ui/message_box.h"
#include "platform/ui/settings.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void StartToShownMainWindow(benchmark::State& state) {
    ui::SetMessageBoxHook([](const QString&, unsigned) { return 1; });
    // A program that has run before: no first-run page, no tip of the day.
    ui::WriteProfileInt("Settings", "ShowTipOfTheDay", 0);
    for (auto _ : state) {
        auto app = std::make_unique<CQELTApp>(QStringList{"qelt"});
        const bool started = app->InitInstance();
        const bool shown = started && app->GetMainFrame()->isVisible();
        benchmark::DoNotOptimize(shown);
        state.PauseTiming();
        if (!shown)
            state.SkipWithError("the program did not start");
        app->ExitInstance();
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
        if (!shown)
            break;
    }
    ui::SetMessageBoxHook({});
}
// The first start of the process pays for loading the resources, fonts and styles once; it runs first.
BENCHMARK(StartToShownMainWindow)->Name("FirstStartInProcess")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(StartToShownMainWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

// A start whose stored window layout is damaged: one tool-bar count in the stored bars changed, which
// Qt would loop over for half a minute. Target: well under a second.
void StartWithDamagedLayout(benchmark::State& state) {
    ui::SetMessageBoxHook([](const QString&, unsigned) { return 1; });
    ui::WriteProfileInt("Settings", "ShowTipOfTheDay", 0);
    {
        auto app = std::make_unique<CQELTApp>(QStringList{"qelt"});
        if (!app->InitInstance()) {
            state.SkipWithError("the program did not start");
            return;
        }
        app->GetMainFrame()->SaveLayout();
        app->ExitInstance();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QByteArray bars = QByteArray::fromBase64(ui::GetProfileString("Workspace", "Bars").toLatin1());
    const qsizetype toolBarPart = bars.lastIndexOf(char(0xfc));
    if (toolBarPart < 0 || toolBarPart + 1 >= bars.size()) {
        state.SkipWithError("no tool bars in the stored layout");
        return;
    }
    bars[toolBarPart + 1] = char(0x7f);
    ui::WriteProfileString("Workspace", "Bars", QString::fromLatin1(bars.toBase64()));
    for (auto _ : state) {
        auto app = std::make_unique<CQELTApp>(QStringList{"qelt"});
        benchmark::DoNotOptimize(app->InitInstance());
        state.PauseTiming();
        app->ExitInstance();
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["target_ms"] = 1000;
    ui::SetMessageBoxHook({});
}
BENCHMARK(StartWithDamagedLayout)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return RunApplicationBenchmarks(argc, argv);
}
