// The frame on a real (offscreen) window: mask, window states, the system menu, hover and morph
// timers. The work area is injected, as the offscreen screen's available area is the screen.
// Mouse events go to the top-level window.
#include "FrameInput.h"
#include "SkinFixtures.h"
#include "SkinMessages.h"
#include "TbsSkinButtonObject.h"
#include "TbsSkinFrame.h"
#include "TbsSkinHint.h"
#include "TbsSkinMenu.h"
#include "TbsSkinPanel.h"
#include "TbsSkinPopupWindow.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class Form : public QWidget, public TComponent {
public:
    Form() : QWidget(nullptr), TComponent(nullptr) {}
};

struct FrameWindow : ::testing::Test {
    Form form;
    TbsSkinFrame* frame = new TbsSkinFrame(&form, &form);
    const QRect area{0, 0, 1000, 700};

    void SetUp() override
    {
        // Away from every window: a move to where the pointer already is is no move at all.
        QCursor::setPos(990, 690);
        frame->setWorkAreaProvider([this](bool) { return area; });
        frame->setCursorProbe([] { return std::optional<QPoint>(); });
        form.setWindowTitle(QStringLiteral("客戶區間商品數量表"));
        form.setGeometry(100, 100, 300, 220);
    }
    void useSkin(const char* folder)
    {
        frame->setSkinData(skins::load(&form, folder));
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        frameinput::enter(&form);
    }
    // Delivered to the window, as the window system delivers it (FrameInput.h).
    void send(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        switch (type) {
        case QEvent::MouseButtonPress: frameinput::press(&form, p, button); break;
        case QEvent::MouseButtonRelease: frameinput::release(&form, p, button); break;
        case QEvent::MouseButtonDblClick: frameinput::doubleClick(&form, p, button); break;
        default: frameinput::move(&form, p); break;
        }
    }
};

TEST_F(FrameWindow, MaskFollowsEverySizeAndState)
{
    useSkin("stored");
    ASSERT_TRUE(frame->IsSkinned());
    EXPECT_FALSE(form.mask().isEmpty());
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.mask().contains(QPoint(150, 110)));
    EXPECT_EQ(form.contentsRect(), QRect(5, 28, 300 - 5 - 5, 220 - 28 - 5));
    form.resize(420, 260);
    EXPECT_TRUE(form.mask().contains(QPoint(400, 200)));
    EXPECT_FALSE(form.mask().contains(QPoint(419, 259)));
    frame->Maximize();
    EXPECT_EQ(form.geometry(), area);
    EXPECT_TRUE(form.mask().contains(QPoint(900, 600)));
    // The compressed skin has no mask: the window is rectangular.
    frame->setSkinData(skins::load(&form, "compressed"));
    EXPECT_TRUE(form.mask().isEmpty());
}

TEST_F(FrameWindow, DoubleClickOnTheCaptionMaximizesAndRestores)
{
    useSkin("stored");
    const QRect normal = form.geometry();
    send(QEvent::MouseButtonDblClick, {60, 12});
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Maximized);
    EXPECT_EQ(form.geometry(), area);
    send(QEvent::MouseButtonDblClick, {60, 12});
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Normal);
    EXPECT_EQ(form.geometry(), normal);
    // Without maximize on offer the double click rolls up and down.
    frame->setBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biRollUp});
    frame->RebuildFrame();
    send(QEvent::MouseButtonDblClick, {60, 12});
    EXPECT_TRUE(frame->RolledUp());
    EXPECT_EQ(form.height(), 108 - 75);
    send(QEvent::MouseButtonDblClick, {60, 12});
    EXPECT_FALSE(frame->RolledUp());
    EXPECT_EQ(form.height(), 220);
}

TEST_F(FrameWindow, RollUpWhileMaximizedThenRestoreKeepsItMaximized)
{
    useSkin("stored");
    frame->Maximize();
    frame->SetRolledUp(true);
    EXPECT_EQ(form.height(), 33);
    EXPECT_TRUE(frame->RolledUpWhileMaximized());
    // The system menu's Restore, chosen by its key.
    frameinput::click(&form, {60, 12}, Qt::RightButton);
    ASSERT_TRUE(frame->skinMenu()->Visible());
    frameinput::key(&form, 'r');
    EXPECT_FALSE(frame->skinMenu()->Visible());
    EXPECT_FALSE(frame->RolledUp());
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Maximized);
    EXPECT_EQ(form.geometry(), area);
}

