#include "TbsSkinForms.h"

#include <algorithm>

namespace {
std::vector<TbsSkinForms::Entry>& registry()
{
    static std::vector<TbsSkinForms::Entry> forms;
    return forms;
}
}

void TbsSkinForms::add(TComponent* form, ISkinMessageTarget* target)
{
    if (!target || contains(target))
        return;
    registry().push_back({form, target});
}

void TbsSkinForms::remove(ISkinMessageTarget* target)
{
    auto& forms = registry();
    forms.erase(std::remove_if(forms.begin(), forms.end(), [target](const Entry& e) { return e.target == target; }),
                forms.end());
}

bool TbsSkinForms::contains(const ISkinMessageTarget* target)
{
    const auto& forms = registry();
    return std::any_of(forms.begin(), forms.end(), [target](const Entry& e) { return e.target == target; });
}

ISkinMessageTarget* TbsSkinForms::targetOf(const TComponent* form)
{
    for (const Entry& e : registry())
        if (e.form == form)
            return e.target;
    return nullptr;
}

std::vector<TbsSkinForms::Entry> TbsSkinForms::entries() { return registry(); }
