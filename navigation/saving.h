#pragma once

#include <QByteArray>
#include <QString>

// Saves a file whole or not at all (platform::saveFile); where that fails,
// tells the user why in a message with the title given. False when the file
// was not saved.
bool saveOrTell(const QString& path, const QByteArray& bytes, const QString& title);