TEST_F(FrameWindow, MaximizingARolledUpWindowKeepsItRolledUp)
{
    useSkin("stored");
    const QRect normal = form.geometry();
    frame->SetRolledUp(true);
    const QRect rolledUp = form.geometry();
    frame->Maximize();
    EXPECT_TRUE(frame->RolledUp());
    EXPECT_EQ(form.geometry(), QRect(area.topLeft(), QSize(area.width(), 33)));
    frame->SetRolledUp(false); // waits for the restore, as for any window rolled up before it was maximized
    EXPECT_TRUE(frame->RolledUp());
    frame->Restore();
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Normal);
    EXPECT_EQ(form.geometry(), rolledUp);
    frame->SetRolledUp(false);
    EXPECT_EQ(form.geometry(), normal);
}

TEST_F(FrameWindow, MinimizingTheMainWindowKeepsTheFrameStateNormal)
{
    useSkin("compressed");
    frame->Minimize();
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Normal);
}

TEST_F(FrameWindow, SystemMenuItemsOfTheMainWindow)
{
    useSkin("compressed");
    std::vector<std::string> names;
    for (auto& item : frame->systemMenuItems().Items)
        names.push_back(item->Name + ":" + item->Caption.toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{"BSF_MINITEM:Mi&nimize", "BSF_MAXITEM:Ma&ximize", "BSF_ROLLUP:Ro&llUp",
                                               ":-", "BSF_CLOSE:&Close"}));
    EXPECT_EQ(frame->systemMenuItems().Items.back()->ShortCut, QKeySequence(QStringLiteral("Alt+F4")));
}

TEST_F(FrameWindow, AnAssignedSystemMenuGetsTheFramesItemsAroundItsOwn)
{
    useSkin("compressed");
    SkinMenuEntry custom;
    custom.add("BSF_CLOSE", QStringLiteral("Old close"));
    custom.add("About", QStringLiteral("&About"));
    frame->SystemMenu = &custom;
    // Built again for every showing: the frame's items never pile up.
    for (int showing = 0; showing < 2; ++showing) {
        std::vector<std::string> names;
        for (auto& item : frame->systemMenuItems().Items)
            names.push_back(item->Name + ":" + item->Caption.toStdString());
        EXPECT_EQ(names, (std::vector<std::string>{"BSF_MINITEM:Mi&nimize", "BSF_MAXITEM:Ma&ximize",
                                                   "BSF_ROLLUP:Ro&llUp", "About:&About", "BSF_CLOSE:&Close"}));
    }
    frame->UseDefaultSysMenu = false;
    EXPECT_EQ(&frame->systemMenuItems(), &custom);
    EXPECT_EQ(custom.Items.size(), 5u);
    frame->SystemMenu = nullptr;
}

