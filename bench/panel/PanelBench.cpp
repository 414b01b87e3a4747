// The control panel over the real settings files with 100,000 slides and 100,000 playlist entries:
// its load, a click on a slide, a preference box, "Remove", "Randomize List", "Add ALL CD Tracks to
// list" and a folder of 10,000 pictures added. Each step's time includes its write.
#include "panel/CdDriveButtons.h"
#include "panel/ControlPanel.h"
#include "panel/ListFiller.h"
#include "panel/PlaylistEditor.h"
#include "panel/PreferencesTab.h"
#include "panel/SlideListEditor.h"
#include "panel/SlidesTab.h"
#include "panel/SoundTab.h"
#include "platform/DriveList.h"
#include "platform/FileDialog.h"
#include "platform/MediaControl.h"
#include "platform/MessageBox.h"
#include "platform/Mp3Player.h"
#include "platform/Shell.h"
#include "platform/ShortcutService.h"
#include "platform/SingleInstance.h"
#include "runtime/ManualTimerService.h"
#include "runtime/Random.h"
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

constexpr int kEntries = 100000;
constexpr int kFolderPictures = 10000;
constexpr int kDiscTracks = 99;

// A machine with one CD drive holding a 99-track disc and no sound: every other command fails,
// as it does without a device.
class DiscOnlyMedia : public luma::MediaControl {
public:
    int send(const QString& command, QString* reply, int replyLength) override {
        QString answer;
        int result = 263;
        if (command == u"open cdaudio alias cd" || command.startsWith(u"close") ||
            command.startsWith(u"set cd") || command.startsWith(u"stop")) {
            result = 0;
        } else if (command == u"status cd number of tracks") {
            result = 0;
            answer = QString::number(kDiscTracks);
        } else if (command.startsWith(u"status cd length track ")) {
            result = 0;
            answer =
                QStringLiteral("00:04:%1").arg(command.mid(23).toInt() % 60, 2, 10, QChar(u'0'));
        }
        if (reply != nullptr && replyLength > 0) {
            *reply = answer.left(replyLength - 1) + QChar(u'\0');
        }
        return result;
    }
    void closeAll() override {}
};

class SilentPlayer : public luma::Mp3Player {
public:
    void setFileName(const QString& path) override { file_ = path; }
    QString fileName() const override { return file_; }
    void play() override {}
    void stop() override {}
    double position() const override { return 0; }

private:
    QString file_;
};

class OneDrive : public luma::DriveList {
public:
    QStringList cdDrives() const override { return {QStringLiteral("/dev/sr0")}; }
};

class Unused : public luma::Shell,
               public luma::ShortcutService,
               public luma::FileDialog,
               public luma::MessageBox,
               public luma::SingleInstance {
public:
    bool open(const QString&) override { return false; }
    bool create(const QString&, const QString&, const QString&, const QString&, std::int32_t,
                const QString&) override {
        return false;
    }
    bool remove(const QString&, const QString&) override { return false; }
    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> openFolder(QWidget*, const QString&) override { return folder; }
    int show(QWidget*, const QString&, const QString&, int) override { return kOk; }
    void inform(QWidget*, const QString&, const QString&) override {}
    bool acquire() override { return true; }
    void release() override {}
    bool holds() const override { return true; }

    QString folder;  // what "add folder…" gets
};

QStringList slides() {
    QStringList list;
    for (int i = 1; i <= kEntries; ++i) {
        list.append(
            QStringLiteral("/home/user/Pictures/Holidays %1/IMG_%2.jpg").arg(i / 100).arg(i));
    }
    return list;
}

QStringList playlist() {
    static const std::array<const char*, 4> kinds = {"mp3", "wav", "mid", "cd"};
    QStringList list;
    for (int i = 1; i <= kEntries; ++i) {
        const QString kind = QString::fromLatin1(kinds[static_cast<size_t>(i % 4)]);
        list.append(kind == u"cd" ? QStringLiteral("CD Track [%1 ] 00:04:%2 CD")
                                        .arg(i % 99 + 1, 2)
                                        .arg(i % 60, 2, 10, QChar(u'0'))
                                  : QStringLiteral("/home/user/Music/Album %1/Track %2.%3")
                                        .arg(i / 20)
                                        .arg(i)
                                        .arg(kind));
    }
    return list;
}

// A program over the settings file in `folder`, which holds the two lists and a user's settings.
std::unique_ptr<luma::Program> programOver(const QTemporaryDir& folder) {
    const QString path = folder.filePath(QStringLiteral("Lumafolio 1.1.ini"));
    {
        luma::IniSettingsStore seed(path);
        luma::StoredList(seed, luma::keys::kPictures).rewrite(slides());
        luma::StoredList(seed, luma::keys::kMusic).rewrite(playlist());
        seed.apply(luma::keys::kSettings, {{luma::keys::kSlides, QStringLiteral("1")},
                                           {luma::keys::kRandomOrder, QStringLiteral("1")},
                                           {luma::keys::kMusicNow, QStringLiteral("0")},
                                           {luma::keys::kMouseSens, QStringLiteral("15")},
                                           {luma::keys::kBackColors, QStringLiteral("8421504")}});
    }
    luma::PlatformServices s;
    s.store = std::make_unique<luma::IniSettingsStore>(path);
    s.timers = std::make_unique<luma::ManualTimerService>();
    s.random = std::make_unique<luma::Random>();
    s.media = std::make_unique<DiscOnlyMedia>();
    s.mp3 = std::make_unique<SilentPlayer>();
    s.drives = std::make_unique<OneDrive>();
    s.shell = std::make_unique<Unused>();
    s.shortcuts = std::make_unique<Unused>();
    s.fileDialog = std::make_unique<Unused>();
    static_cast<Unused&>(*s.fileDialog).folder = folder.filePath(QStringLiteral("photos"));
    s.messageBox = std::make_unique<Unused>();
    s.instance = std::make_unique<Unused>();
    return std::make_unique<luma::Program>(std::move(s));
}

