#include "security/aaamethods.h"

#include "binding/standardoptions.h"
#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/prompts.h"
#include "platform/radiogroup.h"
#include "security/aaatables.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

constexpr int MaxMembers = 4;
constexpr int MaxLists = 8;
constexpr int MaxNameLength = 15;

const KxOptionList loginTypes{{1, "TACACS"},
                              {2, "XTACACS"},
                              {3, "TACACS+"},
                              {4, "Radius"},
                              {5, "ServerGroup"},
                              {6, "Local"},
                              {8, "None"},
                              {9, "Other"}};
const KxOptionList enableTypes{{1, "TACACS"},
                               {2, "XTACACS"},
                               {3, "TACACS+"},
                               {4, "Radius"},
                               {5, "ServerGroup"},
                               {7, "Local-Enable"},
                               {8, "None"},
                               {9, "Other"}};

const QString serverGroupType = u"ServerGroup"_s;
const QString otherType = u"Other"_s;
const QString noneType = u"None"_s;

// The descriptors of a method list table, in column order.
std::vector<KxSNMPVarDesc> &methodTable(const AAAMethodSide &side)
{
    static std::vector<KxSNMPVarDesc> tables[2];
    static std::vector<QByteArray> oids[2];
    std::vector<KxSNMPVarDesc> &table = tables[side.enable];
    if (!table.empty())
        return table;
    static const char *const loginNames[] = {"Login Method List Name",
                                             "Login Method1 Type",
                                             "Login Method1 Server Group",
                                             "Login Method2 Type",
                                             "Login Method2 Server Group",
                                             "Login Method3 Type",
                                             "Login Method3 Server Group",
                                             "Login Method4 Type",
                                             "Login Method4 Server Group",
                                             "Login Method List Row Status"};
    static const char *const enableNames[] = {"Enable Method List Name",
                                              "Enable Method1 Type",
                                              "Enable Method1 Server Group",
                                              "Enable Method2 Type",
                                              "Enable Method2 Server Group",
                                              "Enable Method3 Type",
                                              "Enable Method3 Server Group",
                                              "Enable Method4 Type",
                                              "Enable Method4 Server Group",
                                              "Enable Method List Row Status"};
    const char *const *names = side.enable ? enableNames : loginNames;
    const KxOptionList *types = side.enable ? &enableTypes : &loginTypes;
    for (int column = 0; column <= MethodStatus; ++column)
        oids[side.enable].push_back(QByteArray(side.tableOid) + '.'
                                    + QByteArray::number(column + 1));
    for (int column = 0; column <= MethodStatus; ++column) {
        const char *oid = oids[side.enable][static_cast<size_t>(column)].constData();
        if (column == MethodName)
            table.push_back({oid, names[column], DisplayStr, NotAccess});
        else if (column == MethodStatus)
            table.push_back({oid, names[column], Integer, ReadWrite, &RowStatusOptions});
        else if (column % 2 == 1)
            table.push_back({oid, names[column], Integer, ReadWrite, types});
        else
            table.push_back({oid, names[column], DisplayStr, ReadWrite});
    }
    table.push_back({});
    return table;
}

QString word(const AAAMethodSide &side)
{
    return QString::fromLatin1(side.word);
}

QString prefix(const AAAMethodSide &side)
{
    return QString::fromLatin1(side.prefix);
}

bool endsTheList(const QString &type, const AAAMethodSide &side)
{
    return type == QLatin1StringView(side.localType) || type == noneType;
}

bool isMethodListName(const QString &name)
{
    return !name.isEmpty() && name.size() <= MaxNameLength
           && std::all_of(name.begin(), name.end(), [](QChar c) {
                  return c.unicode() > 0x20 && c.unicode() < 0x7F;
              });
}

} // namespace

const AAAMethodSide LoginMethods{
    false, "Login", "Local", "1.3.6.1.4.1.88508.12.5.3.1", "1.3.6.1.4.1.88508.12.5.7.1", "login"};
const AAAMethodSide EnableMethods{true,
                                  "Enable",
                                  "Local-Enable",
                                  "1.3.6.1.4.1.88508.12.5.4.1",
                                  "1.3.6.1.4.1.88508.12.5.7.2",
                                  "enable"};

KxTableDesc MethodListDesc(const AAAMethodSide &side)
{
    QList<KxTextColumn> columns{{u"Method List Name"_s, 16}};
    for (int pair = 1; pair <= MethodPairs; ++pair)
        columns << KxTextColumn{u"Method%1"_s.arg(pair), 12}
                << KxTextColumn{u"Server Group%1"_s.arg(pair), 15};
    columns << KxTextColumn{u"Status"_s, 12};
    return AAAListDesc(side.enable ? "lvEnableMethodList" : "lvLoginMethodList",
                       methodTable(side).data(),
                       1,
                       columns,
                       MethodStatus,
                       MaxLists,
                       word(side) + u" Method"_s);
}

