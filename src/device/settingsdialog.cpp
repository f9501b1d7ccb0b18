#include "device/settingsdialog.h"

#include "forms/bindingpage.h"
#include "forms/formbuilder.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TSettingsDialog::TSettingsDialog(TBindingPage *page, QWidget *parent, bool readOnShow)
    : QDialog(parent)
    , m_page(page)
    , m_read(!readOnShow)
{
    QPushButton *apply = makeButton(u"Apply"_s, u"bbtnApply"_s);
    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    connect(apply, &QPushButton::clicked, this, [this] { bbtnApplyClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(page, 1);
    layout->addLayout(makeButtonBar({apply, close}));
}

void TSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_read)
        return;
    m_read = true;
    QMetaObject::invokeMethod(
        this, [this] { m_page->showPage(); }, Qt::QueuedConnection);
}

void TSettingsDialog::bbtnApplyClick()
{
    m_page->applyPage();
}
