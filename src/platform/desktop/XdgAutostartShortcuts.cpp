#include "platform/desktop/XdgAutostartShortcuts.h"

#include "platform/desktop/XdgPaths.h"

#include <QDir>
#include <QSaveFile>

namespace luma {
namespace {

bool isStartupFolder(const QString& folder) {
    QString normal = folder;
    normal.replace(u'\\', u'/');
    return normal.endsWith(QStringLiteral("/StartUp"), Qt::CaseInsensitive);
}

// A value of a desktop entry is a string: backslashes, newlines and tabs are escaped again.
QString escapeValue(const QString& value) {
    QString out;
    for (const QChar c : value) {
        if (c == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString XdgAutostartShortcuts::entryPath(const QString& linkName) {
    return xdgAutostartFolder() + u'/' + linkName + QStringLiteral(".desktop");
}

QString XdgAutostartShortcuts::quoteExecArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        if (c == u'%') {
            quoted += u'%';  // field codes start with %
        }
        quoted += c;
    }
    return quoted + u'"';
}

bool XdgAutostartShortcuts::create(const QString& folder, const QString& linkName,
                                   const QString& target, const QString& arguments,
                                   std::int32_t /*perUser*/, const QString& /*parent*/) {
    if (!isStartupFolder(folder) || linkName.isEmpty()) {
        return false;
    }
    if (!QDir().mkpath(xdgAutostartFolder())) {
        return false;
    }
    QString exec = quoteExecArgument(target);
    if (!arguments.isEmpty()) {
        exec += u' ' + arguments;
    }
    QSaveFile file(entryPath(linkName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return false;
    }
    const QString entry = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=%1\n"
                              "Exec=%2\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n")
                              .arg(escapeValue(linkName), escapeValue(exec));
    file.write(entry.toUtf8());
    return file.commit();
}

bool XdgAutostartShortcuts::remove(const QString& folder, const QString& linkName) {
    if (!isStartupFolder(folder) || linkName.isEmpty()) {
        return false;
    }
    const QString path = entryPath(linkName);
    return !QFile::exists(path) || QFile::remove(path);
}

}  // namespace luma
