// The controls without a skin: default sizes and fonts, value rules, read-only, keys. Keys and
// pointer reach the controls through their top-level window, as the window system sends them.
#include "TbsSkinButton.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinMemo.h"
#include "TbsSkinPanel.h"
#include "TbsSkinScrollBar.h"
#include "TbsSkinStdLabel.h"
#include "WindowInput.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

TEST(Unskinned, DefaultSizesAndNoRefitWithoutSkin)
{
    QWidget window;
    TbsSkinPanel panel(&window);
    EXPECT_EQ(panel.size(), QSize(185, 41));
    TbsSkinButton button(&window);
    EXPECT_EQ(button.size(), QSize(75, 25));
    TbsSkinGauge gauge(&window);
    EXPECT_EQ(gauge.size(), QSize(100, 20));
    button.SetBounds(0, 0, 80, 33);
    button.ApplySkin();
    EXPECT_EQ(button.size(), QSize(80, 33));  // DefaultWidth/Height 0 keep the size
    button.setDefaultWidth(60);
    EXPECT_EQ(button.size(), QSize(60, 33));
}

TEST(Unskinned, LabelWithUseSkinFontDrawsInDefaultFontNotItsOwn)
{
    QWidget window;
    TbsSkinStdLabel label(&window);
    const QFont stored(QStringLiteral("Liberation Serif"), 20);
    label.setFont(stored);
    QFont defaultFont = label.DefaultFont();
    EXPECT_NE(label.effectiveFont().family(), stored.family());
    EXPECT_EQ(label.effectiveFont(), defaultFont);
    label.setUseSkinFont(false);
    EXPECT_EQ(label.effectiveFont().family(), stored.family());
}

TEST(Unskinned, EditTakesItsDefaultFontAndHeight)
{
    QWidget window;
    TbsSkinEdit edit(&window);
    edit.setFont(QFont(QStringLiteral("Liberation Serif"), 20));
    edit.setGeometry(0, 0, 105, 27);
    edit.ApplySkin();
    EXPECT_EQ(edit.height(), 20);
    EXPECT_EQ(edit.nativeEdit()->font(), edit.DefaultFont());
    EXPECT_EQ(edit.geometryNow().textRect, SkinRect(2, 2, 103, 18));
    edit.setButtonMode(true);
    EXPECT_EQ(edit.geometryNow().textRect, SkinRect(2, 2, 83, 18));
    EXPECT_EQ(edit.geometryNow().buttonPlace, SkinRect(85, 0, 105, 20));
}

TEST(Unskinned, GaugeClampsAndFollowsItsLimits)
{
    TbsSkinGauge gauge;
    struct Step {
        const char* what;
        std::function<void()> act;
        int expected;
    } steps[] = {
        {"above the maximum", [&] { gauge.setValue(150); }, 100},
        {"below the minimum", [&] { gauge.setValue(-5); }, 0},
        {"back to 50", [&] { gauge.setValue(50); }, 50},
        {"maximum under the value", [&] { gauge.setMaxValue(40); }, 40},
        {"minimum over the value", [&] { gauge.setMinValue(45); }, 45},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(gauge.Value(), s.expected) << s.what;
    }
    // Minimum above maximum: a larger value still becomes the maximum.
    gauge.setMaxValue(30);
    gauge.setValue(100);
    EXPECT_EQ(gauge.Value(), 30);
}

TEST(Unskinned, GaugeTextAndFill)
{
    TbsSkinGauge gauge;
    gauge.resize(102, 20);
    gauge.setValue(25);
    gauge.setProgressText(QStringLiteral("Step "));
    gauge.setShowProgressText(true);
    gauge.setShowPercent(true);
    EXPECT_EQ(gauge.displayText(), QStringLiteral("Step 25%"));
    gauge.setShowProgressText(false);
    gauge.setShowPercent(false);
    const QImage face = gauge.renderFace();
    // Area (1, 1, 101, 19): 25 % of 100 columns filled.
    EXPECT_EQ(face.pixel(25, 10), QColor(182, 189, 210).rgb());
    EXPECT_EQ(face.pixel(26, 10), QColor(255, 255, 255).rgb());
    gauge.setMinValue(0);
    gauge.setMaxValue(0);
    gauge.setShowPercent(true);
    EXPECT_EQ(gauge.displayText(), QStringLiteral("0%"));
}

