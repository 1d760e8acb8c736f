// The edit's password character and state colours, the memo's WantTabs, WantReturns and
// MaxLength, the gauge's text beside a progress picture without middle, and the button's
// action. Keys and the mouse go through the top-level window.
#include "FixtureSkin.h"
#include "TbsSkinButton.h"
#include "TbsSkinEdit.h"
#include "TbsSkinGauge.h"
#include "TbsSkinMemo.h"
#include "TbsSkinScrollBar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

std::string withLine(std::string text, const std::string& beforeSection, const std::string& line)
{
    text.insert(text.find(beforeSection), line + "\r\n");
    return text;
}

bool activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Types each character through the window, as the keyboard does.
void typeInto(QWindow* window, const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

QPoint centreInWindow(const QWidget& widget)
{
    return widget.mapTo(widget.window(), widget.rect().center());
}

}  // namespace

TEST(EditOptions, ThePasswordCharacterIsTheOneShown)
{
    QWidget window;
    TbsSkinEdit edit(&window);
    edit.setText(QStringLiteral("abc"));
    for (const QChar mask : {QChar(u'*'), QChar(u'#')}) {
        edit.setEditPasswordChar(mask);
        EXPECT_EQ(edit.nativeEdit()->displayText(), QString(3, mask));
        edit.setEnabled(false);
        EXPECT_EQ(edit.nativeEdit()->displayText(), QString(3, mask)) << "also while disabled";
        edit.setEnabled(true);
    }
    edit.setEditPasswordChar(QChar());
    EXPECT_EQ(edit.nativeEdit()->displayText(), QStringLiteral("abc"));
}

