#pragma once

#include <QWidget>

namespace luma {

class LinkLabel;
class Program;

// The "Help" page: how to make a Lumafolio in four steps, the support link and the picture
// website's link.
class HelpTab : public QWidget {
    Q_OBJECT
public:
    HelpTab(Program& program, QWidget* parent);

    LinkLabel* Label17;  // "Any Questions? Contact Support."
    LinkLabel* Label14;  // the picture website
};

}  // namespace luma
