#pragma once

#include <QProcess>
#include <QStringList>

// What pdftotext reads in a PDF file the program wrote, with the options
// given: by default in its columns ("-layout"), pages parted by form feeds.
inline QString pdfText(const QString& path, const QStringList& options = {"-layout"})
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", options + QStringList{"-enc", "UTF-8", path, "-"});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
