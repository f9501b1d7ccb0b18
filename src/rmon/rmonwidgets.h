#pragma once

#include "forms/formbuilder.h"
#include "forms/listtext.h"

#include <QString>
#include <QStringList>

class QChartView;
class QLineEdit;
class QTreeWidget;
class QWidget;

// Small builders and actions the RMON pages share.

// The builders of the dialogs (forms/formbuilder.h) serve the pages too.
QLineEdit *Edit(const QString &name, const QString &text = {});
// A list view in report style with those column titles.
QTreeWidget *ReportList(const QString &name, const QList<KxTextColumn> &columns);

// Fits every column of the list to its title and cells.
void FitColumns(QTreeWidget &list);
// The list's rows as shown, for Save (CSV or text).
KxListText ListTextOf(const QTreeWidget &list, const QList<KxTextColumn> &columns);
// Offers the save dialog for a PNG image and saves the chart as shown.
void SaveChart(QWidget *page, QChartView &chart);
// Shows a refusal or a failed entry check as an error message.
void ShowError(QWidget *page, const QString &message);
