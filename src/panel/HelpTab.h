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

    LinkLabel* supportLink;  // "Any Questions? Contact Support."
    LinkLabel* pictureSiteLink;
};

}  // namespace luma
