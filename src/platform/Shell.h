#pragma once

#include <QString>

namespace luma {

// Opens a document or a link (a web address, "mailto:...") with the desktop's program for it.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool open(const QString& target) = 0;
};

}  // namespace luma
