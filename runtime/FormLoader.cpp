#include "FormLoader.h"

#include "Exception.h"

FormLoader::FormLoader(TComponent& root) : root_(root)
{
    root_.setLoading(true);
}

void FormLoader::addComponent(TComponent* component, const std::string& name)
{
    if (!component)
        throw EReadError("Form data lists a component that could not be created");
    component->setLoading(true);
    component->setName(name);
    order_.push_back(component);
}

void FormLoader::reference(std::string targetName, std::function<void(TComponent*)> assign)
{
    references_.push_back({std::move(targetName), std::move(assign)});
}

void FormLoader::finish(const std::function<void()>& createHandler)
{
    for (const Reference& ref : references_) {
        TComponent* target = root_.findComponent(ref.targetName);
        if (!target)
            throw EReadError(formatMessage("Component '%s' not found", ref.targetName));
        ref.assign(target);
    }
    references_.clear();

    root_.setLoading(false);
    root_.loaded();
    for (TComponent* component : order_) {
        component->setLoading(false);
        component->loaded();
    }
    if (createHandler)
        createHandler();
}
