#pragma once

#include "support/QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>

namespace luma::test {

// Points XDG_CONFIG_HOME, XDG_RUNTIME_DIR and XDG_CACHE_HOME at fresh temporary folders for the life of the object
// and restores them afterwards.
class TempEnv {
public:
    TempEnv();
    ~TempEnv();
    QString configHome() const { return config_.path(); }
    QString runtimeDir() const { return runtime_.path(); }
    // The settings file of the store under this environment.
    QString settingsFile() const;

private:
    QTemporaryDir config_;
    QTemporaryDir runtime_;
    std::map<QByteArray, std::pair<bool, QByteArray>> saved_;
};

}  // namespace luma::test
