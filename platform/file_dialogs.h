#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// The dialogs in which the user picks a file to open or to save into. A
// seam, so that window tests can answer them without a dialog on screen.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The file chosen, or empty when the user cancelled.
    virtual QString fileToOpen(QWidget* parent, const QString& title, const QStringList& filters) = 0;
    // The file chosen and, in filter, the type chosen; the dialog asks before
    // it names a file that exists.
    virtual QString fileToSave(QWidget* parent, const QString& title, const QString& suggested,
                               const QStringList& filters, QString& filter) = 0;
    // A folder to write files into, or empty when the user cancelled.
    virtual QString folderToWrite(QWidget* parent, const QString& title) = 0;
    // The folder the next dialog opens in, as after a file of it was opened
    // in other ways (the command line, a file dropped on a window).
    virtual void startIn(const QString& folder) { Q_UNUSED(folder); }
};

// The name chosen with the ending it is to be saved by: its own where it is
// one of those kept (any ending, where none is given), else the chosen
// type's ("*.pdf" in "Документ PDF (*.pdf)").
QString withEnding(const QString& path, const QString& filter, const QStringList& kept = {});

// The service in force: the toolkit's dialogs unless a test has set its own.
FileDialogs& fileDialogs();
// nullptr goes back to the toolkit's.
void setFileDialogs(FileDialogs* dialogs);

}  // namespace platform
