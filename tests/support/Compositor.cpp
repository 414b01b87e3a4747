#include "support/Compositor.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

#include <unistd.h>

namespace luma::test {

void handToSaverUser(const QString& folder) {
    if (::geteuid() != 0) {
        return;
    }
    if (QProcess::execute("id", {"-u", kSaverUser}) != 0) {
        QProcess::execute("useradd", {"--system", "--no-create-home", "--home-dir", "/nonexistent",
                                      "--shell", "/usr/sbin/nologin", kSaverUser});
    }
    QProcess::execute("chown", {"-R", kSaverUser, folder});
}

Compositor::Compositor(const QString& program, const QStringList& arguments,
                       const QStringList& environment, const QStringList& tools) {
    QDir(folder_.path()).mkdir("bin");
    for (const QString& tool : tools + QStringList{QStandardPaths::findExecutable(program)}) {
        QFile::copy(tool, bin(QFileInfo(tool).fileName()));
    }
    handToSaverUser(folder_.path());
    process_.setWorkingDirectory(folder_.path());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setStandardOutputFile(folder_.filePath("compositor.log"));
    QStringList command = asUser(QStringList{bin(program)} + arguments, environment);
    process_.start(command.takeFirst(), command);
    const QDeadlineTimer deadline(10000);
    while (socket.isEmpty() && !deadline.hasExpired() && !process_.waitForFinished(50)) {
        socket = QDir(folder_.path())
                     .entryList({"wayland-*", "luma-*"}, QDir::System)
                     .filter(QRegularExpression("^[^.]+$"))
                     .value(0);
    }
}

std::unique_ptr<Compositor> Compositor::sway(const QStringList& tools, int outputs) {
    auto sway = std::make_unique<Compositor>(
        "sway", QStringList{"-c", "/dev/null"},
        QStringList{"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman",
                    "WLR_HEADLESS_OUTPUTS=" + QString::number(outputs)},
        tools);
    return sway->socket.isEmpty() ? nullptr : std::move(sway);
}

QStringList Compositor::asUser(const QStringList& command, const QStringList& environment,
                               const QString& platform) const {
    const QStringList wrapped =
        QString(
            "env -i PATH=/usr/bin:/bin HOME=%1 XDG_RUNTIME_DIR=%1 WAYLAND_DISPLAY=%2 "
            "QT_QPA_PLATFORM=%3")
            .arg(folder_.path(), socket, platform)
            .split(' ') +
        environment + command;
    return ::geteuid() == 0 ? QStringList{"runuser", "-u", kSaverUser, "--"} + wrapped : wrapped;
}

std::optional<QByteArray> Compositor::run(QStringList command) const {
    command = asUser(command);
    QProcess client;
    client.start(command.takeFirst(), command);
    const bool done = client.waitForFinished(10000) && client.exitCode() == 0;
    return done ? std::optional(client.readAllStandardOutput()) : std::nullopt;
}

QByteArray Compositor::log() const {
    QFile file(folder_.filePath("compositor.log"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Compositor::stop() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

}  // namespace luma::test
