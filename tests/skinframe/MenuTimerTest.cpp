// The skinned menu's timers on live windows: the submenu opening after the mouse rests on an
// item with sub-items, and the scrolling of a menu taller than the work area while the mouse
// is on a scroll area. The cursor is moved with QCursor::setPos and the menu windows' own
// timers do the rest; the tests follow the states the menu goes through, not the clock.
#include "SkinFixtures.h"
#include "TbsSkinFrame.h"
#include "TbsSkinMenu.h"
#include "TbsSkinPopupMenu.h"
#include "TbsSkinPopupWindow.h"

#include <QCursor>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class Form : public QWidget, public TComponent {
public:
    Form() : QWidget(nullptr), TComponent(nullptr) {}
};

// Generous: the machine is shared, and a wait ends as soon as the state is reached.
constexpr int kTimeout = 20000;

template <class Predicate>
bool waitUntil(Predicate reached)
{
    return QTest::qWaitFor(reached, kTimeout);
}
const QPoint kRestingPlace{990, 690};

struct MenuTimers : ::testing::TestWithParam<const char*> {
    Form form;
    TbsSkinFrame* frame = new TbsSkinFrame(&form, &form);
    TbsSkinPopupMenu* popupMenu = new TbsSkinPopupMenu(&form);
    QRect area{0, 0, 1000, 700};

    void SetUp() override
    {
        // A cursor left over an item by the previous test would pick that item at once.
        QCursor::setPos(kRestingPlace);
        frame->setWorkAreaProvider([this](bool) { return area; });
        frame->setCursorProbe([] { return std::optional<QPoint>(); });
        form.setGeometry(100, 100, 300, 220);
        if (*GetParam())
            frame->setSkinData(skins::load(&form, GetParam()));
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void TearDown() override { frame->skinMenu()->CloseAll(); }

    TbsSkinMenu& menu() { return *frame->skinMenu(); }
    static void pointAt(const TbsSkinPopupWindow* window, QPoint local) { QCursor::setPos(window->mapToGlobal(local)); }
    static void pointAtItem(const TbsSkinPopupWindow* window, int index)
    {
        pointAt(window, window->Items().at(size_t(index))->ItemRect.toQRect().center());
    }
};

// The states of a menu after each tick of its top window's mouse timer, each new one once:
// "a<active item> n<open windows>", with " t" while the submenu timer runs.
struct MenuStateLog {
    std::vector<std::string> states;

    void watch(TbsSkinMenu& menu)
    {
        TbsSkinPopupWindow* top = menu.window(0);
        QObject::connect(&top->MouseTimer(), &QTimer::timeout, top, [this, &menu, top] {
            std::string s = "a" + std::to_string(top->ActiveIndex());
            if (menu.SubmenuTimer().isActive())
                s += " t";
            s += " n" + std::to_string(menu.count());
            if (states.empty() || states.back() != s)
                states.push_back(s);
        });
    }
    std::string last() const { return states.empty() ? std::string() : states.back(); }
    std::vector<std::string> take() { return std::exchange(states, {}); }
};

using SubmenuTimer = MenuTimers;

TEST_P(SubmenuTimer, OpensAfterTheMouseRestsAndMovingOnCancelsIt)
{
    SkinMenuEntry& items = popupMenu->Items;
    SkinMenuEntry* open = items.add("Open", QStringLiteral("&Open"));
    open->add("Alpha", QStringLiteral("&Alpha"));
    open->add("Beta", QStringLiteral("&Beta"));
    items.add("Recent", QStringLiteral("&Recent"))->add("One", QStringLiteral("&One"));
    items.add("Plain", QStringLiteral("&Plain"));
    items.add("", QStringLiteral("-"));
    items.add("Export", QStringLiteral("&Export"))->add("Text", QStringLiteral("&Text"));
    popupMenu->Popup(400, 300);
    ASSERT_TRUE(menu().Visible());
    EXPECT_EQ(menu().SubmenuTimer().interval(), 500);
    TbsSkinPopupWindow* top = menu().window(0);
    MenuStateLog log;
    log.watch(menu());

    // The first item is highlighted on opening without its timer; resting the mouse on it
    // starts the timer, and the submenu opens when it runs out, right of the item.
    ASSERT_TRUE(waitUntil([&] { return !log.states.empty(); }));
    pointAtItem(top, 0);
    ASSERT_TRUE(waitUntil([&] { return menu().count() == 2; }));
    ASSERT_TRUE(waitUntil([&] { return log.last() == "a0 n2"; }));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"a0 n1", "a0 t n1", "a0 n2"}));
    EXPECT_TRUE(top->Items()[0]->Down);
    const QRect item0 = top->Items()[0]->ItemRect.toQRect().translated(top->pos());
    EXPECT_EQ(menu().window(1)->x(), item0.x() + item0.width() + 1);
    EXPECT_EQ(menu().window(1)->Entry(), open);

    // Moving on before the timer runs out cancels it. The timer is made long here so that the
    // move surely comes first, however busy the machine.
    menu().SubmenuTimer().setInterval(600000);
    pointAtItem(top, 1);
    ASSERT_TRUE(waitUntil([&] { return log.last() == "a1 t n1"; }));
    pointAtItem(top, 3); // the separator takes no highlight
    pointAtItem(top, 2);
    ASSERT_TRUE(waitUntil([&] { return log.last() == "a2 n1"; }));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"a1 t n1", "a2 n1"}));
    EXPECT_FALSE(top->Items()[1]->Down);

    // An open submenu stays open while the mouse goes into it, and closes when the mouse
    // rests on another item of its parent.
    menu().SubmenuTimer().setInterval(500);
    pointAtItem(top, 4);
    ASSERT_TRUE(waitUntil([&] { return menu().count() == 2; }));
    TbsSkinPopupWindow* sub = menu().window(1);
    EXPECT_EQ(sub->Entry()->Name, "Export");
    pointAtItem(sub, 0);
    ASSERT_TRUE(waitUntil([&] { return sub->ActiveIndex() == 0; }));
    QTest::qWait(200);
    EXPECT_EQ(menu().count(), 2);
    EXPECT_TRUE(top->Items()[4]->Down);
    pointAtItem(top, 2);
    ASSERT_TRUE(waitUntil([&] { return menu().count() == 1; }));
    EXPECT_FALSE(top->Items()[4]->Down);
    EXPECT_EQ(top->ActiveIndex(), 2);
}

