#pragma once

#include <QLabel>

class QFrame;

namespace luma {

class Program;

// A link: a text in link colours with the link pointer. Any mouse button pressed on it paints it
// red and opens its target through the shell; releasing the button paints it blue, which it stays
// for as long as the panel lives. An underline (`Line1` with its index) runs across its lower part
// when it has one.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    static const QColor kPressed;  // red
    static const QColor kVisited;  // blue

    // `underline` < 0: no underline.
    LinkLabel(Program& program, const QString& name, const QString& caption, QString target,
              const QColor& restColour, int underline, QWidget* parent);

    const QString& target() const { return target_; }
    QColor colour() const;
    QFrame* underline() const { return underline_; }
    QColor underlineColour() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintIn(const QColor& colour);

    Program& program_;
    QString target_;
    QFrame* underline_ = nullptr;
};

}  // namespace luma
