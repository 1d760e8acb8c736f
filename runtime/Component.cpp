#include "Component.h"

#include "Exception.h"

#include <QObject>
#include <algorithm>

namespace {

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Component names are identifiers, so plain ASCII case folding is enough.
bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

bool isIdentifier(std::string_view name)
{
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.empty() || !letter(name.front()))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || digit(c); });
}

void erase(std::vector<TComponent*>& list, TComponent* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->insertComponent(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    unlinkFreeNotifications();

    // Owned components, last inserted first: each leaves the registry with a Remove notice
    // to those still here. Those with a Qt parent are freed by Qt after this part is gone;
    // the rest are freed now.
    while (!components_.empty()) {
        TComponent* child = components_.back();
        const bool qtFrees = child->freedByQt();
        removeComponent(child);
        if (!qtFrees)
            delete child;
    }

    if (owner_)
        owner_->removeComponent(this);
}

void TComponent::setName(const std::string& name)
{
    if (name == name_)
        return;
    if (!name.empty() && !isIdentifier(name))
        throw EComponentError(formatMessage(Msg::InvalidComponentName, name));
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->findComponent(name);
        if (other && other != this)
            throw EComponentError(formatMessage(Msg::DuplicateComponentName, name));
    }
    name_ = name;
}

TComponent* TComponent::findComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (sameName(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::insertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (!component->name_.empty()) {
        TComponent* other = findComponent(component->name_);
        if (other)
            throw EComponentError(formatMessage(Msg::DuplicateComponentName, component->name_));
    }
    if (component->owner_)
        component->owner_->removeComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    sendNotification(component, Operation::Insert);
}

void TComponent::removeComponent(TComponent* component)
{
    if (!component || component->owner_ != this)
        return;
    // Told before it leaves, so that siblings can still compare against it.
    sendNotification(component, Operation::Remove);
    erase(components_, component);
    component->owner_ = nullptr;
}

void TComponent::freeNotification(TComponent* listener)
{
    if (!listener || listener == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), listener) == freeNotifies_.end())
        freeNotifies_.push_back(listener);
    if (std::find(listener->freeNotifies_.begin(), listener->freeNotifies_.end(), this)
        == listener->freeNotifies_.end())
        listener->freeNotifies_.push_back(this);
}

void TComponent::removeFreeNotification(TComponent* listener)
{
    if (!listener)
        return;
    erase(freeNotifies_, listener);
    erase(listener->freeNotifies_, this);
}

void TComponent::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component)
        removeFreeNotification(component);
    // Copy: a handler may free or move components while the notice travels.
    const std::vector<TComponent*> children = components_;
    for (TComponent* child : children)
        if (child != component && std::find(components_.begin(), components_.end(), child) != components_.end())
            child->notification(component, operation);
}

void TComponent::unlinkFreeNotifications()
{
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        erase(other->freeNotifies_, this);
        other->notification(this, Operation::Remove);
    }
}

void TComponent::sendNotification(TComponent* component, Operation operation)
{
    notification(component, operation);
}

bool TComponent::freedByQt() const
{
    // A cross cast: valid here because the owner calls it while `this` is fully alive.
    const auto* object = dynamic_cast<const QObject*>(this);
    return object && object->parent();
}
