#pragma once

#include <QString>

namespace luma {

// Says `text` on stderr as one line of the program's.
void sayOnStderr(const QString& text);

// The text of the file at `path`. `damage` says why an existing file cannot serve as a store file
// (unreadable, not text, not UTF-8); both are empty when there is no file.
struct StoreFileText {
    QString text;
    QString damage;
};
StoreFileText readStoreFile(const QString& path);

// A free name beside `path` for a copy of it: "<path>.<label>-<date>-<time>", numbered when taken.
QString copyNameBeside(const QString& path, const QString& label);

// Moves the damaged file at `path` aside as "<path>.damaged-<date>-<time>" and says so, naming
// `file` ("the settings file") and what starts empty. Returns the copy's path, or an empty text
// when the file could not be moved: then it must not be written over.
QString setDamagedFileAside(const QString& path, const QString& reason, const QString& file,
                            const QString& startsEmpty);

}  // namespace luma
