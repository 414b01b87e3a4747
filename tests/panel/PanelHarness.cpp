#include "PanelHarness.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"

#include <QImage>
#include <QListWidget>
#include <QTest>

namespace luma::paneltest {

void DisplayDouble::load() {
    events_.append(QStringLiteral("display load"));
    if (program_.settings.musicOnly == 1) {
        program_.unloadDisplay();  // as the real display does in music-only mode
    }
}

void DisplayDouble::showWindow() {
    shown_ = true;
    events_.append(QStringLiteral("display show"));
}

void DisplayDouble::setBackgroundColour(std::int32_t colour) {
    events_.append(QStringLiteral("display background %1").arg(colour));
}

PanelHarness::PanelHarness() {
    Program& program = h.program;
    program.setDisplayFactory(
        [this](Program& p) { return std::make_unique<DisplayDouble>(p, events); });
    program.setTrayFactory([this](Program&) { return std::make_unique<TrayDouble>(events); });
    program.setPlayerFactory([this](Program&) { return std::make_unique<PlayerDouble>(events); });
    program.setPanelFactory([](Program& p) { return std::make_unique<ControlPanel>(p); });
    setSetting(keys::kMouseSens, QStringLiteral("15"));
}

void PanelHarness::setSetting(const QString& key, const QString& value) {
    store().write(keys::kSettings, key, value);
    store().clearLog();
}

void PanelHarness::setList(const QString& section, const QStringList& items) {
    StoredList(store(), section).rewrite(items);
    store().clearLog();
}

QStringList PanelHarness::storedList(const QString& section) const {
    return StoredList(store(), section).readAll();
}

QString PanelHarness::setting(const QString& key) const {
    return store().read(keys::kSettings, key, QStringLiteral("(absent)"));
}

QStringList PanelHarness::writtenSettings() const {
    QStringList written;
    for (const auto& w : store().log()) {
        if (w.section == keys::kSettings) {
            written.append(w.key + u'=' + w.value.value_or(QStringLiteral("(removed)")));
        }
    }
    return written;
}

ControlPanel* PanelHarness::open() {
    auto* window = dynamic_cast<ControlPanel*>(h.program.panel());
    if (window != nullptr) {
        window->showWindow();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(window, 5000);
    }
    return window;
}

ControlPanel* PanelHarness::panel() const {
    return dynamic_cast<ControlPanel*>(h.program.panelIfLoaded());
}

QStringList PanelHarness::items(const QString& list) const {
    QStringList texts;
    const auto* box = find<QListWidget>(list);
    for (int i = 0; i < box->count(); ++i) {
        texts.append(box->item(i)->text());
    }
    return texts;
}

QWidget* PanelHarness::element(const QString& name, int index) const {
    for (QWidget* w : panel()->findChildren<QWidget*>(name)) {
        if (w->property("index").toInt() == index) {
            return w;
        }
    }
    return nullptr;
}

void clickWithMouse(QWidget* widget, Qt::MouseButton button) {
    QTest::mouseClick(widget, button, {}, widget->rect().center());
}

void clickRow(QWidget* list, int row) {
    auto* l = static_cast<QListWidget*>(list);
    l->scrollToItem(l->item(row));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
}

QString writePicture(const QString& folder, const QString& name, QColor colour) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder + u'/' + name;
    image.save(path);
    return path;
}

}  // namespace luma::paneltest
