#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace luma::test {

inline constexpr char kSaverUser[] = "lumafolio-saver";

// As root: the ordinary user (kSaverUser) that compositors and screen saver daemons run as (they
// refuse root), made when missing, now owning `folder` and what it holds. Nothing when not root.
void handToSaverUser(const QString& folder);

// A Wayland compositor in a runtime folder of its own, started as that user when the test runs
// as root. It and its clients run from copies in that folder, so the user needs no access to the
// build, and KWin needs no file capability, which a container cannot grant.
class Compositor {
public:
    // `tools` are copied beside the compositor's own binary; `environment` holds "NAME=value".
    Compositor(const QString& program, const QStringList& arguments, const QStringList& environment,
               const QStringList& tools = {});
    ~Compositor() { stop(); }

    // Headless sway 1.7 with `outputs` outputs of 1920 x 1080; nullptr when it did not start.
    static std::unique_ptr<Compositor> sway(const QStringList& tools, int outputs = 1);

    // `command` as the compositor's client, with Qt on `platform`.
    QStringList asUser(const QStringList& command, const QStringList& environment = {},
                       const QString& platform = "offscreen") const;
    // Runs `command` as a client to its end, for at most 10 s; its standard output, or nullopt
    // when it failed.
    std::optional<QByteArray> run(QStringList command) const;
    QString bin(const QString& name) const { return folder_.filePath("bin/" + name); }
    QString folder() const { return folder_.path(); }
    QByteArray log() const;
    void stop();

    QString socket;  // empty when the compositor did not come up

private:
    QTemporaryDir folder_;
    QProcess process_;
};

}  // namespace luma::test
