#pragma once
// Components: objects created from form data, known by name to their owner (the form), told
// when another component they refer to goes away.
//
// Memory: one owner per object, never two deleters. A component that is a QObject with a Qt
// parent (every widget placed on a form) is freed by Qt's parent tree; when it goes it leaves
// its owner's registry by itself. Every other owned component is freed by its owner.
// Widget components must list QWidget (or the QObject base) before TComponent, so that the
// component part is destroyed first and its children are still alive while it detaches them:
//
//     class TbsSkinButton : public QWidget, public TComponent { ... };

#include <string>
#include <string_view>
#include <vector>

class TComponent {
public:
    enum class Operation { Insert, Remove };

    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();

    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // The class name as the system spells it, for example "TClientDataSet".
    virtual const char* className() const noexcept { return "TComponent"; }

    const std::string& name() const noexcept { return name_; }
    // Names are identifiers, unique among the owner's components regardless of case.
    // Throws EComponentError for an invalid or duplicate name.
    void setName(const std::string& name);

    TComponent* owner() const noexcept { return owner_; }
    // The components this one owns, in the order they were inserted (the form-data order).
    const std::vector<TComponent*>& components() const noexcept { return components_; }
    int componentCount() const noexcept { return static_cast<int>(components_.size()); }
    TComponent* component(int index) const { return components_.at(static_cast<size_t>(index)); }
    // The owned component of that name (case-insensitive), or nullptr.
    TComponent* findComponent(std::string_view name) const;

    // Moves a component under this owner; it leaves its previous owner first.
    void insertComponent(TComponent* component);
    // Takes a component out of this owner's registry without freeing it.
    void removeComponent(TComponent* component);

    // True while the form reads this component's form data, until its loaded() step.
    bool isLoading() const noexcept { return loading_; }
    void setLoading(bool loading) noexcept { loading_ = loading; }
    // True once destruction has begun (references to it must not be used any more).
    bool isDestroying() const noexcept { return destroying_; }

    // The end-of-loading step, run by the form in form-data order once every component of
    // the form exists and references are resolved. isLoading() is already false here.
    virtual void loaded() {}

    // Asks to be told (notification(this, Remove) on `listener`) when this component is
    // destroyed, whichever owner either of them has. The link works both ways and is
    // dropped by whichever of the two goes first.
    void freeNotification(TComponent* listener);
    void removeFreeNotification(TComponent* listener);

    // Called when `component` is inserted into or removed from this component's owner, or
    // when a component this one asked about is destroyed. Overrides clear their references
    // and call the base, which passes the notice on to every component this one owns.
    virtual void notification(TComponent* component, Operation operation);

private:
    void unlinkFreeNotifications();
    void sendNotification(TComponent* component, Operation operation);
    bool freedByQt() const;

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool loading_ = false;
    bool destroying_ = false;
};
