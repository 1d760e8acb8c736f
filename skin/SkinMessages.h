#pragma once
// The skin messages and the form-level receiver of them.
//
// A skin data object announces every load to the forms of the application with three
// messages, sent synchronously: SKM_BEFORECHANGE (its data is about to go away),
// SKM_CHANGE (new data is in place; re-read it) and SKM_AFTERCHANGE (final step).
// wParam is the announcing TbsSkinData, lParam is 1000 and carries nothing. Receivers
// compare wParam with the skin data object they use and ignore the message otherwise.
//
// A form takes part by implementing ISkinMessageTarget and registering itself with
// TbsSkinForms (see TbsSkinForms.h), normally for as long as it exists. The skinned frame
// of a form handles the messages and relays them to the form's skinned controls.

class TbsSkinData;

inline constexpr int kUserMessageBase = 1024; // the first user message id
inline constexpr int SKM_BEFORECHANGE = kUserMessageBase + 201; // 1225
inline constexpr int SKM_CHANGE = kUserMessageBase + 202;       // 1226
inline constexpr int SKM_AFTERCHANGE = kUserMessageBase + 203;  // 1227
inline constexpr int SKM_LPARAM = 1000;

class ISkinMessageTarget {
public:
    virtual ~ISkinMessageTarget() = default;

    // One skin message: message is one of the SKM_ ids, wParam the announcing skin data
    // object, lParam SKM_LPARAM. Called on the user-interface thread, synchronously.
    virtual void skinMessage(int message, TbsSkinData* wParam, int lParam) = 0;

    // Called before the first message to the form that owns the announcing skin data object,
    // so that the form can create its native window if it has none yet.
    virtual void ensureWindow() {}
};
