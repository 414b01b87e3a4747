#include "support/TempEnv.h"

#include <QFile>

namespace luma::test {

TempEnv::TempEnv() {
    for (const QByteArray& name : {QByteArray("XDG_CONFIG_HOME"), QByteArray("XDG_RUNTIME_DIR"),
                                   QByteArray("XDG_CACHE_HOME")}) {
        saved_[name] = {qEnvironmentVariableIsSet(name.constData()), qgetenv(name.constData())};
    }
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (config_.path() + "/cache").toLocal8Bit());
}

TempEnv::~TempEnv() {
    for (const auto& [name, value] : saved_) {
        if (value.first) {
            qputenv(name.constData(), value.second);
        } else {
            qunsetenv(name.constData());
        }
    }
}

QString TempEnv::settingsFile() const {
    return config_.path() + QStringLiteral("/lumafolio/Lumafolio 1.1.ini");
}

}  // namespace luma::test
