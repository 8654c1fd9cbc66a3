#include "platform/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QTimer>
#include <QRegularExpression>

#include "platform/service_seam.h"

namespace platform {

namespace {

// The ending of a type of file: "pdf" of "Документ PDF (*.pdf)".
QString endingOf(const QString& filter)
{
    return filter.section(QStringLiteral("*."), 1, 1).section(QRegularExpression(QStringLiteral("[ )]")), 0, 0);
}

// A closed dialog does not hand the activation back by itself: the window
// it was opened from gets it back, with the focus it had, if it is still there.
// And where the window system gave the window its focus while the dialog
// was still taken for open (a screen reader slows the program enough for
// that), the toolkit gave the window the system's focus but made no widget
// window the active one, so that nothing has the focus for a screen reader:
// once the dialog is gone, the window is made the active one.
class ActivationBack {
public:
    explicit ActivationBack(QWidget* parent) : window_(parent ? parent->window() : nullptr) {}
    ~ActivationBack()
    {
        if (!window_ || !window_->isVisible())
            return;
        window_->activateWindow();
        QTimer::singleShot(0, window_, [window = window_] {
            if (window->isVisible() && !QApplication::activeWindow())
                QApplication::setActiveWindow(window);
        });
    }
    ActivationBack(const ActivationBack&) = delete;
    ActivationBack& operator=(const ActivationBack&) = delete;

private:
    QPointer<QWidget> window_;
};

class QtFileDialogs final : public FileDialogs {
public:
    QString fileToOpen(QWidget* parent, const QString& title, const QStringList& filters) override
    {
        const ActivationBack back(parent);
        return remembered(QFileDialog::getOpenFileName(parent, title, folder_, filters.join(QStringLiteral(";;"))));
    }

    // A name typed without an ending takes the chosen type's before the
    // dialog asks whether to replace a file of that name, not after.
    QString fileToSave(QWidget* parent, const QString& title, const QString& suggested, const QStringList& filters,
                       QString& filter) override
    {
        const ActivationBack back(parent);
        QFileDialog dialog(parent, title, folder_ + u'/' + suggested);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(endingOf(filters.value(0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&](const QString& chosen) { dialog.setDefaultSuffix(endingOf(chosen)); });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        filter = dialog.selectedNameFilter();
        return remembered(dialog.selectedFiles().constFirst());
    }

    QString folderToWrite(QWidget* parent, const QString& title) override
    {
        const ActivationBack back(parent);
        QFileDialog dialog(parent, title, folder_);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        startIn(dialog.selectedFiles().constFirst());
        return dialog.selectedFiles().constFirst();
    }

    void startIn(const QString& folder) override { folder_ = folder; }

private:
    // The next dialog opens in the folder of the last file chosen.
    QString remembered(const QString& file)
    {
        if (!file.isEmpty())
            startIn(QFileInfo(file).absolutePath());
        return file;
    }

    QString folder_ = QDir::homePath();
};

using Seam = ServiceSeam<FileDialogs, QtFileDialogs>;

}  // namespace

QString withEnding(const QString& path, const QString& filter, const QStringList& kept)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (kept.isEmpty() ? !suffix.isEmpty() : kept.contains(suffix))
        return path;
    return endingOf(filter).isEmpty() ? path : path + u'.' + endingOf(filter);
}

FileDialogs& fileDialogs()
{
    return Seam::get();
}

void setFileDialogs(FileDialogs* dialogs)
{
    Seam::replace(dialogs);
}

}  // namespace platform
