#include "forms/portselection.h"

#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int ButtonsPerRow = 20;

} // namespace

PortSelectionDialog::PortSelectionDialog(const PortSet &ports,
                                         const PortSelectionOptions &options,
                                         QWidget *parent)
    : QDialog(parent)
    , m_options(options)
    , m_ports(options.clearDisabled ? ports - options.disabled : ports)
{
    m_ports.set(options.lockedPort, true);
    if (options.exclusive)
        m_group = new QButtonGroup(this);
    // A chosen port must stand out from the others at a glance.
    setStyleSheet(u"QPushButton:checked { background: palette(highlight);"
                  " color: palette(highlighted-text); }"_s);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int port = 1; port <= PortSet::PortCount; ++port) {
        const int at = port - 1;
        grid->addWidget(makePortButton(port), at / ButtonsPerRow, at % ButtonsPerRow);
    }
    QPushButton *ok = makeButton(u"Ok..."_s, u"btnOk"_s);
    QPushButton *close = makeCloseButton(this);
    connect(ok, &QPushButton::clicked, this, &PortSelectionDialog::btnOkClick);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(makeButtonBar({ok, close}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton *PortSelectionDialog::makePortButton(int port)
{
    auto *button = new QPushButton(QString::number(port));
    button->setObjectName(u"btnPort%1"_s.arg(port));
    button->setCheckable(true);
    button->setAutoDefault(false);
    button->setFixedSize(button->fontMetrics().horizontalAdvance(u"00"_s) + 14,
                         button->fontMetrics().height() + 10);
    const bool locked = port == m_options.lockedPort;
    if (m_group && !locked)
        m_group->addButton(button, port);
    // Connected first: in a group, a port pressed here releases one pressed before.
    connect(button, &QPushButton::toggled, this, [this, port](bool down) { toggled(port, down); });
    connect(button, &QPushButton::clicked, this, [this] { m_clicked = true; });
    button->setChecked(m_ports.contains(port));
    button->setEnabled(!locked && !m_options.disabled.contains(port));
    m_buttons[static_cast<size_t>(port - 1)] = button;
    return button;
}

QPushButton *PortSelectionDialog::portButton(int port) const
{
    return m_buttons.at(static_cast<size_t>(port - 1));
}

void PortSelectionDialog::toggled(int port, bool down)
{
    m_ports.set(port, down);
}

void PortSelectionDialog::btnOkClick()
{
    if (!m_clicked && !m_options.unclickedRefusal.isEmpty()) {
        showPlainMessage(this, m_options.unclickedRefusal);
        return;
    }
    const QString refused = m_options.refusal ? m_options.refusal(m_ports) : QString();
    if (!refused.isEmpty()) {
        showPlainMessage(this, refused);
        return;
    }
    accept();
}
