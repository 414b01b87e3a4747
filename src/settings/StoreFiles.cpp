#include "settings/StoreFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>

namespace luma {

void sayOnStderr(const QString& text) {
    std::fprintf(stderr, "lumafolio: %s\n", qPrintable(text));
    std::fflush(stderr);
}

StoreFileText readStoreFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return {};
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return {{}, QStringLiteral("it cannot be read")};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {{}, QStringLiteral("it cannot be read")};
    }
    if (bytes.contains('\0')) {
        return {{}, QStringLiteral("it is not a text file")};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        return {{}, QStringLiteral("it is not UTF-8 text")};
    }
    return {text, {}};
}

QString copyNameBeside(const QString& path, const QString& label) {
    const QString stem = path + u'.' + label + u'-' +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n) {
        name = stem + u'-' + QString::number(n);
    }
    return name;
}

QString setDamagedFileAside(const QString& path, const QString& reason, const QString& file,
                            const QString& startsEmpty) {
    const QString backup = copyNameBeside(path, QStringLiteral("damaged"));
    if (!QFile::rename(path, backup)) {
        sayOnStderr(QStringLiteral("%1 \"%2\" is damaged (%3) and cannot be moved aside; %4 and "
                                   "changes will not be saved")
                        .arg(file, path, reason, startsEmpty));
        return {};
    }
    sayOnStderr(QStringLiteral("%1 \"%2\" was damaged (%3); it was kept as \"%4\" and %5")
                    .arg(file, path, reason, backup, startsEmpty));
    return backup;
}

}  // namespace luma
