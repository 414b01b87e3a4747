#pragma once

#include <QColor>
#include <QObject>
#include <QWidget>

#include <functional>
#include <vector>

namespace luma {

// Windows of the background colour over every monitor but the primary one while a show is up, so
// that no monitor shows the desktop. They follow monitors that come and go. Their input goes to
// the event filter of `inputWatcher`, which treats it as input on the show.
class MonitorCovers : public QObject {
public:
    MonitorCovers(QObject* inputWatcher, std::function<QColor()> colour);
    ~MonitorCovers() override;

    // Covers every secondary monitor, and keeps doing so as monitors change, until hide().
    void show();
    void hide();
    bool isCover(const QObject* object) const;
    // Repaints the covers in the current colour.
    void repaint();
    std::vector<QWidget*> covers() const { return covers_; }

private:
    void rebuild();
    void clear();

    QObject* inputWatcher_;
    std::function<QColor()> colour_;
    std::vector<QWidget*> covers_;  // top-level windows, deleted later so none goes mid-event
    bool shown_ = false;
};

}  // namespace luma
