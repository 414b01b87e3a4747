// settings_write_worker <settings file> <items> <file size limit in bytes>
//
// Writes to a settings file while the disk is full, then again once it is not; run by the write
// fault test as a child process. The worker limits the size of the files it writes
// (RLIMIT_FSIZE, with SIGXFSZ ignored so that a write fails with EFBIG).
//
// On stdout: what the store holds, whether a rewrite of the picture list, an append to the music
// list and a write of a setting worked, and what the store holds then. It then waits for a line on
// stdin, lifts its limit, and says whether the rewrite works now and what the store holds.
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

using namespace luma;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 0;
    if (argc != 4 || setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return 2;
    }
    QStringList items;
    for (int i = 1; i <= std::atoi(argv[2]); ++i) {
        items.append(QStringLiteral("/pictures/new/%1.jpg").arg(i));
    }
    IniSettingsStore store(QString::fromLocal8Bit(argv[1]));
    StoredList pictures(store, keys::kPictures), music(store, keys::kMusic);
    const auto view = [&] {
        std::printf("%d %s %d %s\n", pictures.count().value_or(-1), qPrintable(pictures.item(1)),
                    music.count().value_or(-1),
                    qPrintable(store.read(keys::kSettings, keys::kDelay, "-")));
    };
    view();
    const bool rewritten = pictures.rewrite(items);
    const bool appended = music.append(4, "d.wav");
    std::printf("%d %d %d\n", rewritten, appended, store.write(keys::kSettings, keys::kDelay, "9"));
    view();
    std::fflush(stdout);
    if (std::getchar() == EOF) {
        return 0;  // the test went away
    }
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::printf("%d\n", pictures.rewrite(items));
    view();
    return 0;
}
