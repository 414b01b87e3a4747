#pragma once

#include <QWidget>

namespace luma {

class LinkLabel;
class Program;

// The "About/Admin" page: what the program is, the maker's page and the support address.
class AboutTab : public QWidget {
    Q_OBJECT
public:
    AboutTab(Program& program, QWidget* parent);

    LinkLabel* makerLink;
    LinkLabel* supportAddressLink;
};

}  // namespace luma