TEST_F(FrameWindow, RightClickOnTheCaptionOpensTheSystemMenuThatNeverTakesTheFocus)
{
    useSkin("compressed");
    int closedMessages = 0;
    frame->OnSkinMenuClose = [&](QObject*) { ++closedMessages; };
    send(QEvent::MouseButtonPress, {60, 12}, Qt::RightButton);
    send(QEvent::MouseButtonRelease, {60, 12}, Qt::RightButton);
    ASSERT_TRUE(frame->skinMenu()->Visible());
    TbsSkinPopupWindow* popup = frame->skinMenu()->window(0);
    EXPECT_TRUE(popup->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(form.isActiveWindow());
    EXPECT_EQ(popup->Items().size(), 5u);
    EXPECT_EQ(popup->ActiveIndex(), 0);
    // Down, Down: RollUp; Enter runs it and closes the menu (message 1228 to the form).
    frameinput::key(&form, Qt::Key_Down);
    frameinput::key(&form, Qt::Key_Down);
    EXPECT_EQ(popup->ActiveIndex(), 2);
    frameinput::key(&form, Qt::Key_Return);
    EXPECT_FALSE(frame->skinMenu()->Visible());
    EXPECT_EQ(closedMessages, 1);
    EXPECT_TRUE(frame->RolledUp());
}

TEST_F(FrameWindow, SystemMenuButtonStaysPressedUntilTheMenuCloses)
{
    useSkin("compressed");
    auto* sysButton = dynamic_cast<TbsSkinButtonObject*>(frame->objectByName("sysmenubutton"));
    ASSERT_NE(sysButton, nullptr);
    const QPoint centre = sysButton->ObjectRect.toQRect().center();
    send(QEvent::MouseMove, centre, Qt::NoButton);
    send(QEvent::MouseButtonPress, centre);
    send(QEvent::MouseButtonRelease, centre);
    EXPECT_TRUE(frame->skinMenu()->Visible());
    EXPECT_TRUE(sysButton->Pressed());
    // The click on the same button closes the menu and does not open it again.
    send(QEvent::MouseButtonPress, centre);
    send(QEvent::MouseButtonRelease, centre);
    EXPECT_FALSE(frame->skinMenu()->Visible());
    EXPECT_FALSE(sysButton->Pressed());
}

TEST_F(FrameWindow, ClickOnACaptionButtonOfAnInactiveWindowRunsIt)
{
    useSkin("stored");
    QWidget other;
    other.setGeometry(600, 100, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isActiveWindow(); }));
    auto* maxButton = frame->objectByName("maxbutton");
    ASSERT_NE(maxButton, nullptr);
    const QPoint centre = maxButton->ObjectRect.toQRect().center();
    // On X11 the activation the press brings arrives between the press and the release.
    send(QEvent::MouseButtonPress, centre);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &activate);
    send(QEvent::MouseButtonRelease, centre);
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Maximized);
}

TEST_F(FrameWindow, MagneticDragSnapsAtFourPixelsNotAtFive)
{
    useSkin("compressed");
    frame->Magnetic = true;
    frame->MagneticSize = 5;
    for (int gap : {4, 5}) {
        form.move(100, 100);
        send(QEvent::MouseButtonPress, {60, 12});
        // The pointer goes to a place on the screen; the window follows it.
        const QPoint target = form.mapToGlobal(QPoint(60 - (100 - gap), 12));
        send(QEvent::MouseMove, form.mapFromGlobal(target));
        send(QEvent::MouseButtonRelease, form.mapFromGlobal(target));
        EXPECT_EQ(form.x(), gap == 4 ? 0 : 5);
    }
}

TEST_F(FrameWindow, HoverIsClearedWithinOneTickAndTheTimerStops)
{
    useSkin("compressed");
    TbsActiveSkinObject* close = frame->objectByName("closebutton");
    ASSERT_NE(close, nullptr);
    send(QEvent::MouseMove, close->ObjectRect.toQRect().center(), Qt::NoButton);
    EXPECT_TRUE(close->MouseIn);
    EXPECT_TRUE(frame->HoverTimer().isActive());
    EXPECT_EQ(frame->HoverTimer().interval(), 50);
    frame->hoverTick(); // the cursor is outside the window
    EXPECT_FALSE(close->MouseIn);
    EXPECT_EQ(frame->hoverIndex(), -1);
    EXPECT_FALSE(frame->HoverTimer().isActive());
}

TEST_F(FrameWindow, MorphReachesTheActiveImageAfterElevenTicks)
{
    useSkin("compressed");
    TbsActiveSkinObject* close = frame->objectByName("closebutton");
    ASSERT_TRUE(close->Morphing);
    frame->UpdateHover(close->ObjectRect.toQRect().center(), true);
    EXPECT_TRUE(frame->MorphTimer().isActive());
    EXPECT_EQ(frame->MorphTimer().interval(), 20);
    for (int i = 0; i < 10; ++i)
        frame->morphTick();
    EXPECT_LT(close->morphProgress(), 1.0);
    frame->morphTick();
    EXPECT_EQ(close->morphProgress(), 1.0);
    EXPECT_TRUE(frame->MorphTimer().isActive());
    frame->morphTick(); // nothing left to step
    EXPECT_FALSE(frame->MorphTimer().isActive());
}

