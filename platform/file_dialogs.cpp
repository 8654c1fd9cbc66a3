#include "platform/file_dialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

#include "platform/service_seam.h"

namespace platform {

namespace {

// The ending of a type of file: "pdf" of "Документ PDF (*.pdf)".
QString endingOf(const QString& filter)
{
    return filter.section(QStringLiteral("*."), 1, 1).section(QRegularExpression(QStringLiteral("[ )]")), 0, 0);
}

class QtFileDialogs final : public FileDialogs {
public:
    QString fileToOpen(QWidget* parent, const QString& title, const QStringList& filters) override
    {
        return remembered(QFileDialog::getOpenFileName(parent, title, folder_, filters.join(QStringLiteral(";;"))));
    }

    // A name typed without an ending takes the chosen type's before the
    // dialog asks whether to replace a file of that name, not after.
    QString fileToSave(QWidget* parent, const QString& title, const QString& suggested, const QStringList& filters,
                       QString& filter) override
    {
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
