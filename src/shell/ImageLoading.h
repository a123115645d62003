#pragma once
// Reading a picture file for the windows of the shell.
#include <QImage>
#include <QString>

// False with a message ("Файл не найден!" for a missing file) when the file cannot be read.
bool LoadImageFile(const QString &fileName, QImage &out, QString &error);
