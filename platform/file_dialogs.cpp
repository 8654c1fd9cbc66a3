#include "platform/file_dialogs.h"

#include <QFileDialog>

#include "platform/service_seam.h"

namespace platform {

namespace {

class QtFileDialogs final : public FileDialogs {
public:
    QString fileToOpen(QWidget* parent, const QString& title, const QStringList& filters) override
    {
        return remembered(QFileDialog::getOpenFileName(parent, title, folder_, filters.join(QStringLiteral(";;"))));
    }

    QString fileToSave(QWidget* parent, const QString& title, const QString& suggested, const QStringList& filters,
                       QString& filter) override
    {
        filter = filters.value(0);
        return remembered(QFileDialog::getSaveFileName(parent, title, folder_ + u'/' + suggested,
                                                       filters.join(QStringLiteral(";;")), &filter));
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

FileDialogs& fileDialogs()
{
    return Seam::get();
}

void setFileDialogs(FileDialogs* dialogs)
{
    Seam::replace(dialogs);
}

}  // namespace platform
