// skinviewer: a frameless window with the skinned frame, a panel, a label, an edit and two
// buttons, drawn with one of the project's skins (stored: with a mask; compressed: the main
// window's), or with the plain default frame.
//
//   skinviewer [stored|compressed|none] [path to a skin folder's SKIN.INI]

#include "ChildAlign.h"
#include "Component.h"
#include "TbsSkinButton.h"
#include "TbsSkinData.h"
#include "TbsSkinEdit.h"
#include "TbsSkinFrame.h"
#include "TbsSkinPanel.h"
#include "TbsSkinStdLabel.h"
#include "TbsStoredSkin.h"

#include <QApplication>
#include <QResizeEvent>
#include <QWidget>
#include <cstdio>
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

    TbsSkinData* skin = nullptr;
    if (which != "none") {
        const std::string path = args.size() > 2 ? args.at(2).toStdString()
                                                 : std::string(CUSTPROD_SOURCE_DIR) + "/skins/" + which.toStdString()
                                                       + "/SKIN.INI";
        try {
            auto* stored = new TbsStoredSkin(&form);
            stored->LoadFromSkinFile(path);
            skin = new TbsSkinData(&form);
            skin->setName("bsSkinData1");
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
    if (skin) {
        panel->setSkinData(skin);
        label->setSkinData(skin);
        edit->setSkinData(skin);
        ok->setSkinData(skin);
        leave->setSkinData(skin);
    }
    frame->setSkinData(skin);
    form.resize(378, 273);
    form.move(120, 100);
    form.show();
    return app.exec();
}
