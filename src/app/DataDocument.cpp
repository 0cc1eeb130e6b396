#include "app/DataDocument.h"

#include <QFileInfo>
#include <QUndoStack>

namespace kadenza {

DataDocument::DataDocument(QUndoStack& deletions, QObject* parent)
    : QObject(parent), deletions_(deletions) {
    connect(&deletions_, &QUndoStack::cleanChanged, this, &DataDocument::changed);
}

void DataDocument::downloaded() {
    path_.clear();
    archiveEntry_.clear();
    downloadUnsaved_ = true;
    detailsUnsaved_ = false;
    deletions_.clear();
    emit changed();
}

void DataDocument::opened(const QString& path) {
    path_ = path;
    archiveEntry_.clear();
    downloadUnsaved_ = false;
    detailsUnsaved_ = false;
    deletions_.clear();
    emit changed();
}

void DataDocument::saved(const QString& path) {
    path_ = path;
    archiveEntry_.clear();
    downloadUnsaved_ = false;
    detailsUnsaved_ = false;
    deletions_.setClean();
    emit changed();
}

void DataDocument::openedFromArchive(const QString& entry) {
    opened(QString());
    archiveEntry_ = entry;
    emit changed();
}

void DataDocument::detailsStored() {
    detailsUnsaved_ = true;
    emit changed();
}

bool DataDocument::isModified() const {
    return downloadUnsaved_ || detailsUnsaved_ || !deletions_.isClean();
}

QString DataDocument::fileName() const {
    return path_.isEmpty() ? archiveEntry_ : QFileInfo(path_).fileName();
}

}  // namespace kadenza
