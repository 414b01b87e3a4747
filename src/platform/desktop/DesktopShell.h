#pragma once

#include "platform/Shell.h"

namespace luma {

class DesktopShell : public Shell {
public:
    bool open(const QString& target) override;
};

}  // namespace luma