TEST_F(FrameWindow, UnskinnedFrameHasFiveDefaultButtons)
{
    form.show();
    frame->RebuildFrame();
    ASSERT_FALSE(frame->IsSkinned());
    std::vector<std::string> names;
    for (const auto& o : frame->ObjectList())
        names.push_back(o->IDName);
    EXPECT_EQ(names, (std::vector<std::string>{"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}));
    EXPECT_EQ(frame->ObjectList()[0]->ObjectRect, SkinRect(280, 4, 297, 21));
    EXPECT_EQ(form.contentsRect(), QRect(3, 22, 294, 195));
    EXPECT_EQ(frame->HitTest({1, 1}), HTTOPLEFT);
}

TEST_F(FrameWindow, SkinChangesReachTheSkinnedControlsThatUseThatSkin)
{
    TbsSkinData* skin = skins::load(&form, "compressed");
    TbsSkinData* otherSkin = skins::load(&form, "stored");
    auto* panel = new TbsSkinPanel(&form, &form);
    panel->setSkinData(skin);
    auto* otherPanel = new TbsSkinPanel(&form, &form);
    otherPanel->setSkinData(otherSkin);
    frame->setSkinData(skin);
    ASSERT_TRUE(panel->isSkinned());
    ASSERT_TRUE(otherPanel->isSkinned());

    // The form here has no receiver of its own: what reaches the controls comes through the frame.
    skin->NotifyForms(SKM_BEFORECHANGE);
    EXPECT_FALSE(frame->IsSkinned());
    EXPECT_FALSE(panel->isSkinned());
    EXPECT_TRUE(otherPanel->isSkinned());
    skin->NotifyForms(SKM_CHANGE);
    EXPECT_TRUE(frame->IsSkinned());
    EXPECT_TRUE(panel->isSkinned());
}

QPoint centreOf(const TbsActiveSkinObject* object) { return object->ObjectRect.toQRect().center(); }

TEST_F(FrameWindow, ObjectHintShowsWhileTheMouseIsOverTheObject)
{
    useSkin("compressed");
    auto* hint = new TbsSkinHint(&form);
    frame->setSkinHint(hint);
    frame->ShowObjectHint = true;
    TbsActiveSkinObject* close = frame->objectByName("closebutton");
    TbsActiveSkinObject* max = frame->objectByName("maxbutton");
    TbsActiveSkinObject* min = frame->objectByName("minbutton");
    ASSERT_TRUE(close && max && min);
    close->Hint = "\xC3\xF6\xB3\xAC"; // Big5, as the skin holds its texts
    max->Hint = "Maximize";

    send(QEvent::MouseMove, centreOf(close), Qt::NoButton);
    ASSERT_TRUE(hint->HintVisible());
    EXPECT_EQ(hint->HintText(), QStringLiteral("關閉"));
    EXPECT_EQ(hint->hintWindow()->pos(), form.mapToGlobal(centreOf(close)) + QPoint(0, 20));
    // An object without a hint hides it; the next one with a hint shows its own.
    send(QEvent::MouseMove, centreOf(min), Qt::NoButton);
    EXPECT_FALSE(hint->HintVisible());
    send(QEvent::MouseMove, centreOf(max), Qt::NoButton);
    EXPECT_EQ(hint->HintText(), QStringLiteral("Maximize"));
    send(QEvent::MouseMove, centreOf(close), Qt::NoButton);
    EXPECT_EQ(hint->HintText(), QStringLiteral("關閉"));
    // The hover timer finding the mouse elsewhere clears the hover and the hint.
    frame->hoverTick();
    EXPECT_FALSE(hint->HintVisible());

    // A press anywhere hides it, as it hides any tool tip.
    send(QEvent::MouseMove, form.contentsRect().center(), Qt::NoButton);
    send(QEvent::MouseMove, centreOf(max), Qt::NoButton);
    ASSERT_TRUE(hint->HintVisible());
    send(QEvent::MouseButtonPress, form.contentsRect().center());
    send(QEvent::MouseButtonRelease, form.contentsRect().center());
    EXPECT_FALSE(hint->HintVisible());
    // A skin change drops the objects, and the hint of the hovered one.
    send(QEvent::MouseMove, centreOf(close), Qt::NoButton);
    ASSERT_TRUE(hint->HintVisible());
    frame->SkinData()->NotifyForms(SKM_BEFORECHANGE);
    EXPECT_FALSE(hint->HintVisible());
}

TEST_F(FrameWindow, NoHintShowsWithoutShowObjectHintOrWithoutAHintComponent)
{
    useSkin("compressed");
    auto* hint = new TbsSkinHint(&form);
    TbsActiveSkinObject* close = frame->objectByName("closebutton");
    ASSERT_NE(close, nullptr);
    close->Hint = "Close";
    struct Case {
        bool showObjectHint;
        TbsSkinHint* skinHint;
    };
    for (const Case& c : {Case{false, hint}, Case{true, nullptr}}) {
        SCOPED_TRACE(c.showObjectHint ? "no hint component" : "ShowObjectHint off");
        frame->ShowObjectHint = c.showObjectHint;
        frame->setSkinHint(c.skinHint);
        send(QEvent::MouseMove, centreOf(close), Qt::NoButton);
        ASSERT_TRUE(close->MouseIn);
        EXPECT_FALSE(hint->HintVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_TRUE(w == &form || !w->isVisible()) << w->metaObject()->className();
        frame->hoverTick();
        send(QEvent::MouseMove, form.contentsRect().center(), Qt::NoButton);
    }
    // A hint component that goes away is let go.
    frame->ShowObjectHint = true;
    frame->setSkinHint(hint);
    delete hint;
    EXPECT_EQ(frame->SkinHint(), nullptr);
    send(QEvent::MouseMove, centreOf(close), Qt::NoButton);
    EXPECT_TRUE(close->MouseIn);
}

// The stored skin with two user objects on its left border: "inside" within the top piece,
// "across" reaching from the top piece below the client area's top.
TbsSkinData* storedSkinWithBorderObjects(TComponent* owner, const QTemporaryDir& dir)
{
    const QDir source(QStringLiteral(CUSTPROD_SOURCE_DIR "/skins/stored"));
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), dir.filePath(name));
    QFile ini(dir.filePath(QStringLiteral("SKIN.INI")));
    EXPECT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    text.replace("count=7\r\n0=sysmenubutton", "count=9\r\n7=inside:userobject\r\n8=across:userobject\r\n0=sysmenubutton");
    text += "\r\n[inside]\r\nskinrect=0,10,4,20\r\n\r\n[across]\r\nskinrect=0,12,4,60\r\n";
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text);
    ini.close();
    auto* stored = new TbsStoredSkin(owner);
    stored->LoadFromSkinFile(dir.filePath(QStringLiteral("SKIN.INI")).toStdString());
    auto* data = new TbsSkinData(owner);
    data->setStoredSkin(stored);
    return data;
}

TEST_F(FrameWindow, ObjectsAreDrawnIntoTheBorderPieceTheyBelongTo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    frame->setSkinData(storedSkinWithBorderObjects(&form, dir));
    ASSERT_NE(frame->objectByName("inside"), nullptr);
    ASSERT_NE(frame->objectByName("across"), nullptr);
    frame->OnPaintEvent = [](const std::string& name, QPainter& canvas, const QRect& r) {
        canvas.fillRect(r, name == "inside" ? QColor(255, 0, 0) : QColor(0, 0, 255));
    };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QImage shown = form.grab().toImage();
    EXPECT_EQ(shown.pixelColor(1, 15), QColor(255, 0, 0));
    // An object reaching below the client area's top belongs to the bottom piece: the top
    // piece shows nothing of it, and neither does the left border, which no object is drawn
    // into.
    EXPECT_NE(shown.pixelColor(1, 22), QColor(0, 0, 255));
    EXPECT_NE(shown.pixelColor(1, 40), QColor(0, 0, 255));
    // Inactive, the skin's effect (grayscale) covers the objects drawn into a piece.
    QWidget other;
    other.setGeometry(600, 100, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isActiveWindow(); }));
    shown = form.grab().toImage();
    const QColor inactive = shown.pixelColor(1, 15);
    EXPECT_NE(inactive, QColor(255, 0, 0));
    EXPECT_EQ(inactive.red(), inactive.green());
    EXPECT_EQ(inactive.green(), inactive.blue());
}

}
