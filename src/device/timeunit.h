#pragma once

#include "forms/bindingpage.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;
class QTabWidget;
class RadioGroup;

// The summer-time page: the rule status and offset, and the start and end
// points of the repeating and the annual rule, each an octet string edited
// in parts. Only the rule chosen is read and written; all of it is checked
// before the one SET that carries status, offset and its points.
class TSummerTimePage final : public TBindingPage
{
public:
    TSummerTimePage();

    void showPage() override;
    void applyPage() override;

protected:
    void bindExtraControls(KxSNMPRequest2Edits &binding) override;

private:
    // The points of one rule: the repeating (1) or the annual (2) one.
    struct PointControls
    {
        QLineEdit *day = nullptr; // annual: day of the month
        QComboBox *week = nullptr;
        QComboBox *weekday = nullptr;
        QComboBox *month = nullptr;
        QLineEdit *hour = nullptr;
        QLineEdit *minute = nullptr;
    };

    RadioGroup *status() const;
    // Takes the points of the rule into reading and writing, the other
    // rule's out; -1 takes none.
    void usePointsOf(int rule);
    void showRuleControls();
    bool checkRepeating() const;
    bool checkAnnual() const;
    bool checkAnnualDay(const PointControls &point, bool start) const;
    void annualMonthChosen(const PointControls &point, bool start);

    PointControls m_repeatStart;
    PointControls m_repeatEnd;
    PointControls m_annualStart;
    PointControls m_annualEnd;
    std::vector<QWidget *> m_repeatWidgets;
    std::vector<QWidget *> m_annualWidgets;
};

// The switch's clock, time zone, SNTP client and summer-time rules, one page
// each with its own Apply and Refresh.
class Tfrm_Time final : public QDialog
{
public:
    explicit Tfrm_Time(QWidget *parent = nullptr);

    QTabWidget *pages() const { return m_pages; }
    TBindingPage *page(int index) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *withButtons(TBindingPage *page, const QString &prefix);

    QTabWidget *m_pages;
    std::vector<TBindingPage *> m_pageList;
    bool m_created = false;
};
