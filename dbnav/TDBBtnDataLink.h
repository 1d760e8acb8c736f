#pragma once
// The navigation button's data link: three hooks, all of which the button points at its
// enable evaluation. Scrolling and layout changes arrive as "dataset changed".

#include "DataLink.h"

#include <functional>

class TDBBtnDataLink : public TDataLink {
public:
    std::function<void()> OnEditingChanged;
    std::function<void()> OnDataSetChanged;
    std::function<void()> OnActiveChanged;

protected:
    void editingChanged() override { call(OnEditingChanged); }
    void dataSetChanged() override { call(OnDataSetChanged); }
    void dataSetScrolled(int) override { call(OnDataSetChanged); }
    void layoutChanged() override { call(OnDataSetChanged); }
    void activeChanged() override { call(OnActiveChanged); }

private:
    static void call(const std::function<void()>& hook)
    {
        if (hook)
            hook();
    }
};
