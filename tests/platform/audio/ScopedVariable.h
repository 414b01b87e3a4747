#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace luma::test {

// Sets or unsets an environment variable for the life of the object and puts the old state back.
class ScopedVariable {
public:
    explicit ScopedVariable(const char* name)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        unset();
    }
    ScopedVariable(const char* name, const QByteArray& value) : ScopedVariable(name) { set(value); }
    ~ScopedVariable() { had_ ? set(old_) : unset(); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void set(const QByteArray& value) { qputenv(name_, value); }
    void unset() { qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace luma::test
