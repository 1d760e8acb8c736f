#pragma once
// A menu item as the skinned menus read it: caption ("-" for a separator, "&" before the
// accelerator), short-cut, enabled, checked, radio item, image index, sub-items and what
// choosing it does. A tree: an entry owns its sub-items.

#include <QKeySequence>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct SkinMenuEntry {
    std::string Name;
    QString Caption;
    QKeySequence ShortCut;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    int ImageIndex = -1;
    std::vector<std::unique_ptr<SkinMenuEntry>> Items;
    std::function<void(SkinMenuEntry* Sender)> OnClick;

    bool isSeparator() const { return Caption == QStringLiteral("-"); }
    SkinMenuEntry* add(std::string name, QString caption, QKeySequence shortCut = {});
    void clear() { Items.clear(); }
    // The character after a single "&", lower case; null when there is none.
    QChar accelerator() const;
    // The caption as shown: "&&" becomes "&", a single "&" disappears.
    QString displayCaption() const;
    void Click();
};
