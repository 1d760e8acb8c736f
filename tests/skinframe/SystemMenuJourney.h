#pragma once
// Opening and closing a frame's system menu the way a user does, every event delivered to
// the top-level window (FrameInput.h): opened by the system-menu button or a right click on
// the caption; closed by Escape, a click elsewhere in the window, choosing a command with the
// mouse, the button again, or the accelerator key of a command. The command used is the one
// that changes the window least and can run again and again: roll up, or put it back.

#include "FrameInput.h"
#include "SkinMenuEntry.h"
#include "TbsActiveSkinObject.h"
#include "TbsSkinFrame.h"
#include "TbsSkinMenu.h"
#include "TbsSkinMenuItem.h"
#include "TbsSkinPopupWindow.h"

#include <QCursor>
#include <QTest>
#include <string>

namespace frameinput {

enum class Opener { SystemMenuButton, RightClickOnCaption };
enum class CloseBy { Escape, ClickOutside, CommandChosen, ButtonAgain, CommandKey };

inline const char* nameOf(CloseBy way)
{
    switch (way) {
    case CloseBy::Escape: return "Escape";
    case CloseBy::ClickOutside: return "click outside";
    case CloseBy::CommandChosen: return "command chosen";
    case CloseBy::ButtonAgain: return "the button again";
    case CloseBy::CommandKey: return "a key that runs a command";
    }
    return "";
}

struct SystemMenuJourney {
    QWidget* form;
    TbsSkinFrame* frame;

    QPoint centreOf(const char* name) const { return frame->objectByName(name)->ObjectRect.toQRect().center(); }
    QPoint captionPoint() const
    {
        const QRect client = form->contentsRect();
        return {client.center().x(), client.top() / 2};
    }

    void open(Opener opener) const
    {
        if (opener == Opener::SystemMenuButton) {
            move(form, centreOf("sysmenubutton"));
            click(form, centreOf("sysmenubutton"));
        } else {
            click(form, captionPoint(), Qt::RightButton);
        }
    }

    static int rollItem(const TbsSkinPopupWindow* popup)
    {
        for (size_t i = 0; i < popup->Items().size(); ++i) {
            const std::string& name = popup->Items()[i]->Entry->Name;
            if (name == "BSF_ROLLUP" || name == "BSF_RESTORE")
                return int(i);
        }
        return -1;
    }

    // False when the menu did not offer what the way needs.
    bool close(CloseBy way) const
    {
        TbsSkinPopupWindow* popup = frame->skinMenu()->window(0);
        switch (way) {
        case CloseBy::Escape: key(form, Qt::Key_Escape); return true;
        case CloseBy::ClickOutside: click(form, form->contentsRect().bottomRight() - QPoint(5, 5)); return true;
        case CloseBy::ButtonAgain: click(form, centreOf("sysmenubutton")); return true;
        case CloseBy::CommandChosen: {
            const int index = rollItem(popup);
            if (index < 0)
                return false;
            const QPoint at = popup->Items()[size_t(index)]->ItemRect.toQRect().center();
            // The pointer goes onto the item; the menu's mouse timer finds it there.
            pointAt(popup, at);
            move(popup, at);
            if (!QTest::qWaitFor([&] { return popup->ActiveIndex() == index; }, 20000))
                return false;
            click(popup, at);
            return true;
        }
        case CloseBy::CommandKey: {
            const int index = rollItem(popup);
            if (index < 0)
                return false;
            key(form, popup->Items()[size_t(index)]->Entry->accelerator().toLatin1());
            return true;
        }
        }
        return false;
    }
};

}
