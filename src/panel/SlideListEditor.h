#pragma once

#include <QObject>
#include <QStringList>

namespace luma {

class ListFiller;
class Program;
class SlidesTab;
class StoredList;

// What the "Slides" page does: fills the slide list from the store, browses for a picture,
// appends it, selects and previews entries, removes one and shuffles the list. Every change of the
// list is written through to the store at once; a rebuild is written in one piece.
class SlideListEditor : public QObject {
    Q_OBJECT
public:
    // `lastDialogFile` is the file the shared file dialog returned last.
    SlideListEditor(Program& program, SlidesTab& tab, QString& lastDialogFile);

    // The panel's load: the stored slide list into the list box, its first entry into the file box
    // and the preview.
    void loadStoredList();

    void browsePictures();  // "...": one or more pictures
    // "add file to slides": the file box's path, or every picture the dialog chose when the box
    // has not been written since; a choice is added once.
    void addPicture();
    void addFolder();  // "add folder…"
    void chooseSlide(int row);
    void fileBoxClicked();
    void removeSlide();      // "Remove"
    void randomizeSlides();  // "Randomize List"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StoredList slideList() const;
    void showInList(const QStringList& entries);
    QString dialogStart() const;  // where the file dialogs open
    QStringList entries() const;

    Program& program_;
    SlidesTab& tab_;
    QString& lastDialogFile_;
    QStringList chosen_;  // what the file dialog chose last
    ListFiller* filler_;
    // The file name box, as the event filter knows it: compared by address only, as the filter
    // still sees the box's last events while the tab that holds it is being destroyed.
    const QObject* const fileBox_;
};

}  // namespace luma
