#pragma once

#include <QLoggingCategory>

#include <functional>

class QWidget;

Q_DECLARE_LOGGING_CATEGORY(lcDialogs)

// Runs a Refresh or Apply of a dialog: a KxException is written to the
// rq5160.dialogs category so that its reason is not lost, and the result is
// false. An exception that refuses the user's entry (an empty or malformed
// box) is also shown to the user, who can then correct it.
bool runGuarded(QWidget *parent, const std::function<bool()> &operation);

// A plain message: the application's title as caption and one OK button.
void showPlainMessage(QWidget *parent, const QString &text);
