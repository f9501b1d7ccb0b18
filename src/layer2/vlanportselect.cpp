#include "layer2/vlanportselect.h"

#include "forms/formbuilder.h"
#include "layer2/vlanports.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int ButtonsPerRow = 20;

} // namespace

TfrmVLanPortSelection::TfrmVLanPortSelection(const QString &states,
                                             const QString &selectable,
                                             bool clearUnselectable,
                                             QWidget *parent)
    : QDialog(parent)
    , m_states(states.leftJustified(VLanPortCount, u'0', true))
{
    // A chosen port must stand out from the others at a glance.
    setStyleSheet(u"QPushButton:checked { background: palette(highlight);"
                  " color: palette(highlighted-text); }"_s);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int port = 1; port <= VLanPortCount; ++port) {
        auto *button = new QPushButton(QString::number(port));
        button->setObjectName(u"btnPort%1"_s.arg(port));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setFixedSize(button->fontMetrics().horizontalAdvance(u"00"_s) + 14,
                             button->fontMetrics().height() + 10);
        const int at = port - 1;
        const bool usable = hasPortAt(selectable, at);
        if (!usable && clearUnselectable)
            m_states[at] = u'0';
        button->setChecked(m_states.at(at) == u'1');
        button->setEnabled(usable);
        connect(
            button, &QPushButton::toggled, this, [this, port](bool down) { toggled(port, down); });
        grid->addWidget(button, at / ButtonsPerRow, at % ButtonsPerRow);
        m_buttons.push_back(button);
    }
    QPushButton *ok = makeButton(u"Ok..."_s, u"btnOk"_s);
    QPushButton *close = makeButton(u"Close"_s, u"btnClose"_s);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(makeButtonBar({ok, close}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton *TfrmVLanPortSelection::portButton(int port) const
{
    return m_buttons.at(static_cast<size_t>(port - 1));
}

void TfrmVLanPortSelection::toggled(int port, bool down)
{
    m_states[port - 1] = down ? u'1' : u'0';
}
