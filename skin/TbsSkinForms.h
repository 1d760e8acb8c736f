#pragma once
// The forms of the application that receive skin messages, in the application's form order
// (the order in which they registered). A form registers with its component (the owner that
// a TbsSkinData names) and its message target; it must unregister before it is destroyed.
// Registering or unregistering while messages are being sent is safe: a target removed
// during a round receives nothing more, a target added during a round waits for the next.

#include <vector>

class TComponent;
class ISkinMessageTarget;

class TbsSkinForms {
public:
    static void add(TComponent* form, ISkinMessageTarget* target);
    static void remove(ISkinMessageTarget* target);
    static bool contains(const ISkinMessageTarget* target);

    // The target registered for a form component, or nullptr.
    static ISkinMessageTarget* targetOf(const TComponent* form);

    struct Entry {
        TComponent* form;
        ISkinMessageTarget* target;
    };
    static std::vector<Entry> entries();
};
