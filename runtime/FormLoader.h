#pragma once
// Builds a form from its form data in the system's phases:
//   1. create every component and set its stored properties while it is loading (add);
//   2. resolve the references between components, in the order the form data lists them;
//   3. run each component's end-of-loading step in form-data order (the form itself first);
//   4. run the form's create handler.
// An exception in any phase leaves the loader; the form's creation has then failed.
//
//     FormLoader load(*this);
//     auto* query = load.add(new TSQLQuery(this), "SQLQuery1");
//     query->setSQL(...);
//     load.reference("SQLConnection1", [query](TComponent* c) { query->setConnection(...); });
//     load.finish([this] { FormCreate(); });

#include "Component.h"

#include <functional>
#include <string>
#include <vector>

class FormLoader {
public:
    explicit FormLoader(TComponent& root);

    // Registers a component read from the form data: it is named and marked as loading.
    // The component must already belong to the root (created with it as owner).
    template <class T>
    T* add(T* component, const std::string& name)
    {
        addComponent(component, name);
        return component;
    }

    // Asks for the root's component named `targetName`, handed to `assign` in phase 2.
    // A name that no component has fails the load with EReadError.
    void reference(std::string targetName, std::function<void(TComponent*)> assign);

    // Phases 2 to 4. The create handler may be empty.
    void finish(const std::function<void()>& createHandler = {});

    // The components in form-data order (for tests and diagnostics).
    const std::vector<TComponent*>& order() const noexcept { return order_; }

private:
    struct Reference {
        std::string targetName;
        std::function<void(TComponent*)> assign;
    };

    void addComponent(TComponent* component, const std::string& name);

    TComponent& root_;
    std::vector<TComponent*> order_;
    std::vector<Reference> references_;
};
