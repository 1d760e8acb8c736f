#pragma once
// What a skinned control offers the relay of skin messages: the skin data object it draws
// from, forgetting its section before a skin change and applying the skin after it. The frame
// reaches the controls of its form through this alone, so it does not depend on them.

class TbsSkinData;

class SkinChangeReceiver {
public:
    virtual TbsSkinData* SkinData() const = 0;
    virtual void ResetSkinSection() = 0;
    virtual void ApplySkin() = 0;

protected:
    ~SkinChangeReceiver() = default;
};
