#pragma once

#include <QString>

#include <functional>

class QWidget;

// A modal window that shows progress while a long operation of the switch goes
// on (enabling spanning tree). The application installs the window it shows;
// dialogs only ask for one. The window starts the work when it is created.
struct ProgressWindowRequest
{
    QWidget *parent = nullptr;
    QString caption;
    QString prompt;
    std::function<void()> work;
};

using ProgressWindowShower = std::function<void(const ProgressWindowRequest &request)>;

// Installs the shower; an empty one restores the default, which only runs the work.
void setProgressWindowShower(ProgressWindowShower shower);
void showProgressWindow(const ProgressWindowRequest &request);
