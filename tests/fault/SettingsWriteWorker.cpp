// Writes to a settings file while a fault keeps it from being written, then again once the fault
// is lifted. Run by the write fault tests as a child process:
//
//   settings_write_worker <settings file> readonly|diskfull <items> [<file size limit in bytes>]
//
// "readonly": the caller has made the folder and the file read-only; as root, where permissions
// stop nothing, the worker first becomes the user "nobody". "diskfull": the worker limits the size
// of the files it writes (RLIMIT_FSIZE, with SIGXFSZ ignored so that a write fails with EFBIG).
//
// It reports each step on stdout as "name=value" lines, says "faulted" and waits for a line on
// stdin, then lifts its own limit (the caller lifts the permissions), rewrites the list again and
// says "done".
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"

#include <QCoreApplication>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr int kUsage = 2;
constexpr int kCannotFault = 3;  // the fault could not be set up: the test skips

void say(const char* name, const QString& value) {
    std::printf("%s=%s\n", name, qPrintable(value));
    std::fflush(stdout);
}

void say(const char* name, bool ok) {
    say(name, ok ? QStringLiteral("ok") : QStringLiteral("failed"));
}

bool becomeNobody() {
    if (geteuid() != 0) {
        return true;
    }
    const passwd* user = getpwnam("nobody");
    if (user == nullptr) {
        return false;
    }
    return setgroups(0, nullptr) == 0 && setgid(user->pw_gid) == 0 && setuid(user->pw_uid) == 0 &&
           geteuid() != 0;
}

bool limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool liftFileSizeLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = limit.rlim_max;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

QStringList newList(int count, const QString& version) {
    QStringList items;
    items.reserve(count);
    for (int i = 1; i <= count; ++i) {
        items.append(QStringLiteral("/pictures/%1/%2.jpg").arg(version).arg(i));
    }
    return items;
}

// What the store holds now, as this process sees it.
void sayView(const char* name, luma::SettingsStore& store) {
    const luma::StoredList pictures(store, luma::keys::kPictures);
    const luma::StoredList music(store, luma::keys::kMusic);
    say(name, QStringLiteral("%1 %2 %3 %4")
                  .arg(pictures.count().value_or(-1))
                  .arg(pictures.item(1))
                  .arg(music.count().value_or(-1))
                  .arg(store.read(luma::keys::kSettings, luma::keys::kDelay, QStringLiteral("-"))));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        return kUsage;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const bool diskFull = std::strcmp(argv[2], "diskfull") == 0;
    const int count = std::atoi(argv[3]);
    if (diskFull) {
        if (argc < 5 || !limitFileSize(std::strtoull(argv[4], nullptr, 10))) {
            return kCannotFault;
        }
    } else if (!becomeNobody()) {
        return kCannotFault;
    }

    luma::IniSettingsStore store(path);
    luma::StoredList pictures(store, luma::keys::kPictures);
    sayView("before", store);
    say("rewrite", pictures.rewrite(newList(count, QStringLiteral("new"))));
    say("append", luma::StoredList(store, luma::keys::kMusic).append(4, QStringLiteral("d.wav")));
    say("write", store.write(luma::keys::kSettings, luma::keys::kDelay, QStringLiteral("9")));
    sayView("after", store);
    std::printf("faulted\n");
    std::fflush(stdout);

    std::string line;
    if (!std::getline(std::cin, line)) {
        return 0;  // the test went away
    }
    if (diskFull && !liftFileSizeLimit()) {
        return kCannotFault;
    }
    say("lifted", pictures.rewrite(newList(count, QStringLiteral("new"))));
    sayView("end", store);
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}