// A protocol goes with its built-in group, a server group with its name;
// "Local", "Local-Enable" and "None" stand alone.
QStringList MethodMembers(const QTreeWidgetItem &row, const AAAMethodSide &side)
{
    QStringList members;
    for (int pair = 0; pair < MethodPairs; ++pair) {
        const QString type = row.text(FirstMethodType + 2 * pair);
        if (type.isEmpty() || type == otherType)
            continue;
        if (endsTheList(type, side))
            members << type;
        else if (type == serverGroupType)
            members << serverGroupType + u" , "_s + row.text(FirstMethodType + 2 * pair + 1);
        else
            members << type + u" , "_s + type.toLower();
    }
    return members;
}

QStringList MethodPairCells(const QStringList &members, const AAAMethodSide &side)
{
    QStringList cells;
    for (const QString &member : members) {
        if (cells.size() == 2 * MethodPairs)
            break;
        const qsizetype comma = member.indexOf(u',');
        const QString type = (comma < 0 ? member : member.left(comma)).trimmed();
        const QString group = comma < 0 ? QString() : member.mid(comma + 1).trimmed();
        cells << type << (endsTheList(type, side) ? QString() : group);
        if (endsTheList(type, side))
            break;
    }
    if (cells.isEmpty())
        cells << QString::fromLatin1(side.localType) << QString();
    while (cells.size() < 2 * MethodPairs)
        cells << otherType << QString();
    return cells;
}

TAAAMethodDualListDlg::TAAAMethodDualListDlg(const AAAMethodSide &side,
                                             QTreeWidget &lists,
                                             const QTreeWidget &groups,
                                             bool adding,
                                             QWidget *parent)
    : QDialog(parent)
    , m_side(side)
    , m_lists(lists)
    , m_groups(groups)
    , m_adding(adding)
    , m_name(makeEdit(side.enable ? u"edtEnableMethod"_s : u"edtLoginMethod"_s))
    , m_source(new QListWidget)
    , m_chosen(new QListWidget)
    , m_include(makeButton(u">"_s, u"IncludeBtn"_s))
    , m_includeAll(makeButton(u">>"_s, u"IncAllBtn"_s))
    , m_exclude(makeButton(u"<"_s, u"ExcludeBtn"_s))
    , m_excludeAll(makeButton(u"<<"_s, u"ExAllBtn"_s))
    , m_apply(makeButton(u"Apply"_s, u"btnApply"_s))
    , m_reset(makeButton(u"Reset"_s, u"btnRefresh"_s))
{
    setObjectName(side.enable ? u"TAAAInfoEnableMethodDualListDlg"_s
                              : u"TAAAInfoLoginMethodDualListDlg"_s);
    setWindowTitle(word(side) + u" Method"_s);
    m_source->setObjectName(u"SrcList"_s);
    m_chosen->setObjectName(u"DstList"_s);
    for (QListWidget *list : {m_source, m_chosen})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_source->setSortingEnabled(true);
    m_name->setEnabled(adding);
    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();

    auto *name = new QGridLayout;
    addGridRow(name, word(side) + u" Method Name:"_s, m_name, new QLabel(u"String <15>"_s));
    auto *moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QPushButton *button : {m_include, m_includeAll, m_exclude, m_excludeAll})
        moves->addWidget(button);
    moves->addStretch(1);
    auto *lists_ = new QGridLayout;
    lists_->addWidget(new QLabel(u"Method Members:"_s), 0, 0);
    lists_->addWidget(new QLabel(u"Current Method Members: (Max. 4)"_s), 0, 2);
    lists_->addWidget(m_source, 1, 0);
    lists_->addLayout(moves, 1, 1);
    lists_->addWidget(m_chosen, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addLayout(lists_, 1);
    layout->addLayout(makeButtonBar({m_apply, m_reset, close, help}));

    connect(m_include, &QPushButton::clicked, this, [this] { move(m_source, m_chosen, false); });
    connect(m_includeAll, &QPushButton::clicked, this, [this] { move(m_source, m_chosen, true); });
    connect(m_exclude, &QPushButton::clicked, this, [this] { move(m_chosen, m_source, false); });
    connect(m_excludeAll, &QPushButton::clicked, this, [this] { move(m_chosen, m_source, true); });
    connect(
        m_source, &QListWidget::itemSelectionChanged, this, &TAAAMethodDualListDlg::sourceClicked);
    connect(m_reset, &QPushButton::clicked, this, &TAAAMethodDualListDlg::fill);
    connect(m_apply, &QPushButton::clicked, this, &TAAAMethodDualListDlg::btnApplyClick);
    resize(520, 320);
    fill();
}

