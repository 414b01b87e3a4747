#include "ProcessTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

namespace luma::bench {
namespace {

QByteArray readProcFile(const QString& path) {
    QFile file(path);
    // /proc files report no size: read until the end.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a /proc link names, as the kernel wrote it ("socket:[123]" is no path to resolve).
QString linkTarget(const QString& path) {
    char target[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return length > 0 ? QString::fromLocal8Bit(target, length) : QString();
}

}  // namespace

QString ProcessEntry::describe() const {
    return QStringLiteral("%1 %2 (%3)").arg(pid).arg(name).arg(QChar::fromLatin1(state));
}

std::optional<ProcessEntry> processEntry(pid_t pid) {
    const QByteArray text = readProcFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // "pid (name) state ppid ...": the name may hold blanks and parentheses, the last ')' ends it.
    const qsizetype open = text.indexOf('('), close = text.lastIndexOf(')');
    if (open < 0 || close < open) {
        return std::nullopt;
    }
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    if (fields.size() < 20) {
        return std::nullopt;
    }
    ProcessEntry entry;
    entry.pid = pid;
    entry.name = QString::fromLocal8Bit(text.mid(open + 1, close - open - 1));
    entry.state = fields[0].isEmpty() ? '?' : fields[0][0];
    entry.parent = fields[1].toInt();
    entry.started = fields[19].toULongLong();  // field 22 of the line
    return entry;
}

bool stillRuns(const ProcessEntry& entry) {
    const std::optional<ProcessEntry> now = processEntry(entry.pid);
    return now && now->started == entry.started && !now->zombie();
}

std::vector<ProcessEntry> processTable() {
    std::vector<ProcessEntry> table;
    for (const QString& name : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const pid_t pid = name.toInt(&number);
        if (number) {
            if (std::optional<ProcessEntry> entry = processEntry(pid)) {
                table.push_back(*entry);
            }
        }
    }
    return table;
}

std::vector<ProcessEntry> descendantsOf(pid_t root, const std::vector<ProcessEntry>& table) {
    std::vector<ProcessEntry> found;
    std::vector<pid_t> parents{root};
    while (!parents.empty()) {
        const pid_t parent = parents.back();
        parents.pop_back();
        for (const ProcessEntry& entry : table) {
            if (entry.parent == parent) {
                found.push_back(entry);
                parents.push_back(entry.pid);
            }
        }
    }
    return found;
}

std::optional<ProcessEntry> runningDescendant(pid_t root, const QString& name) {
    for (const ProcessEntry& entry : descendantsOf(root, processTable())) {
        if (entry.name == name && !entry.zombie()) {
            return entry;
        }
    }
    return std::nullopt;
}

std::vector<ProcessEntry> processesOnDisplay(const QString& display) {
    // DISPLAY may name the server alone or with a screen: ":5" or ":5.0".
    const QRegularExpression named("^DISPLAY=" + QRegularExpression::escape(display) +
                                   "(\\.\\d+)?$");
    std::vector<ProcessEntry> found;
    for (const ProcessEntry& entry : processTable()) {
        const QByteArray environment =
            readProcFile(QStringLiteral("/proc/%1/environ").arg(entry.pid));
        for (const QByteArray& variable : environment.split('\0')) {
            if (named.match(QString::fromLocal8Bit(variable)).hasMatch()) {
                found.push_back(entry);
                break;
            }
        }
    }
    return found;
}

long peakResidentKib(pid_t pid) {
    const QByteArray status = readProcFile(QStringLiteral("/proc/%1/status").arg(pid));
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

QStringList openFileKinds(pid_t pid) {
    const QDir folder(QStringLiteral("/proc/%1/fd").arg(pid));
    QStringList kinds;
    for (const QString& fd :
         folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = linkTarget(folder.filePath(fd));
        // "socket:[123]", "pipe:[456]", "anon_inode:[eventfd]": the kind without the number.
        static const QRegularExpression number("^(socket|pipe):\\[\\d+\\]$");
        const QRegularExpressionMatch match = number.match(target);
        kinds << (match.hasMatch() ? match.captured(1) : target);
    }
    kinds.sort();
    return kinds;
}

std::optional<qint64> offsetIn(pid_t pid, const QString& path) {
    const QDir folder(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString& fd :
         folder.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (linkTarget(folder.filePath(fd)) == path) {
            const QByteArray info =
                readProcFile(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
            for (const QByteArray& line : info.split('\n')) {
                if (line.startsWith("pos:")) {
                    return line.mid(4).trimmed().toLongLong();
                }
            }
        }
    }
    return std::nullopt;
}

std::vector<pid_t> lockHolders(const QString& path) {
    struct stat file {};
    if (::stat(QFile::encodeName(path).constData(), &file) != 0) {
        return {};
    }
    // "1: FLOCK  ADVISORY  WRITE 1234 08:01:56789 0 EOF": pid, then device (hex) and inode.
    const QString node = QStringLiteral("%1:%2:%3")
                             .arg(major(file.st_dev), 2, 16, QChar(u'0'))
                             .arg(minor(file.st_dev), 2, 16, QChar(u'0'))
                             .arg(file.st_ino);
    std::vector<pid_t> holders;
    for (const QByteArray& line : readProcFile("/proc/locks").split('\n')) {
        const QStringList fields = QString::fromLatin1(line).simplified().split(u' ');
        // Waiters come as "2: -> FLOCK ...": they hold nothing.
        if (fields.size() >= 6 && fields[1] != u"->" && fields[5] == node) {
            holders.push_back(fields[4].toInt());
        }
    }
    return holders;
}

}  // namespace luma::bench
