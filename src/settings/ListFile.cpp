#include "settings/ListFile.h"

#include "settings/SettingsKeys.h"
#include "settings/StoreFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace luma {
namespace {

// The value of a hex digit, or -1.
int hexValue(QChar c) {
    const char16_t u = c.toLower().unicode();
    return u >= u'0' && u <= u'9' ? u - u'0' : u >= u'a' && u <= u'f' ? u - u'a' + 10 : -1;
}

// Keys and section names as QSettings writes them: "%XX" or "%UXXXX" for all but a few letters.
QString encodedKey(const QString& key) {
    QString out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if ((u < 0x80 && c.isLetterOrNumber()) || u == u'_' || u == u'-' || u == u'.') {
            out += c;
        } else {
            out += u < 0x100 ? QStringLiteral("%%1").arg(u, 2, 16, QChar(u'0')).toUpper()
                             : QStringLiteral("%U%1").arg(u, 4, 16, QChar(u'0')).toUpper();
        }
    }
    return out;
}

QString decodedKey(QStringView key) {
    QString out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const bool wide = key.mid(i + 1, 1) == u"U";
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const int u = key[i] == u'%' ? key.mid(i + 1 + wide, digits).toInt(&ok, 16) : 0;
        if (ok && key.mid(i + 1 + wide, digits).size() == digits) {
            out += QChar(u);
            i += wide + digits;
        } else {
            out += key[i];
        }
    }
    return out;
}

// A value as QSettings reads it back: quoted when blanks at its ends or ",;=#" would be taken
// apart, control characters escaped. An escape by hex digits runs on while digits follow, so a
// hex digit after one is escaped too.
QByteArray escapedValue(const QString& value) {
    static const QString kNamed = QStringLiteral("\a\b\f\n\r\t\v\"\\");
    static const char kLetters[] = "abfnrtv\"\\";
    QString out;
    out.reserve(value.size() + 2);
    bool escapeHexDigit = false;
    for (const QChar c : value.startsWith(u'@') ? u'@' + value : value) {
        const qsizetype named = kNamed.indexOf(c);
        if (named >= 0) {
            out += u'\\' + QChar::fromLatin1(kLetters[named]);
            escapeHexDigit = false;
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7f ||
                   (escapeHexDigit && hexValue(c) >= 0)) {
            out += QStringLiteral("\\x%1").arg(c.unicode(), 0, 16);
            escapeHexDigit = true;
        } else {
            out += c;
            escapeHexDigit = false;
        }
    }
    const bool quote = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace() ||
                                            std::any_of(value.begin(), value.end(), [](QChar c) {
                                                return QStringView(u",;=#").contains(c);
                                            }));
    return (quote ? u'"' + out + u'"' : out).toUtf8();
}

// The escape at `raw[i]`, the character after a backslash; `i` ends on its last character.
QChar unescaped(QStringView raw, qsizetype& i) {
    static const QString kLetters = QStringLiteral("abfnrtv\"'?\\");
    static const QString kNamed = QStringLiteral("\a\b\f\n\r\t\v\"'?\\");
    if (const qsizetype named = kLetters.indexOf(raw[i]); named >= 0) {
        return kNamed[named];
    }
    const bool hex = raw[i] == u'x';
    if (!hex && (raw[i] < u'0' || raw[i] > u'7')) {
        return raw[i];
    }
    char16_t code = 0;
    for (qsizetype j = hex ? i + 1 : i;
         j < raw.size() && (hex ? hexValue(raw[j]) >= 0 : raw[j] >= u'0' && raw[j] <= u'7'); ++j) {
        code = static_cast<char16_t>(code * (hex ? 16 : 8) + hexValue(raw[j]));
        i = j;
    }
    return QChar(code);
}

// A value as QSettings reads it: quotes, escapes, blanks trimmed outside quotes, and items parted
// by unquoted commas, joined by ", " as the store reads such a value.
QString unescapedValue(QStringView raw) {
    QStringList items;
    QString item;
    qsizetype kept = 0;  // the item without its trailing unquoted blanks
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\\' && i + 1 < raw.size()) {
            item += unescaped(raw, ++i);
        } else if (c == u',' && !quoted) {
            items.append(item.left(kept));
            item.clear();
        } else if (quoted || !c.isSpace()) {
            item += c;
        } else if (!item.isEmpty()) {
            item += c;
            continue;
        }
        kept = item.size();
    }
    items.append(item.left(kept));
    for (QString& text : items) {
        if (text.startsWith(QStringLiteral("@@"))) {
            text.remove(0, 1);
        }
    }
    return items.join(QStringLiteral(", "));
}

