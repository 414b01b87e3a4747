#pragma once

#include "panel/ControlIds.h"
#include "panel/ControlPanel.h"
#include "support/FakeServices.h"
#include "support/TempEnv.h"

#include <QAbstractButton>
#include <QStringList>
#include <QWidget>

namespace luma::paneltest {

// What the panel did to the other windows, in order: "display load", "tray unload", ...
using WindowEvents = QStringList;

class DisplayDouble : public DisplayWindow {
public:
    DisplayDouble(Program& program, WindowEvents& events) : program_(program), events_(events) {}
    void load() override;
    void unload() override { events_.append(QStringLiteral("display unload")); }
    void showWindow() override;
    void hideWindow() override { shown_ = false; }
    bool isShown() const override { return shown_; }
    void enableSlideTimer() override { events_.append(QStringLiteral("display slideTimer on")); }
    void showFirstSlide() override { events_.append(QStringLiteral("display showFirstSlide")); }
    void setBackgroundColour(std::int32_t colour) override;

private:
    Program& program_;
    WindowEvents& events_;
    bool shown_ = false;
};

class TrayDouble : public TrayWindow {
public:
    explicit TrayDouble(WindowEvents& events) : events_(events) {}
    void load() override { events_.append(QStringLiteral("tray load")); }
    void unload() override { events_.append(QStringLiteral("tray unload")); }
    void showWindow() override {}
    void hideWindow() override {}
    bool isShown() const override { return false; }

private:
    WindowEvents& events_;
};

class PlayerDouble : public PlayerWindow {
public:
    explicit PlayerDouble(WindowEvents& events) : events_(events) {}
    void load() override { events_.append(QStringLiteral("player load")); }
    void showWindow() override {}
    void hideWindow() override {}
    bool isShown() const override { return false; }
    void startMusic() override { events_.append(QStringLiteral("player startMusic")); }
    void stopAllMusic() override { events_.append(QStringLiteral("player stopAllMusic")); }

private:
    WindowEvents& events_;
};

// A program over fakes with the real panel and doubles of the other windows, in temporary
// settings and runtime folders.
struct PanelHarness {
    PanelHarness();

    test::TempEnv env;
    test::ProgramHarness h;
    WindowEvents events;

    // Stores a "Settings" value, or a whole list ("pictures", "music") before the panel opens.
    void setSetting(const QString& key, const QString& value);
    void setList(const QString& section, const QStringList& items);
    QStringList storedList(const QString& section) const;
    QString setting(const QString& key) const;
    // The "Settings" keys written since the log was last cleared, in order.
    QStringList writtenSettings() const;

    // Loads the panel (running its load) and shows it, so that its controls have their geometry.
    ControlPanel* open();
    ControlPanel* panel() const;

    template <class T>
    T* find(const QString& name) const {
        return panel()->findChild<T*>(name);
    }
    // The texts of the entries of a list box.
    QStringList items(const QString& list) const;
    // A widget of a control array by its object name and index (the drive buttons, the help texts).
    QWidget* element(const QString& name, int index) const;

    MemorySettingsStore& store() const { return *h.fakes.store; }
    QStringList commands() const { return h.fakes.media->commands(); }
};

// A real click with the mouse: press, then release over the widget.
void clickWithMouse(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
// A click on entry `row` of a list box.
void clickRow(QWidget* list, int row);
// A picture file of `size` made in `folder`; returns its path.
QString writePicture(const QString& folder, const QString& name, QColor colour = Qt::red);

}  // namespace luma::paneltest