TEST(EditOptions, HoverAndFocusLeaveTheDisabledColourAlone)
{
    TComponent owner;
    // "buttonedit": fontcolor 0, activefontcolor 255 (red), disabledfontcolor grey.
    TbsSkinData* skin = fixture::loadSkin(&owner, withLine(fixture::skinText(), "[edit]", "disabledfontcolor=8421504"));
    QWidget window;
    window.resize(300, 100);
    TbsSkinEdit edit(&window);
    edit.setSkinDataName(QStringLiteral("buttonedit"));
    edit.setGeometry(10, 10, 105, 21);
    QLineEdit other(&window);
    other.setGeometry(10, 50, 100, 20);
    edit.setSkinData(skin);
    ASSERT_TRUE(edit.isSkinned());
    ASSERT_TRUE(activate(window));
    const QColor grey(128, 128, 128);
    auto disabledText = [&] { return edit.nativeEdit()->palette().color(QPalette::Disabled, QPalette::Text); };
    ASSERT_EQ(disabledText(), grey);

    QTest::mouseMove(window.windowHandle(), centreInWindow(edit));
    ASSERT_TRUE(edit.isMouseIn());
    EXPECT_EQ(edit.nativeEdit()->palette().color(QPalette::Active, QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(disabledText(), grey) << "hovered";
    QTest::mouseMove(window.windowHandle(), QPoint(250, 80));
    ASSERT_FALSE(edit.isMouseIn());
    EXPECT_EQ(disabledText(), grey) << "left again";

    edit.setFocus();
    other.setFocus();
    EXPECT_EQ(disabledText(), grey) << "focused and left";

    edit.setEnabled(false);
    QTest::mouseMove(window.windowHandle(), centreInWindow(edit));
    EXPECT_EQ(disabledText(), grey) << "hovered while disabled";
}

TEST(MemoOptions, TabMovesTheFocusUnlessWantTabs)
{
    QWidget window;
    window.resize(300, 200);
    TbsSkinMemo memo(&window);
    memo.setGeometry(5, 5, 200, 100);
    QLineEdit next(&window);
    next.setGeometry(5, 120, 100, 20);
    ASSERT_TRUE(activate(window));
    EXPECT_FALSE(memo.WantTabs());

    memo.setFocus();
    ASSERT_TRUE(memo.nativeMemo()->hasFocus());
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_TRUE(next.hasFocus());
    EXPECT_EQ(memo.Text(), QString());

    memo.setWantTabs(true);
    memo.setFocus();
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_TRUE(memo.nativeMemo()->hasFocus());
    EXPECT_EQ(memo.Text(), QStringLiteral("\t"));
}

TEST(MemoOptions, WithoutWantReturnsEnterGoesToTheDefaultButtonAndCtrlEnterBreaksTheLine)
{
    QDialog dialog;
    dialog.resize(300, 200);
    TbsSkinMemo memo(&dialog);
    memo.setGeometry(5, 5, 200, 100);
    QPushButton ok(QStringLiteral("OK"), &dialog);
    ok.setGeometry(5, 150, 80, 25);
    ok.setDefault(true);
    int clicks = 0;
    QObject::connect(&ok, &QPushButton::clicked, [&] { ++clicks; });
    ASSERT_TRUE(activate(dialog));
    memo.setFocus();
    EXPECT_TRUE(memo.WantReturns());

    typeInto(dialog.windowHandle(), QStringLiteral("ab"));
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(memo.Text(), QStringLiteral("ab\n"));
    EXPECT_EQ(clicks, 0);

    memo.setWantReturns(false);
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(memo.Text(), QStringLiteral("ab\n")) << "no line typed";
    EXPECT_EQ(clicks, 1) << "the dialog's default button took Enter";
    memo.setReadOnly(true);
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(clicks, 2) << "also from a read-only memo";
    memo.setReadOnly(false);

    dialog.show();
    ASSERT_TRUE(activate(dialog));
    memo.setFocus();
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(memo.Text(), QStringLiteral("ab\n\n"));
    EXPECT_EQ(clicks, 2);
}

TEST(MemoOptions, MaxLengthLimitsTypingAndPastingButNotTheProgram)
{
    QWidget window;
    window.resize(300, 200);
    TbsSkinMemo memo(&window);
    memo.setGeometry(5, 5, 200, 100);
    memo.setMaxLength(5);
    ASSERT_TRUE(activate(window));
    memo.setFocus();

    typeInto(window.windowHandle(), QStringLiteral("abcdefg"));
    EXPECT_EQ(memo.Text(), QStringLiteral("abcde"));
    QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(memo.Text(), QStringLiteral("abcde")) << "a line break counts as a character";

    // Two characters selected: a pasted text fits in their place up to the limit.
    QTest::keyClick(window.windowHandle(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_Left, Qt::ShiftModifier);
    QApplication::clipboard()->setText(QStringLiteral("XYZ"));
    QTest::keyClick(window.windowHandle(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo.Text(), QStringLiteral("abcXY"));

    memo.setText(QStringLiteral("longer than five"));
    EXPECT_EQ(memo.Text(), QStringLiteral("longer than five"));
    memo.setMaxLength(0);
    memo.setFocus();
    typeInto(window.windowHandle(), QStringLiteral("!"));
    EXPECT_EQ(memo.Text().size(), 17);
}

TEST(GaugeOptions, AProgressPictureWithoutMiddleDropsTheTextOnlyWhenTheFillPassesItsEnds)
{
    TComponent owner;
    // Progress picture 10 wide, both ends 5: no middle.
    std::string text = fixture::skinText();
    text.replace(text.find("beginoffset=0\r\nendoffset=0"), 26, "beginoffset=5\r\nendoffset=5");
    TbsSkinData* skin = fixture::loadSkin(&owner, text);
    QWidget window;
    TbsSkinGauge gauge(&window);
    gauge.SetBounds(0, 0, 374, 14);
    gauge.setSkinData(skin);
    ASSERT_TRUE(gauge.isSkinned());
    gauge.setProgressText(QStringLiteral("XX"));
    gauge.setShowProgressText(true);
    struct Case {
        int value;  // filled width 371 * value / 100
        bool textShown;
    };
    for (const Case c : {Case{0, true}, Case{2, true}, Case{50, false}, Case{100, false}}) {
        gauge.setValue(c.value);
        gauge.setShowPercent(true);
        const QImage withText = gauge.renderFace();
        gauge.setShowPercent(false);
        gauge.setShowProgressText(false);
        const QImage without = gauge.renderFace();
        gauge.setShowProgressText(true);
        EXPECT_EQ(withText != without, c.textShown) << "value " << c.value;
    }
}

TEST(ButtonAction, CaptionStateAndGlyphComeFromTheActionAndAClickTriggersIt)
{
    QWidget window;
    window.resize(200, 100);
    TbsSkinButton button(&window);
    button.SetBounds(10, 10, 75, 25);
    QPixmap icon(8, 8);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.fillRect(2, 2, 4, 4, Qt::red);
    }
    QAction action(QStringLiteral("執行(&R)"));
    action.setIcon(QIcon(icon));
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });

    button.setAction(&action);
    EXPECT_EQ(button.Action(), &action);
    EXPECT_EQ(button.Caption(), QStringLiteral("執行(&R)"));
    ASSERT_EQ(button.Glyph().size(), QSize(8, 8));
    EXPECT_EQ(button.Glyph().pixel(0, 0), qRgb(255, 0, 255)) << "fuchsia where the icon is clear";
    EXPECT_EQ(button.Glyph().pixel(3, 3), qRgb(255, 0, 0));

    action.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    action.setText(QStringLiteral("Run"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Run"));
    action.setEnabled(true);
    EXPECT_TRUE(button.isEnabled());

    ASSERT_TRUE(activate(window));
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centreInWindow(button));
    EXPECT_EQ(triggered, 1);

    // An OnClick of the button's own runs instead of the action.
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centreInWindow(button));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(triggered, 1);

    // A glyph of the button's own stays.
    TbsSkinButton own(&window);
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    own.setGlyph(glyph);
    own.setAction(&action);
    EXPECT_EQ(own.Glyph(), glyph);
}

namespace {
// Visual lines of the memo's text (a wrapped line counts each of its screen lines) and the
// visual line at the top of its view, worked out from the text layout.
int visualLineCount(QPlainTextEdit* memo)
{
    int count = 0;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        memo->document()->documentLayout()->blockBoundingRect(b);  // lays the block out
        count += b.layout()->lineCount();
    }
    return count;
}
int topVisualLine(QPlainTextEdit* memo)
{
    const QTextCursor top = memo->cursorForPosition(QPoint(2, 2));
    const QTextBlock block = top.block();
    int line = 0;
    for (QTextBlock b = memo->document()->begin(); b != block; b = b.next())
        line += b.layout()->lineCount();
    return line + block.layout()->lineForTextPosition(top.positionInBlock()).lineNumber();
}
}  // namespace