// Vertical: the text turned to read upward, centred on the gauge, its baseline to the right.
TEST(Unskinned, VerticalGaugeTextReadsUpwardInTheMiddle)
{
    TbsSkinGauge gauge;
    gauge.resize(30, 160);
    gauge.setVertical(true);
    gauge.setValue(40);
    const QString text = QStringLiteral("__________");
    gauge.setProgressText(text);
    gauge.setShowProgressText(true);
    const QImage face = gauge.renderFace();
    const QFontMetrics fm(gauge.DefaultFont());
    const int tw = fm.horizontalAdvance(text), th = fm.height();
    const int x0 = 30 / 2 - th / 2, y0 = tw / 2 + 160 / 2;  // top-left of the text before turning
    int minX = 99, maxX = -1, minY = 999, maxY = -1;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            const QRgb c = face.pixel(x, y);
            if (qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    ASSERT_GE(maxX, 0);
    // The underscores lie on the baseline, ascent pixels right of the text's turned top.
    EXPECT_GE(minX, x0 + fm.ascent() - 1);
    EXPECT_LT(maxX, x0 + th);
    EXPECT_GT(minX, 30 / 2);
    // Their run covers the text's width upward from y0.
    EXPECT_GE(minY, y0 - tw - 1);
    EXPECT_LE(maxY, y0);
    EXPECT_GE(maxY - minY, tw - 4);
}

TEST(Unskinned, ReadOnlyEditKeepsItsTextButMovesTheCaret)
{
    QWidget window;
    TbsSkinEdit edit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit.setText(QStringLiteral("abc"));
    edit.setReadOnly(true);
    edit.nativeEdit()->setFocus();
    edit.nativeEdit()->setCursorPosition(3);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    WindowInput::keyClicks(QStringLiteral("xy"));
    WindowInput::keyClick(Qt::Key_Backspace);
    WindowInput::keyClick(Qt::Key_Home);
    WindowInput::keyClick(Qt::Key_Delete);
    WindowInput::keyClick(Qt::Key_V, Qt::ControlModifier);
    edit.nativeEdit()->selectAll();
    WindowInput::keyClick(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), QStringLiteral("abc"));
    edit.nativeEdit()->setCursorPosition(0);
    WindowInput::keyClick(Qt::Key_Right);
    EXPECT_EQ(edit.nativeEdit()->cursorPosition(), 1);
    edit.setReadOnly(false);
    WindowInput::keyClicks(QStringLiteral("Z"));
    EXPECT_EQ(edit.Text(), QStringLiteral("aZbc"));
}

