#pragma once

#include "forms/bindingpage.h"

#include <functional>
#include <vector>

struct AAAMethodSide;
class RadioGroup;

// Which method list each access application uses: one radio group per
// application over the names of the method lists.
class TAAAApplicationPage final : public TBindingPage
{
public:
    TAAAApplicationPage(const AAAMethodSide &side, std::function<QStringList()> listNames);

    void applyPage() override;
    // Offers the method lists' names again, keeping each application's choice.
    void rebuildChoices();

protected:
    void afterRead() override;
    void showEvent(QShowEvent *event) override;

private:
    QStringList names() const;

    const AAAMethodSide &m_side;
    std::function<QStringList()> m_listNames;
    std::vector<RadioGroup *> m_choices;
    bool m_readQueued = false;
};
