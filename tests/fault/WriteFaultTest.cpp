// A settings write that fails, in a child process: the settings folder read-only, or the disk
// full. The user's lists stay as they were on disk, the failure is reported once on stderr, the
// process goes on, and a write after the fault is lifted works.
#include "settings/IniSettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <functional>
#include <map>

namespace luma {
namespace {

constexpr int kItems = 10000;
constexpr int kWaitMs = 60000;
constexpr int kCannotFault = 3;  // the worker could not set the fault up
// Far below the size of the 10,000-item list.
constexpr qint64 kFileSizeLimit = 64 * 1024;

QStringList pictureList(const QString& version) {
    QStringList items;
    for (int i = 1; i <= kItems; ++i) {
        items.append(QStringLiteral("/pictures/%1/%2.jpg").arg(version, QString::number(i)));
    }
    return items;
}

const QStringList kMusic = {QStringLiteral("/music/a.wav"), QStringLiteral("/music/b.mid"),
                            QStringLiteral("CD Track [ 1 ] 00:03:00 CD")};

class WriteFault : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The worker may run as "nobody", which must still reach the file.
        ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        IniSettingsStore store(path);
        ASSERT_TRUE(StoredList(store, keys::kPictures).rewrite(pictureList(QStringLiteral("old"))));
        ASSERT_TRUE(StoredList(store, keys::kMusic).rewrite(kMusic));
    }

    void TearDown() override {
        setMode(folder, 0777);
        if (worker.state() != QProcess::NotRunning) {
            worker.kill();
            worker.waitForFinished(5000);
        }
    }

    static void setMode(const QString& file, mode_t mode) {
        chmod(QFile::encodeName(file).constData(), mode);
    }

    void startWorker(const QStringList& arguments) {
        worker.start(QStringLiteral(SETTINGS_WRITE_WORKER), QStringList{path} + arguments);
        ASSERT_TRUE(worker.waitForStarted(5000));
    }

    // Reads the worker's report up to the line `last`; false when it ended or took too long
    // before saying it.
    bool readUntil(const QByteArray& last) {
        const QDeadlineTimer deadline(kWaitMs);
        for (;;) {
            output += worker.readAllStandardOutput();
            errors += worker.readAllStandardError();
            if (output.split('\n').contains(last)) {
                return true;
            }
            if (deadline.hasExpired() ||
                (!worker.waitForReadyRead(100) && worker.state() == QProcess::NotRunning)) {
                output += worker.readAllStandardOutput();
                errors += worker.readAllStandardError();
                return output.split('\n').contains(last);
            }
        }
    }

    // The "name=value" lines of the report.
    std::map<QString, QString> report() const {
        std::map<QString, QString> values;
        for (const QByteArray& line : output.split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0) {
                values[QString::fromUtf8(line.left(eq))] = QString::fromUtf8(line.mid(eq + 1));
            }
        }
        return values;
    }

    // What the file on disk holds, read by a store of its own.
    void expectOnDisk(const QString& version) {
        IniSettingsStore store(path);
        ASSERT_TRUE(store.backupPath().isEmpty()) << "the file was damaged";
        const QStringList pictures = StoredList(store, keys::kPictures).readAll();
        ASSERT_EQ(pictures.size(), kItems);
        EXPECT_EQ(pictures, pictureList(version));
        EXPECT_EQ(StoredList(store, keys::kMusic).readAll(), kMusic);
        EXPECT_EQ(store.value(keys::kSettings, keys::kDelay), std::nullopt);
    }

    // No scratch file of a failed write is left beside the settings file.
    void expectNothingLeftBehind() const {
        const QStringList files =
            QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_EQ(files, QStringList{QFileInfo(path).fileName()});
    }

    void expectReportedOnce() const {
        const QString text = QString::fromLocal8Bit(errors).trimmed();
        EXPECT_EQ(text.count(QStringLiteral("cannot save the settings")), 1) << qPrintable(text);
        EXPECT_FALSE(text.contains(u'\n')) << "nothing else on stderr:\n" << qPrintable(text);
    }

    // The common course: the writes fail and change nothing; the worker goes on; once `lift`
    // has run, a rewrite works.
    void failThenLift(const std::function<void()>& lift) {
        ASSERT_TRUE(readUntil("faulted")) << output.constData() << errors.constData();
        auto values = report();
        const QString unchanged = QStringLiteral("%1 /pictures/old/1.jpg 3 -").arg(kItems);
        EXPECT_EQ(values["before"], unchanged);
        EXPECT_EQ(values["rewrite"], u"failed");
        EXPECT_EQ(values["append"], u"failed");
        EXPECT_EQ(values["write"], u"failed");
        EXPECT_EQ(values["after"], unchanged) << "the store reads what the file holds";
        EXPECT_EQ(worker.state(), QProcess::Running) << "the worker goes on after the failures";
        expectOnDisk(QStringLiteral("old"));
        expectNothingLeftBehind();
        expectReportedOnce();

        lift();
        worker.write("lift\n");
        ASSERT_TRUE(readUntil("done")) << output.constData() << errors.constData();
        ASSERT_TRUE(worker.waitForFinished(kWaitMs));
        errors += worker.readAllStandardError();
        EXPECT_EQ(worker.exitCode(), 0);
        values = report();
        EXPECT_EQ(values["lifted"], u"ok");
        EXPECT_EQ(values["end"], QStringLiteral("%1 /pictures/new/1.jpg 3 -").arg(kItems));
        expectOnDisk(QStringLiteral("new"));
        expectReportedOnce();
    }

    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("lumafolio"));
    QString path = folder + QStringLiteral("/Lumafolio 1.1.ini");
    QProcess worker;
    QByteArray output;
    QByteArray errors;
};

TEST_F(WriteFault, AReadOnlySettingsFolder) {
    setMode(path, 0444);
    setMode(folder, 0555);
    startWorker({QStringLiteral("readonly"), QString::number(kItems)});
    if (!readUntil("faulted") && worker.state() == QProcess::NotRunning &&
        worker.exitCode() == kCannotFault) {
        GTEST_SKIP() << "running as root without a user \"nobody\" to write as";
    }
    failThenLift([this] {
        setMode(folder, 0777);
        setMode(path, 0666);
    });
}

TEST_F(WriteFault, AFullDisk) {
    ASSERT_GT(QFileInfo(path).size(), 2 * kFileSizeLimit) << "the list must not fit";
    startWorker(
        {QStringLiteral("diskfull"), QString::number(kItems), QString::number(kFileSizeLimit)});
    failThenLift([] {});  // the worker lifts its own limit
}

}  // namespace
}  // namespace luma
