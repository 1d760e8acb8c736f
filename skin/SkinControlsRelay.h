#pragma once
// The relay of the skin messages from a form to its skinned controls: before a skin change
// every skinned control forgets its section (it draws unskinned until the change is done);
// after it, each one applies the new skin. Only controls that use the announcing skin data
// object take part (all of them when the message names none). The frame of a form calls this
// from its skin message handler; a form without a skinned frame calls it itself.

class QWidget;
class TbsSkinData;

void RelaySkinMessageToControls(QWidget* form, int message, TbsSkinData* skinData);
