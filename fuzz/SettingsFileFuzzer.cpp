// Fuzzed bytes as the settings file (and as the slide list's file): the store opens it, reads every
// key, the lists and their items, and writes a value. A file the store takes as damaged is set
// aside unchanged, never written over; a file the store takes as sound keeps every value through a
// write and a reopen.
#include "FuzzSupport.h"

#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace {

using luma::IniSettingsStore;
using luma::StoredList;
namespace keys = luma::keys;

// Every value the store holds, by section and key, and the two lists as list boxes show them.
struct Snapshot {
    // A key QSettings lists may still read as absent (an empty key name does).
    std::map<std::pair<QString, QString>, std::optional<QString>> values;
    QStringList pictures;
    QStringList music;
    bool operator==(const Snapshot&) const = default;
};

const QStringList& sections() {
    static const QStringList all{keys::kSettings, keys::kPictures, keys::kMusic};
    return all;
}

Snapshot snapshot(IniSettingsStore& store) {
    Snapshot s;
    for (const QString& section : sections()) {
        for (const QString& key : store.keys(section)) {
            s.values[{section, key}] = store.value(section, key);
        }
    }
    for (auto [section, list] :
         {std::pair{keys::kPictures, &s.pictures}, std::pair{keys::kMusic, &s.music}}) {
        const StoredList stored(store, section);
        *list = stored.readAll();
        const auto count = stored.count();
        FUZZ_CHECK(list->size() == (count && *count > 0 ? *count : 0));
        stored.item(1);
        stored.item(-1);
    }
    return s;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// In memory where the machine has it: every input writes and renames files.
QDir& folder() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/lumafolio-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/lumafolio-fuzz-XXXXXX"));
    static QDir at(dir.path());
    return at;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    luma::fuzz::ensureApplication();
    FUZZ_CHECK(folder().exists());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const luma::fuzz::QuietStderr quiet;
    QDir& dir = folder();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        dir.remove(name);
    }
    const QString path = dir.filePath(QStringLiteral("Lumafolio 1.1.ini"));
    const QByteArray input = luma::fuzz::bytesOf(data, size);
    // An odd first byte puts the bytes in the slide list's own file too, so that its reader is
    // fuzzed as well as the move of lists out of the settings file.
    for (const QString& name : {path, IniSettingsStore::listPath(path, keys::kPictures)}) {
        QFile file(name);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(input) == input.size());
        if (size == 0 || (data[0] & 1) == 0) {
            break;
        }
    }

    const QString delay = QStringLiteral("7");
    bool damaged = false;
    Snapshot before;
    {
        IniSettingsStore store(path);
        damaged = !store.backupPath().isEmpty();
        if (damaged) {
            FUZZ_CHECK(contentOf(store.backupPath()) == input);
        }
        before = snapshot(store);
        FUZZ_CHECK(store.write(keys::kSettings, keys::kDelay, delay));
        FUZZ_CHECK(store.value(keys::kSettings, keys::kDelay) == delay);
        if (damaged) {
            FUZZ_CHECK(contentOf(store.backupPath()) == input);
        }
    }

    // What the store wrote is a sound file that holds everything it held before, and the value.
    IniSettingsStore reopened(path);
    FUZZ_CHECK(reopened.backupPath().isEmpty());
    FUZZ_CHECK(reopened.value(keys::kSettings, keys::kDelay) == delay);
    before.values[{keys::kSettings, keys::kDelay}] = delay;
    FUZZ_CHECK(snapshot(reopened) == before);
    return 0;
}