INSTANTIATE_TEST_SUITE_P(Skins, SubmenuTimer, ::testing::Values("", "compressed"),
                         [](const auto& info) { return std::string(*info.param ? info.param : "unskinned"); });

struct ScrollingMenu : MenuTimers {
    TbsSkinPopupWindow* window = nullptr;
    std::vector<int> firstVisibleAfterTicks;

    void SetUp() override
    {
        area = QRect(0, 0, 1000, 300);
        MenuTimers::SetUp();
        for (int i = 1; i <= 40; ++i)
            popupMenu->Items.add("Item" + std::to_string(i), QStringLiteral("Item %1").arg(i));
        popupMenu->Popup(400, 50);
        ASSERT_TRUE(menu().Visible());
        window = menu().window(0);
        QObject::connect(&window->ScrollTimer(), &QTimer::timeout, window,
                         [this] { firstVisibleAfterTicks.push_back(window->FirstVisibleIndex()); });
    }
    QPoint upArea() const { return {window->width() / 2, 8}; }
    QPoint downArea() const { return {window->width() / 2, window->height() - 6}; }
    QPoint middle() const { return {window->width() / 2, window->height() / 2}; }
    int lastFirstVisible() const { return int(window->Items().size()) - visibleCount(); }
    int visibleCount() const
    {
        int n = 0;
        for (const auto& item : window->Items())
            n += item->Visible;
        return n;
    }
};

TEST_P(ScrollingMenu, ScrollsOneItemPerTickToTheEndsWhileTheMouseRestsOnAnArrow)
{
    EXPECT_TRUE(window->Scroll());
    // A scrolling window starts at the work area's top, beside the point it was opened at.
    EXPECT_EQ(window->geometry(), QRect(401, 0, window->width(), 300));
    EXPECT_EQ(window->ScrollTimer().interval(), 100);
    const int shown = visibleCount();
    ASSERT_GT(shown, 3);

    // Down to the last item, one item a tick; the tick that finds no more stops the timer.
    pointAt(window, downArea());
    ASSERT_TRUE(waitUntil([&] { return window->Items().back()->Visible; }));
    ASSERT_TRUE(waitUntil([&] { return !window->ScrollTimer().isActive(); }));
    std::vector<int> expected;
    for (int i = 1; i <= lastFirstVisible(); ++i)
        expected.push_back(i);
    expected.push_back(lastFirstVisible());
    EXPECT_EQ(std::exchange(firstVisibleAfterTicks, {}), expected);
    EXPECT_EQ(window->ScrollDirection(), 1);
    QTest::qWait(300);
    EXPECT_EQ(window->FirstVisibleIndex(), lastFirstVisible());
    EXPECT_EQ(visibleCount(), shown);

    // And back up to the first.
    pointAt(window, upArea());
    ASSERT_TRUE(waitUntil([&] { return !window->ScrollTimer().isActive() && window->FirstVisibleIndex() == 0; }));
    expected.clear();
    for (int i = lastFirstVisible() - 1; i >= 0; --i)
        expected.push_back(i);
    expected.push_back(0);
    EXPECT_EQ(firstVisibleAfterTicks, expected);
    EXPECT_TRUE(window->Items().front()->Visible);
}

TEST_P(ScrollingMenu, LeavingTheArrowStopsTheScrolling)
{
    // To the middle of the window, and out of the window altogether.
    for (const bool outside : {false, true}) {
        SCOPED_TRACE(outside ? "out of the window" : "to the middle");
        const int before = window->FirstVisibleIndex();
        pointAt(window, downArea());
        ASSERT_TRUE(waitUntil([&] { return window->FirstVisibleIndex() >= before + 2; }));
        if (outside)
            pointAt(window, QPoint(window->width() + 40, window->height() - 6));
        else
            pointAt(window, middle());
        ASSERT_TRUE(waitUntil([&] { return !window->ScrollTimer().isActive(); }));
        EXPECT_EQ(window->ScrollDirection(), 0);
        const int stoppedAt = window->FirstVisibleIndex();
        EXPECT_LT(stoppedAt, lastFirstVisible());
        QTest::qWait(400);
        EXPECT_EQ(window->FirstVisibleIndex(), stoppedAt);
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, ScrollingMenu, ::testing::Values("", "compressed"),
                         [](const auto& info) { return std::string(*info.param ? info.param : "unskinned"); });

}  // namespace
