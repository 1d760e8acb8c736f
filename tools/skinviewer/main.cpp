// skinviewer: a frameless window with the skinned frame, a panel, a label, an edit and two
// buttons, drawn with one of the project's skins (stored: with a mask; compressed: the main
// window's), or with the plain default frame.
//
//   skinviewer [stored|compressed|none] [path to a skin folder's SKIN.INI]
//
// A right click in the window opens a skinned pop-up menu: "Skin" with a submenu that loads
// either skin or none while the window is open, "Object hints" to show the caption buttons'
// hints (of a skinned frame), and "Close".

#include "ChildAlign.h"
#include "Component.h"
#include "SkinMessages.h"
#include "TbsActiveSkinObject.h"
#include "TbsSkinButton.h"
#include "TbsSkinData.h"
#include "TbsSkinEdit.h"
#include "TbsSkinFrame.h"
#include "TbsSkinHint.h"
#include "TbsSkinPanel.h"
#include "TbsSkinPopupMenu.h"
#include "TbsSkinStdLabel.h"
#include "TbsStoredSkin.h"

#include <QApplication>
#include <QMessageBox>
#include <QResizeEvent>
#include <QWidget>
#include <cstdio>
#include <map>
#include <string>

namespace {

class ViewerForm : public QWidget, public TComponent {
public:
    ViewerForm() : QWidget(nullptr), TComponent(nullptr) { setName("ViewerForm"); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        // The client area is what the frame leaves inside it.
        alignChildren(this, contentsRect());
    }
};

std::string skinPath(const QString& which)
{
    return std::string(CUSTPROD_SOURCE_DIR) + "/skins/" + which.toStdString() + "/SKIN.INI";
}

// Our skins carry no hints of their own; the viewer gives the caption buttons some.
void giveHints(TbsSkinFrame* frame)
{
    const std::map<std::string, std::string> hints{{"closebutton", "Close"},
                                                   {"maxbutton", "Maximize / Restore"},
                                                   {"minbutton", "Minimize"},
                                                   {"rollupbutton", "Roll up / down"},
                                                   {"sysmenubutton", "System menu"}};
    for (const auto& [name, hint] : hints)
        if (TbsActiveSkinObject* object = frame->objectByName(name))
            object->Hint = hint;
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString which = args.size() > 1 ? args.at(1) : QStringLiteral("stored");
    if (which != "stored" && which != "compressed" && which != "none") {
        std::fprintf(stderr, "usage: skinviewer [stored|compressed|none] [SKIN.INI]\n");
        return 2;
    }
    ViewerForm form;
    form.setWindowTitle(QStringLiteral("客戶區間商品數量表 - skin viewer"));
    auto* frame = new TbsSkinFrame(&form, &form);
    frame->setName("bsSkinFrame1");

    // One skin data object for the window's whole life; with "none" it stays empty until a
    // skin is chosen from the menu.
    auto* skin = new TbsSkinData(&form);
    skin->setName("bsSkinData1");
    frame->OnChangeSkinData = [frame](QObject*) { giveHints(frame); };
    if (which != "none") {
        try {
            auto* stored = new TbsStoredSkin(&form);
            stored->LoadFromSkinFile(args.size() > 2 ? args.at(2).toStdString() : skinPath(which));
            skin->setStoredSkin(stored);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "skinviewer: %s\n", e.what());
            return 1;
        }
    }

    auto* panel = new TbsSkinPanel(&form, &form);
    panel->setSkinDataName(QStringLiteral("panel"));
    setChildAlign(panel, TAlign::alClient);
    auto* label = new TbsSkinStdLabel(panel, &form);
    label->setSkinDataName(QStringLiteral("stdlabel"));
    label->setCaption(QStringLiteral("查詢區間"));
    label->setGeometry(20, 20, 80, 16);
    auto* edit = new TbsSkinEdit(panel, &form);
    edit->setSkinDataName(QStringLiteral("edit"));
    edit->setGeometry(100, 18, 140, 20);
    auto* ok = new TbsSkinButton(panel, &form);
    ok->setSkinDataName(QStringLiteral("button"));
    ok->setCaption(QStringLiteral("確定"));
    ok->setGeometry(40, 60, 80, 25);
    auto* leave = new TbsSkinButton(panel, &form);
    leave->setSkinDataName(QStringLiteral("button"));
    leave->setCaption(QStringLiteral("離開"));
    leave->setGeometry(140, 60, 80, 25);
    leave->OnClick = [&form](QObject*) { form.close(); };
    panel->setSkinData(skin);
    label->setSkinData(skin);
    edit->setSkinData(skin);
    ok->setSkinData(skin);
    leave->setSkinData(skin);
    frame->setSkinData(skin);
    frame->setSkinHint(new TbsSkinHint(&form));

    QString current = which;
    auto* menu = new TbsSkinPopupMenu(&form);
    SkinMenuEntry* skins = menu->Items.add("SkinItem", QStringLiteral("&Skin"));
    for (const QString name : {QStringLiteral("stored"), QStringLiteral("compressed"), QStringLiteral("none")}) {
        SkinMenuEntry* item = skins->add(name.toStdString(), QLatin1Char('&') + name);
        item->RadioItem = true;
        item->OnClick = [&form, &current, skin, name](SkinMenuEntry*) {
            try {
                if (name == QStringLiteral("none")) {
                    // Taken away the way a skin change does it.
                    skin->ClearSkin();
                    skin->NotifyForms(SKM_BEFORECHANGE);
                    skin->NotifyForms(SKM_CHANGE);
                    skin->NotifyForms(SKM_AFTERCHANGE);
                } else {
                    auto* stored = new TbsStoredSkin(&form);
                    stored->LoadFromSkinFile(skinPath(name));
                    skin->setStoredSkin(stored);
                }
                current = name;
                form.update();
            } catch (const std::exception& e) {
                QMessageBox::warning(&form, QStringLiteral("skinviewer"), QString::fromLocal8Bit(e.what()));
            }
        };
    }
    SkinMenuEntry* hints = menu->Items.add("HintsItem", QStringLiteral("Object &hints"));
    hints->OnClick = [frame](SkinMenuEntry*) { frame->ShowObjectHint = !frame->ShowObjectHint; };
    menu->Items.add("", QStringLiteral("-"));
    menu->Items.add("CloseItem", QStringLiteral("&Close"))->OnClick = [&form](SkinMenuEntry*) { form.close(); };
    menu->OnPopup = [&](QObject*) {
        for (auto& item : skins->Items)
            item->Checked = item->Name == current.toStdString();
        hints->Checked = frame->ShowObjectHint;
    };
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(panel, &QWidget::customContextMenuRequested, panel, [menu, panel](QPoint at) {
        const QPoint global = panel->mapToGlobal(at);
        menu->Popup(global.x(), global.y());
    });
    form.resize(378, 273);
    form.move(120, 100);
    form.show();
    return app.exec();
}
