#pragma once

namespace luma {

// Detects another running instance of the program for the same user.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process is the only instance; it then stays the instance until it ends or
    // releases it.
    virtual bool acquire() = 0;
    virtual void release() = 0;
    virtual bool holds() const = 0;
};

}  // namespace luma
