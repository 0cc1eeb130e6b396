#pragma once

#include <QObject>
#include <QString>

class QUndoStack;

namespace kadenza {

// Where the window's measured data stand with files: the file they came from or were last
// saved to (none after a download), and whether they changed since. A deletion made since
// is unsaved until Undo takes it back.
class DataDocument : public QObject {
    Q_OBJECT

  public:
    DataDocument(QUndoStack& deletions, QObject* parent);

    // A download replaced the data: no file holds them.
    void downloaded();
    // The data are the file's: opened from it, or saved to it as a data file.
    void opened(const QString& path);
    void saved(const QString& path);
    // The data are an inspection of the archive, named by its entry; no file holds them.
    void openedFromArchive(const QString& entry);
    // The user stored the inspection's details: unsaved until the data go into a file.
    void detailsStored();

    bool isModified() const;
    // The file's name without its folder, or the archive entry's name; empty when neither
    // holds the data.
    QString fileName() const;

  signals:
    void changed();

  private:
    QUndoStack& deletions_;
    QString path_;
    QString archiveEntry_;
    bool downloadUnsaved_ = false;
    bool detailsUnsaved_ = false;
};

}  // namespace kadenza
