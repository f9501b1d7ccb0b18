#include "app/about.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

TAboutForm::TAboutForm(const QString &address, QWidget *parent)
    : QDialog(parent)
    , m_release(new QLabel)
    , m_ok(new QPushButton(u"Ok"_s))
{
    setObjectName(u"AboutForm"_s);
    setWindowTitle(u"About RQ5160  Module :"_s + address);

    auto *icon = new QLabel;
    icon->setObjectName(u"ProgramIcon"_s);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    auto *product = new QLabel(u"Orvane RQ5160 Management Module"_s);
    product->setObjectName(u"ProductName"_s);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    auto *version = new QLabel(u"Release Version 4.00"_s);
    version->setObjectName(u"Version"_s);
    m_release->setObjectName(u"Release"_s);
    m_ok->setObjectName(u"OKButton"_s);
    m_ok->setDefault(true);
    m_ok->installEventFilter(this);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1, 1, 2);
    layout->addWidget(version, 1, 1);
    layout->addWidget(m_release, 1, 2);
    layout->addWidget(m_ok, 2, 0, 1, 3, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ok && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const auto shiftAlt = Qt::ShiftModifier | Qt::AltModifier;
        if (key->key() == Qt::Key_F3 && (key->modifiers() & shiftAlt) == shiftAlt)
            m_release->setText(u"R06(Build 2006/07/25)"_s);
    }
    return QDialog::eventFilter(watched, event);
}
