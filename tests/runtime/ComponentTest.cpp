#include "Component.h"
#include "Exception.h"
#include "FormLoader.h"
#include "TestQtApp.h"

#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every notice it receives and clears its reference when the target goes.
class Listener : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* target = nullptr;
    std::vector<std::pair<TComponent*, Operation>> notices;

    void notification(TComponent* component, Operation operation) override
    {
        notices.emplace_back(component, operation);
        if (operation == Operation::Remove && component == target)
            target = nullptr;
        TComponent::notification(component, operation);
    }
};

class WidgetComponent : public QWidget, public TComponent {
public:
    WidgetComponent(QWidget* parent, TComponent* owner) : QWidget(parent), TComponent(owner) {}
    const char* className() const noexcept override { return "TWidgetComponent"; }
};

class Form : public QWidget, public TComponent {
public:
    Form() : TComponent(nullptr) {}
};

// Counts its own destruction, to prove no component is freed twice or leaked.
class Counted : public TComponent {
public:
    Counted(TComponent* owner, int& destroyed) : TComponent(owner), destroyed_(destroyed) {}
    ~Counted() override { ++destroyed_; }

private:
    int& destroyed_;
};

}

TEST(Component, RegistryFindsByNameWithoutRegardToCaseAndRejectsDuplicates)
{
    TComponent owner;
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->setName("SQLQuery1");
    b->setName("DataSource1");

    EXPECT_EQ(owner.componentCount(), 2);
    EXPECT_EQ(owner.component(0), a);
    EXPECT_EQ(owner.findComponent("sqlquery1"), a);
    EXPECT_EQ(owner.findComponent("DATASOURCE1"), b);
    EXPECT_EQ(owner.findComponent("Missing"), nullptr);
    EXPECT_EQ(owner.findComponent(""), nullptr);

    try {
        b->setName("SQLQUERY1");
        FAIL() << "duplicate name accepted";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.message(), "A component named SQLQUERY1 already exists");
    }
    EXPECT_EQ(b->name(), "DataSource1");
    EXPECT_THROW(a->setName("1abc"), EComponentError);
    EXPECT_THROW(a->setName("a b"), EComponentError);
    a->setName("sqlQuery1");  // a new spelling of its own name is fine
    EXPECT_EQ(a->name(), "sqlQuery1");

    // Another owner is another namespace.
    TComponent other;
    auto* c = new TComponent(&other);
    c->setName("SQLQuery1");
    EXPECT_THROW(owner.insertComponent(c), EComponentError);
    EXPECT_EQ(c->owner(), &other);
}

TEST(Component, OwnerFreesItsComponentsOnceAndSiblingsHearOfIt)
{
    int destroyed = 0;
    {
        TComponent owner;
        auto* dataset = new Counted(&owner, destroyed);
        auto* source = new Listener(&owner);
        source->target = dataset;
        new Counted(&owner, destroyed);
        delete dataset;  // freed early: leaves the registry, the sibling is told
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(owner.componentCount(), 2);
        EXPECT_EQ(source->target, nullptr);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(Component, FreeNotificationReachesListenersOfAnotherOwner)
{
    TComponent formA;
    TComponent formB;
    auto* dataset = new TComponent(&formA);
    auto* source = new Listener(&formB);
    source->target = dataset;
    dataset->freeNotification(source);

    delete dataset;
    EXPECT_EQ(source->target, nullptr);
    ASSERT_FALSE(source->notices.empty());
    EXPECT_EQ(source->notices.back().second, TComponent::Operation::Remove);

    // The link is dropped by whichever goes first: a freed listener is not told later.
    auto* dataset2 = new TComponent(&formA);
    auto* listener2 = new Listener(&formB);
    dataset2->freeNotification(listener2);
    delete listener2;
    delete dataset2;  // must not touch the freed listener (ASan would report it)
}

TEST(Component, InsertAndRemoveNoticesGoToOwnerAndSiblings)
{
    TComponent owner;
    auto* listener = new Listener(&owner);
    auto* added = new TComponent(&owner);
    ASSERT_EQ(listener->notices.size(), 1u);
    EXPECT_EQ(listener->notices[0], std::make_pair(added, TComponent::Operation::Insert));
    owner.removeComponent(added);
    EXPECT_EQ(listener->notices.back(), std::make_pair(added, TComponent::Operation::Remove));
    EXPECT_EQ(added->owner(), nullptr);
    delete added;
}

TEST(Component, WidgetComponentDeletedByQtLeavesItsOwnersRegistry)
{
    testQtApp();
    Form form;
    auto* panel = new WidgetComponent(&form, &form);
    panel->setName("bsSkinPanel1");
    auto* button = new WidgetComponent(panel, &form);
    button->setName("bsSkinButton1");
    auto* source = new Listener(&form);
    source->target = button;

    delete panel;  // Qt deletes the button with its parent panel
    EXPECT_EQ(form.findComponent("bsSkinPanel1"), nullptr);
    EXPECT_EQ(form.findComponent("bsSkinButton1"), nullptr);
    EXPECT_EQ(form.componentCount(), 1);
    EXPECT_EQ(source->target, nullptr);
}

TEST(Component, FormDestructionFreesWidgetsThroughQtAndTheRestThroughTheOwner)
{
    testQtApp();
    int destroyed = 0;
    QPointer<QWidget> widget;
    QPointer<QWidget> topLevel;
    {
        Form form;
        auto* w = new WidgetComponent(&form, &form);
        widget = w;
        new Counted(&form, destroyed);
        topLevel = new WidgetComponent(nullptr, &form);  // no Qt parent: the owner frees it
    }
    EXPECT_TRUE(widget.isNull());
    EXPECT_TRUE(topLevel.isNull());
    EXPECT_EQ(destroyed, 1);
}

namespace {

class Loaded : public TComponent {
public:
    Loaded(TComponent* owner, std::vector<std::string>& log) : TComponent(owner), log_(log) {}
    TComponent* reference = nullptr;
    bool loadingWhenAssigned = false;
    void loaded() override { log_.push_back("loaded " + name() + (isLoading() ? " (still loading)" : "")); }

private:
    std::vector<std::string>& log_;
};

}

TEST(FormLoader, RunsThePhasesInFormDataOrder)
{
    std::vector<std::string> log;
    Loaded form(nullptr, log);
    FormLoader load(form);
    auto* connection = load.add(new Loaded(&form, log), "SQLConnection1");
    auto* query = load.add(new Loaded(&form, log), "SQLQuery1");
    EXPECT_TRUE(form.isLoading());
    EXPECT_TRUE(connection->isLoading());
    load.reference("sqlconnection1", [&](TComponent* target) {
        query->reference = target;
        query->loadingWhenAssigned = query->isLoading();
        log.push_back("resolved");
    });
    load.finish([&] { log.push_back("FormCreate"); });

    EXPECT_EQ(query->reference, connection);
    EXPECT_TRUE(query->loadingWhenAssigned);
    EXPECT_FALSE(query->isLoading());
    const std::vector<std::string> expected{"resolved", "loaded ", "loaded SQLConnection1",
                                            "loaded SQLQuery1", "FormCreate"};
    EXPECT_EQ(log, expected);
}

TEST(FormLoader, UnknownReferenceFailsTheLoad)
{
    TComponent form;
    FormLoader load(form);
    load.add(new TComponent(&form), "DataSource1");
    load.reference("ClientDataSet9", [](TComponent*) {});
    try {
        load.finish();
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.message(), "Component 'ClientDataSet9' not found");
    }
}