// The groups with at least one member, then the methods that end a list; in
// edit mode the selected list's members are already chosen.
void TAAAMethodDualListDlg::fill()
{
    m_source->clear();
    m_chosen->clear();
    QStringList candidates;
    for (int i = 0; i < m_groups.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *group = m_groups.topLevelItem(i);
        if (GroupMembers(*group).isEmpty())
            continue;
        const QString name = group->text(GroupName);
        const int protocol = GroupProtocol(name);
        if (protocol == 0)
            candidates << serverGroupType + u" , "_s + name;
        else
            candidates << AAAServerProtocols.Item(protocol - 1).text + u" , "_s + name;
    }
    candidates << QString::fromLatin1(m_side.localType) << noneType;
    if (!m_adding && m_lists.currentItem()) {
        m_name->setText(m_lists.currentItem()->text(MethodName));
        const QStringList members = MethodMembers(*m_lists.currentItem(), m_side);
        m_chosen->addItems(members);
        for (const QString &member : members)
            candidates.removeAll(member);
    }
    m_source->addItems(candidates);
    setMoveButtons();
    const bool anything = m_source->count() + m_chosen->count() > 0;
    m_apply->setEnabled(anything);
    m_reset->setEnabled(anything);
}

void TAAAMethodDualListDlg::move(QListWidget *from, QListWidget *to, bool all)
{
    int first = -1;
    for (int i = from->count() - 1; i >= 0; --i) {
        if (!all && !from->item(i)->isSelected())
            continue;
        first = i;
    }
    QStringList moved;
    for (int i = 0; i < from->count();) {
        if (all || from->item(i)->isSelected())
            moved << std::unique_ptr<QListWidgetItem>(from->takeItem(i))->text();
        else
            ++i;
    }
    to->addItems(moved);
    if (from->count() > 0 && first >= 0)
        from->setCurrentRow(std::min(first, from->count() - 1));
    setMoveButtons();
}

void TAAAMethodDualListDlg::setMoveButtons()
{
    const int sources = m_source->count();
    const int chosen = m_chosen->count();
    m_include->setEnabled(sources > 0 && chosen < MaxMembers);
    m_includeAll->setEnabled(sources > 0 && chosen < MaxMembers && sources + chosen <= MaxMembers);
    m_exclude->setEnabled(chosen > 0);
    m_excludeAll->setEnabled(chosen > 0);
}

// Moving more than four members in is not offered.
void TAAAMethodDualListDlg::sourceClicked()
{
    const int selected = static_cast<int>(m_source->selectedItems().size());
    const int chosen = m_chosen->count();
    if (selected + chosen > MaxMembers) {
        m_include->setEnabled(false);
        m_includeAll->setEnabled(false);
        return;
    }
    m_include->setEnabled(selected > 0);
    m_includeAll->setEnabled(m_source->count() + chosen <= MaxMembers);
}

QStringList TAAAMethodDualListDlg::chosenMembers() const
{
    QStringList members;
    for (int i = 0; i < m_chosen->count(); ++i)
        members << m_chosen->item(i)->text();
    return members;
}

bool TAAAMethodDualListDlg::endsAtLocalOrNone() const
{
    const QStringList members = chosenMembers();
    for (qsizetype i = 0; i + 1 < members.size(); ++i) {
        if (endsTheList(members.at(i), m_side))
            return false;
    }
    return true;
}

bool TAAAMethodDualListDlg::entriesValid()
{
    const QString name = m_name->text();
    const QString side = prefix(m_side);
    const bool tooMany = m_chosen->count() > MaxMembers;
    if (m_adding) {
        const bool known
            = !m_lists.findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive, MethodName)
                   .isEmpty();
        if (!checkEntry(isMethodListName(name),
                        m_name,
                        invalidStringMessage(word(m_side) + u" Method Name"_s))
            || !checkEntry(!known,
                           m_name,
                           u"Has existed a record with the same %1 Method."_s.arg(word(m_side)))
            || !checkEntry(!tooMany,
                           m_apply,
                           u"You can not add a %1 method with more than four members."_s.arg(side)))
            return false;
    } else if (!checkEntry(!name.isEmpty(), m_name, u"%1 Method Name is empty."_s.arg(word(m_side)))
               || !checkEntry(
                   !tooMany,
                   m_apply,
                   u"You can not set a %1 method with more than four members."_s.arg(side))) {
        return false;
    }
    if (endsAtLocalOrNone())
        return true;
    const QString question
        = u"TACACS will ignore %1 methods which be after %2 or None. Do you want to modify your choice?"_s
              .arg(side, QString::fromLatin1(m_side.localType));
    return !prompts().question(this, QGuiApplication::applicationDisplayName(), question);
}

void TAAAMethodDualListDlg::btnApplyClick()
{
    if (!entriesValid())
        return;
    const QStringList pairs = MethodPairCells(chosenMembers(), m_side);
    if (m_adding) {
        auto *row = new QTreeWidgetItem(QStringList{m_name->text()} + pairs
                                        + QStringList{u"createAndGo"_s});
        m_lists.addTopLevelItem(row);
        m_lists.setCurrentItem(row);
    } else if (QTreeWidgetItem *row = m_lists.currentItem()) {
        for (int i = 0; i < pairs.size(); ++i)
            row->setText(FirstMethodType + i, pairs.at(i));
    }
    accept();
}
