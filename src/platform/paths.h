#pragma once

#include <QString>

// Joins a folder and a file name with "/": the name alone for an empty folder,
// no second separator when the folder already ends with one.
QString JoinPath(const QString &directory, const QString &name);

// The folder of the running executable, ending with "/".
QString ExecutableFolder();

// The program's file name without its folder: the caption of message boxes.
QString ProgramFileName();