// The keys of `section` in `text`; std::nullopt when a line is neither a section, a key, a comment
// nor blank.
std::optional<QHash<QString, QString>> parsed(const QString& text, const QString& section) {
    QHash<QString, QString> entries;
    bool ours = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            ours = decodedKey(line.mid(1, line.size() - 2)) == section;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) {
            return std::nullopt;
        }
        if (ours) {
            entries.insert(decodedKey(line.left(equals).trimmed()),
                           unescapedValue(line.mid(equals + 1)));
        }
    }
    return entries;
}

// The file's text: "HowMany" first, then the items by number, then any other key.
QByteArray rendered(const QString& section, const QHash<QString, QString>& entries) {
    struct Place {
        int rank;
        qint64 number;
        const QString* key;
    };
    std::vector<Place> order;
    order.reserve(static_cast<size_t>(entries.size()));
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        bool ok = false;
        const qint64 n = it.key().toLongLong(&ok);
        const bool item = ok && it.key() == QString::number(n);
        order.push_back({it.key() == keys::kHowMany ? 0 : item ? 1 : 2, item ? n : 0, &it.key()});
    }
    std::sort(order.begin(), order.end(), [](const Place& a, const Place& b) {
        return a.rank != b.rank       ? a.rank < b.rank
               : a.number != b.number ? a.number < b.number
                                      : *a.key < *b.key;
    });
    QByteArray out = '[' + encodedKey(section).toUtf8() + "]\n";
    out.reserve(static_cast<qsizetype>(order.size()) * 64);
    for (const Place& place : order) {
        out += encodedKey(*place.key).toUtf8() + '=' + escapedValue(entries[*place.key]) + '\n';
    }
    return out;
}

}  // namespace

ListFile::ListFile(QString path, QString section, QString name)
    : path_(std::move(path)), section_(std::move(section)), name_(std::move(name)) {
    load();
}

void ListFile::load() const {
    const StoreFileText file = readStoreFile(path_);
    auto read = file.damage.isEmpty() ? parsed(file.text, section_) : std::nullopt;
    entries_ = read.value_or(QHash<QString, QString>());
    readOnly_ = false;
    if (!read) {
        backupPath_ = setDamagedFileAside(
            path_,
            file.damage.isEmpty() ? QStringLiteral("it is not a valid list file") : file.damage,
            QStringLiteral("the %1 file").arg(name_),
            QStringLiteral("the %1 starts empty").arg(name_));
        readOnly_ = backupPath_.isEmpty();
    }
    const QFileInfo info(path_);
    stamp_ = info.exists() ? info.lastModified() : QDateTime();
    size_ = info.exists() ? info.size() : -1;
}

void ListFile::refresh() const {
    const QFileInfo info(path_);
    if ((info.exists() ? info.lastModified() : QDateTime()) != stamp_ ||
        (info.exists() ? info.size() : -1) != size_) {
        load();
    }
}

std::optional<QString> ListFile::value(const QString& key) const {
    if (key == keys::kHowMany) {
        refresh();  // where every reader of the list starts
    }
    const auto it = entries_.constFind(key);
    return it == entries_.cend() ? std::nullopt : std::optional<QString>(*it);
}

QStringList ListFile::keys() const {
    refresh();
    return entries_.keys();
}

bool ListFile::apply(const std::vector<SettingsWrite>& batch) {
    refresh();
    QHash<QString, QString> next = entries_;
    for (const SettingsWrite& write : batch) {
        if (write.value) {
            next.insert(write.key, *write.value);
        } else {
            next.remove(write.key);
        }
    }
    if (readOnly_) {
        entries_ = std::move(next);  // the session keeps its changes
        reportWriteFailure(QStringLiteral("the damaged file is kept as it is"));
        return false;
    }
    if (!write(next)) {
        return false;
    }
    entries_ = std::move(next);
    return true;
}

bool ListFile::write(const QHash<QString, QString>& entries) {
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) {
        reportWriteFailure(QStringLiteral("the folder \"%1\" cannot be created").arg(folder));
        return false;
    }
    // Unbuffered, so that a failed write (a full disk) is seen before the file takes the old
    // one's place.
    QSaveFile file(path_);
    const QByteArray text = rendered(section_, entries);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(text) != text.size() || !file.commit()) {
        reportWriteFailure(QStringLiteral("the file cannot be written"));
        return false;
    }
    const QFileInfo info(path_);
    stamp_ = info.lastModified();
    size_ = info.size();
    return true;
}

bool ListFile::sync() {
    refresh();
    if (readOnly_) {
        reportWriteFailure(QStringLiteral("the damaged file is kept as it is"));
    }
    return !readOnly_;
}

void ListFile::reportWriteFailure(const QString& reason) {
    if (!writeFailureReported_) {
        writeFailureReported_ = true;
        sayOnStderr(QStringLiteral("cannot save the %1 to \"%2\": %3").arg(name_, path_, reason));
    }
}

}  // namespace luma
