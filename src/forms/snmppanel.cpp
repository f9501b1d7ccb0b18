#include "forms/snmppanel.h"

#include "binding/edits.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int ButtonWidth = 96;
constexpr int Margin = 10;
constexpr int MessageHeight = 50;
constexpr int MaxClientWidth = 800;
constexpr int MaxClientHeight = 550;

} // namespace

TCtrlBtnPanel::TCtrlBtnPanel(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(u"CtrlBtnPanel"_s);
    m_layout->setContentsMargins(Margin, Margin, Margin, Margin);
    m_layout->setSpacing(5);
    samplesCount = new QLabel(u"0"_s);
    samplesCount->setAlignment(Qt::AlignCenter);
    samplesCount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    samplesCount->setFixedWidth(ButtonWidth);
    samplesLabel = new QLabel(u"Samples"_s);
    samplesLabel->setAlignment(Qt::AlignCenter);
    samplesLabel->setFixedWidth(ButtonWidth);
    m_layout->addWidget(samplesCount);
    m_layout->addWidget(samplesLabel);
    refresh = addButton(u"Refresh"_s, u"Get.bmp"_s, "btnRefresh");
    edit = addButton(u"Edit"_s, u"Set.bmp"_s, "btnEdit");
    setChecked = addButton(u"Set Checked"_s, u"SetCheck.bmp"_s, "btnSetChecked");
    add = addButton(u"Add"_s, u"Add.bmp"_s, "btnAdd");
    remove = addButton(u"Delete"_s, u"Delete.bmp"_s, "btnDelete");
    checkAll = addButton(u"Check All"_s, u"SelectAll.bmp"_s, "btnCheckAll");
    clearChecks = addButton(u"Clear Checks"_s, u"SelectNone.bmp"_s, "btnClearChecks");
    close = addButton(u"Close"_s, u"Close.bmp"_s, "btnClose");
    add->hide();
    remove->hide();
    m_layout->addStretch(1);
    setFixedWidth(2 * Margin + ButtonWidth);
}

// A button of the column; a picture of that name in the working directory
// replaces its caption.
QPushButton *
TCtrlBtnPanel::addButton(const QString &caption, const QString &picture, const char *name)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedWidth(ButtonWidth);
    const QString path = QDir::current().filePath(picture);
    if (QFileInfo::exists(path)) {
        const QIcon icon(path);
        if (!icon.isNull() && !icon.availableSizes().isEmpty()) {
            button->setText(QString());
            button->setIcon(icon);
            button->setIconSize(icon.availableSizes().constFirst());
        }
    }
    m_layout->addWidget(button);
    return button;
}

TMsgPanel::TMsgPanel(QWidget *parent)
    : QWidget(parent)
    , memo(new QPlainTextEdit)
{
    memo->setObjectName(u"Memo"_s);
    memo->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo);
    setFixedHeight(MessageHeight);
}

TSNMPPanel::TSNMPPanel(KxSNMPRequest2Edits *binding, QWidget *parent)
    : QWidget(parent)
    , m_binding(binding)
    , m_buttons(new TCtrlBtnPanel)
    , m_messages(new TMsgPanel)
    , m_contentArea(new QWidget)
{
    auto *contentLayout = new QVBoxLayout(m_contentArea);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    auto *left = new QSplitter(Qt::Vertical);
    left->addWidget(m_contentArea);
    left->addWidget(m_messages);
    left->setStretchFactor(0, 1);
    left->setHandleWidth(5);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(left, 1);
    layout->addWidget(m_buttons);
    binding->SetLogControl(m_messages->memo);
}

void TSNMPPanel::SetContent(QWidget *content)
{
    if (m_content) {
        m_content->hide();
        m_contentArea->layout()->removeWidget(m_content);
    }
    m_content = content;
    m_contentArea->layout()->addWidget(content);
    content->show();
}

void TSNMPPanel::AttachToForm(QWidget *form)
{
    auto *layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(this);
    const QSize wanted = sizeHint();
    form->resize(
        std::min(wanted.width(), MaxClientWidth),
        std::min(std::max(wanted.height(), m_buttons->sizeHint().height()), MaxClientHeight));
}