TEST(Unskinned, ButtonClicksByMouseSpaceAndEnter)
{
    QWidget window;
    TbsSkinButton button(&window);
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    window.resize(300, 300);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    WindowInput::click(&button, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(window.focusWidget(), &button);
    WindowInput::keyPress(Qt::Key_Space);
    EXPECT_TRUE(button.Down());
    WindowInput::keyRelease(Qt::Key_Space);
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(clicks, 2);
    WindowInput::keyClick(Qt::Key_Return);
    EXPECT_EQ(clicks, 3);
    // Pressed, then released outside: no click.
    WindowInput::press(&button, QPoint(10, 10));
    WindowInput::move(&window, QPoint(200, 200));
    WindowInput::release(&window, QPoint(200, 200));
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(button.Down());
}

TEST(Unskinned, DefaultButtonAnswersEnterFromAnEdit)
{
    QWidget window;
    TbsSkinEdit edit(&window);
    TbsSkinButton ok(&window), leave(&window);
    ok.setDefault(true);
    int okClicks = 0, leaveClicks = 0;
    ok.OnClick = [&](QObject*) { ++okClicks; };
    leave.OnClick = [&](QObject*) { ++leaveClicks; };
    leave.setCancel(true);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit.nativeEdit()->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(ok.isDefaultActive());
    WindowInput::keyClick(Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    WindowInput::keyClick(Qt::Key_Escape);
    EXPECT_EQ(leaveClicks, 1);
    // With the focus on the other button, Enter is that button's.
    leave.setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(ok.isDefaultActive());
    WindowInput::keyClick(Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(leaveClicks, 2);
}

// The caption's "&" letter: Alt with it from anywhere in the window; the plain letter only while
// the focus is on a control that takes no text; a letter typed into an edit stays text.
TEST(Unskinned, AcceleratorKeysFollowTheFocusedControl)
{
    enum class Focus { Edit, ReadOnlyEdit, OtherButton, TheButton };
    const struct Case {
        const char* name;
        QString caption;
        Focus focus;
        char key;
        Qt::KeyboardModifiers modifiers;
        bool enabled;
        int clicks;
        QString editText;
    } cases[] = {
        {"alt from an edit", "&Open", Focus::Edit, 'o', Qt::AltModifier, true, 1, "x"},
        {"plain letter in an edit is text", "&Open", Focus::Edit, 'o', {}, true, 0, "xo"},
        {"alt from a read-only edit", "&Open", Focus::ReadOnlyEdit, 'o', Qt::AltModifier, true, 1, "x"},
        {"plain letter in a read-only edit", "&Open", Focus::ReadOnlyEdit, 'o', {}, true, 0, "x"},
        {"plain letter on another button", "&Open", Focus::OtherButton, 'o', {}, true, 1, "x"},
        {"shifted letter on another button", "&Open", Focus::OtherButton, 'O', Qt::ShiftModifier, true, 1, "x"},
        {"plain letter on the button itself", "&Open", Focus::TheButton, 'o', {}, true, 1, "x"},
        {"alt on another button", "Op&en", Focus::OtherButton, 'e', Qt::AltModifier, true, 1, "x"},
        {"other letter", "&Open", Focus::OtherButton, 'p', {}, true, 0, "x"},
        {"control is no accelerator", "&Open", Focus::OtherButton, 'o', Qt::ControlModifier, true, 0, "x"},
        {"disabled button", "&Open", Focus::OtherButton, 'o', Qt::AltModifier, false, 0, "x"},
        {"doubled ampersand is no accelerator", "&&Open", Focus::OtherButton, 'o', Qt::AltModifier, true, 0, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        TbsSkinEdit edit(&window);
        TbsSkinButton button(&window), other(&window);
        edit.setText(QStringLiteral("x"));
        edit.setReadOnly(c.focus == Focus::ReadOnlyEdit);
        button.setCaption(c.caption);
        button.setEnabled(c.enabled);
        other.setCaption(QStringLiteral("Other"));
        int clicks = 0, otherClicks = 0;
        button.OnClick = [&](QObject*) { ++clicks; };
        other.OnClick = [&](QObject*) { ++otherClicks; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QWidget* target = c.focus == Focus::OtherButton ? static_cast<QWidget*>(&other)
                          : c.focus == Focus::TheButton ? static_cast<QWidget*>(&button)
                                                        : edit.nativeEdit();
        target->setFocus();
        QApplication::processEvents();
        edit.nativeEdit()->end(false);  // no auto-selected text to type over
        WindowInput::keyClick(c.key, c.modifiers);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(otherClicks, 0);
        EXPECT_EQ(edit.Text(), c.editText);
        if (c.clicks == 1) {
            EXPECT_EQ(QApplication::focusWidget(), &button);
        }
    }
}

TEST(Unskinned, EscapeClicksTheFocusedCancelButton)
{
    QWidget window;
    TbsSkinButton leave(&window);
    leave.setCancel(true);
    int clicks = 0;
    leave.OnClick = [&](QObject*) { ++clicks; };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    leave.setFocus();
    QApplication::processEvents();
    WindowInput::keyClick(Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
}

TEST(Unskinned, GroupedButtonsReleaseEachOther)
{
    QWidget window;
    TbsSkinButton a(&window), b(&window);
    a.setGroupIndex(1);
    b.setGroupIndex(1);
    EXPECT_FALSE(a.CanFocused());
    b.move(0, 50);
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WindowInput::click(&a, QPoint(5, 5));
    EXPECT_TRUE(a.Down());
    WindowInput::click(&b, QPoint(5, 5));
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    WindowInput::click(&b, QPoint(5, 5));
    EXPECT_TRUE(b.Down());  // AllowAllUp off
    b.setAllowAllUp(true);
    WindowInput::click(&b, QPoint(5, 5));
    EXPECT_FALSE(b.Down());
}

TEST(Unskinned, PanelRollUpAndCheck)
{
    QWidget window;
    TbsSkinPanel panel(&window);
    QWidget child1(&panel), child2(&panel);
    child2.hide();
    panel.resize(185, 100);
    panel.setRollUpState(true);
    EXPECT_FALSE(panel.RollUpState());  // RollUpMode off
    panel.setRollUpMode(true);
    panel.setRollUpState(true);
    EXPECT_EQ(panel.height(), 23);
    EXPECT_TRUE(child1.isHidden());
    panel.setRollUpState(false);
    EXPECT_EQ(panel.height(), 100);
    EXPECT_FALSE(child1.isHidden());
    EXPECT_TRUE(child2.isHidden());

    int checked = 0;
    panel.OnChecked = [&](QObject*) { ++checked; };
    panel.setChecked(false);  // CheckedMode off: children untouched, event still fires
    EXPECT_TRUE(child1.isEnabled());
    EXPECT_EQ(checked, 1);
    panel.setCheckedMode(true);
    panel.setChecked(false);
    EXPECT_FALSE(child1.isEnabled());
}

// The caption glyph: frame 1, or frame 2 of two while disabled; its frame width (glyph width div
// NumGlyphs) plus Spacing moves the caption text and counts in the centred content width.
TEST(Unskinned, PanelCaptionGlyphFramesAndTextPlace)
{
    // Two 4 x 6 frames, blue and green; the white bottom-left pixel is each frame's transparent colour.
    QImage glyph(8, 6, QImage::Format_RGB32);
    glyph.fill(Qt::blue);
    for (int x = 4; x < 8; ++x)
        for (int y = 0; y < 6; ++y)
            glyph.setPixel(x, y, qRgb(0, 255, 0));
    glyph.setPixel(0, 5, qRgb(255, 255, 255));
    glyph.setPixel(4, 5, qRgb(255, 255, 255));
    const auto isBlue = [](QRgb c) { return c == qRgb(0, 0, 255); };
    const auto isGreen = [](QRgb c) { return c == qRgb(0, 255, 0); };
    const auto isText = [](QRgb c) { return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100; };
    // Leftmost column in the caption strip (rows 3..19) with a pixel of that kind.
    const auto leftmost = [](const QImage& img, auto kind) {
        for (int x = 0; x < img.width(); ++x)
            for (int y = 3; y < 20; ++y)
                if (kind(img.pixel(x, y)))
                    return x;
        return -1;
    };
    const auto render = [&](const QImage& g, int numGlyphs, bool enabled, TAlignment alignment) {
        QWidget window;
        TbsSkinPanel panel(&window);
        panel.resize(120, 60);
        panel.setCaptionMode(true);
        panel.setCaption(QStringLiteral("ITEM"));
        panel.setDefaultAlignment(alignment);
        panel.setGlyph(g);
        panel.setNumGlyphs(numGlyphs);
        panel.setEnabled(enabled);
        return panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    QWidget probe;
    TbsSkinPanel fontProbe(&probe);
    const int advance = QFontMetrics(fontProbe.DefaultFont()).horizontalAdvance(QStringLiteral("ITEM"));

    for (TAlignment alignment : {TAlignment::taLeftJustify, TAlignment::taCenter}) {
        // Caption strip (1, 1, 119, 22) inside two frames: text area (3, 3, 117, 20).
        const QImage bare = render(QImage(), 1, true, alignment);
        const int bareText = leftmost(bare, isText);
        for (int numGlyphs : {1, 2}) {
            for (bool enabled : {true, false}) {
                SCOPED_TRACE(testing::Message() << "alignment " << int(alignment) << ", NumGlyphs " << numGlyphs
                                                << (enabled ? ", enabled" : ", disabled"));
                const QImage img = render(glyph, numGlyphs, enabled, alignment);
                const int frameWidth = 8 / numGlyphs;
                const int x = alignment == TAlignment::taLeftJustify ? 5 : 5 + 114 / 2 - (advance + frameWidth + 2) / 2;
                const int y = 3 + 17 / 2 - 3;
                const bool secondFrame = numGlyphs == 2 && !enabled;
                // The frame's own pixels where they are not its transparent colour.
                for (int gy = 0; gy < 6; ++gy)
                    for (int gx = 0; gx < frameWidth; ++gx) {
                        const QRgb source = glyph.pixel(gx + (secondFrame ? 4 : 0), gy);
                        if (source == qRgb(255, 255, 255))
                            EXPECT_NE(img.pixel(x + gx, y + gy), source) << gx << "," << gy;
                        else
                            EXPECT_EQ(img.pixel(x + gx, y + gy), source) << gx << "," << gy;
                    }
                EXPECT_EQ(leftmost(img, isBlue), secondFrame ? -1 : x);
                EXPECT_EQ(leftmost(img, isGreen), secondFrame ? x : (numGlyphs == 1 ? x + 4 : -1));
                // The text starts Spacing (2) after the frame; compared with the same caption
                // without a glyph, so the letters' own bearing cancels out.
                const int bareX = alignment == TAlignment::taLeftJustify ? 5 : 5 + 114 / 2 - advance / 2;
                EXPECT_EQ(leftmost(img, isText) - bareText, x + frameWidth + 2 - bareX);
            }
        }
    }
}

TEST(Unskinned, MemoScrollBarFollowsTheLines)
{
    QWidget window;
    TbsSkinMemo memo(&window);
    TbsSkinScrollBar bar(&window);
    const int line = QFontMetrics(memo.nativeMemo()->font()).height();
    memo.resize(200, 4 * line + 4 + 2);  // about four lines visible
    window.show();
    memo.setVScrollBar(&bar);
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << QStringLiteral("line %1").arg(i);
    memo.setLines(lines);
    const int visible = memo.nativeMemo()->viewport()->height() / line;
    EXPECT_EQ(bar.Max(), 10);
    EXPECT_EQ(bar.PageSize(), visible + 1);
    EXPECT_TRUE(bar.isEnabled());
    bar.setPosition(3);
    EXPECT_EQ(memo.firstVisibleLine(), 3);
    EXPECT_EQ(bar.Position(), 3);
}