TEST(MemoOptions, TheScrollBarCountsWrappedLinesForRangeAndPositionAlike)
{
    QWidget window;
    window.resize(300, 300);
    TbsSkinMemo memo(&window);
    TbsSkinScrollBar bar(&window);
    const int line = QFontMetrics(memo.nativeMemo()->font()).height();
    memo.setGeometry(5, 5, 120, 4 * line + 6);
    memo.setVScrollBar(&bar);
    ASSERT_TRUE(activate(window));
    QStringList lines{QStringLiteral("first")};
    lines << QStringLiteral("a long line of many short words that wraps over several lines of the memo");
    for (int i = 0; i < 8; ++i)
        lines << QStringLiteral("line %1").arg(i);
    memo.setLines(lines);
    QApplication::processEvents();
    QPlainTextEdit* native = memo.nativeMemo();
    const int visual = visualLineCount(native);
    ASSERT_GT(visual, lines.size() + 2) << "the long line wraps";
    EXPECT_EQ(bar.Max(), visual);

    // At the end of the text and inside the wrapped line, the position is the top visual line.
    native->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    EXPECT_EQ(bar.Position(), topVisualLine(native));
    EXPECT_EQ(bar.Position(), bar.Max() - bar.PageSize() + 1);
    for (int position : {3, 1, 0}) {
        bar.setPosition(position);
        QApplication::processEvents();
        EXPECT_EQ(topVisualLine(native), position);
        EXPECT_EQ(bar.Position(), position);
    }
}