void PanelLoad(benchmark::State& state) {
    QTemporaryDir folder;
    auto program = programOver(folder);
    for (auto _ : state) {
        luma::ControlPanel panel(*program);
        panel.load();
        if (panel.slides->slideListBox->count() != kEntries ||
            panel.sound->playlistBox->count() != kEntries ||
            panel.sound->trackListBox->count() != kDiscTracks) {
            state.SkipWithError("the panel did not load the whole lists");
        }
    }
}
BENCHMARK(PanelLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

// Runs `step` on a loaded panel again and again, the panel's list refilled between steps.
template <class Step>
void onLoadedPanel(benchmark::State& state, Step step) {
    QTemporaryDir folder;
    auto program = programOver(folder);
    luma::ControlPanel panel(*program);
    panel.load();
    for (auto _ : state) {
        step(panel);
    }
}

void ClickOnASlide(benchmark::State& state) {
    int row = 0;
    onLoadedPanel(state, [&row](luma::ControlPanel& panel) {
        // What a click does: the entry becomes the current one, and its path the single picture.
        row = (row + 7919) % kEntries;
        panel.slides->slideListBox->setCurrentRow(row);
        panel.slideEditor->chooseSlide(row);
    });
}
BENCHMARK(ClickOnASlide)->Unit(benchmark::kMillisecond)->UseRealTime();

void ClickOnAPreferenceBox(benchmark::State& state) {
    onLoadedPanel(state, [](luma::ControlPanel& panel) { panel.preferences->animateBox->click(); });
}
BENCHMARK(ClickOnAPreferenceBox)->Unit(benchmark::kMillisecond)->UseRealTime();

void RemoveASlide(benchmark::State& state) {
    onLoadedPanel(state, [&state](luma::ControlPanel& panel) {
        QListWidget* list = panel.slides->slideListBox;
        const int before = list->count();
        list->setCurrentRow(before / 2);
        panel.slideEditor->removeSlide();
        if (list->count() != before - 1) {
            state.SkipWithError("nothing was removed");
        }
    });
}
BENCHMARK(RemoveASlide)->Unit(benchmark::kMillisecond)->UseRealTime();

void RandomizeSlides(benchmark::State& state) {
    onLoadedPanel(state, [](luma::ControlPanel& panel) { panel.slideEditor->randomizeSlides(); });
}
BENCHMARK(RandomizeSlides)->Unit(benchmark::kMillisecond)->UseRealTime();

void RemoveAPlaylistEntry(benchmark::State& state) {
    onLoadedPanel(state, [](luma::ControlPanel& panel) {
        panel.sound->playlistBox->setCurrentRow(0);
        panel.playlist->removeEntry();
    });
}
BENCHMARK(RemoveAPlaylistEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

// A tree of 10,000 pictures (empty files with picture names, in 100 folders of 100) added to the
// slide list, to the written list.
void AddFolderOfTenThousandPictures(benchmark::State& state) {
    QTemporaryDir folder;
    const QDir root(folder.filePath(QStringLiteral("photos")));
    for (int f = 0; f < 100; ++f) {
        const QString sub = QStringLiteral("roll %1").arg(f);
        root.mkpath(sub);
        for (int i = 0; i < 100; ++i) {
            QFile(root.filePath(sub + QStringLiteral("/IMG_%1.jpg").arg(i)))
                .open(QIODevice::WriteOnly);
        }
    }
    auto program = programOver(folder);
    for (auto _ : state) {
        state.PauseTiming();
        auto panel = std::make_unique<luma::ControlPanel>(*program);
        panel->load();
        const luma::ListFiller* filler =
            panel->slides->slideListBox->findChild<luma::ListFiller*>();
        // The longest the event loop went without turning while the folder was added: how long
        // the panel would not repaint.
        QElapsedTimer sinceTurn;
        qint64 longestStall = 0;
        state.ResumeTiming();
        panel->slideEditor->addFolder();
        sinceTurn.start();
        while (filler->adding()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            longestStall = std::max(longestStall, sinceTurn.restart());
        }
        state.PauseTiming();
        state.counters["longest_stall_ms"] = benchmark::Counter(static_cast<double>(longestStall),
                                                                benchmark::Counter::kAvgIterations);
        const auto stored = luma::StoredList(program->store(), luma::keys::kPictures).count();
        if (stored.value_or(0) != kEntries + kFolderPictures) {
            state.SkipWithError("the folder was not added whole");
        }
        luma::StoredList(program->store(), luma::keys::kPictures).rewrite(slides());
        panel.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(AddFolderOfTenThousandPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

void AddAllCdTracks(benchmark::State& state) {
    onLoadedPanel(state, [](luma::ControlPanel& panel) { panel.playlist->addAllTracks(); });
}
BENCHMARK(AddAllCdTracks)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
