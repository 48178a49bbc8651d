#pragma once

#include "CDrawContext.h"
#include "CView.h"

#include <functional>
#include <vector>

// A view that paints itself in one colour and records the input the frame gives it.
class ProbeView : public CView
{
  public:
    struct Press
    {
        CPoint where;
        int32_t buttons;
    };
    struct Wheel
    {
        CPoint where;
        float distance;
        int32_t buttons;
    };

    ProbeView(const CRect& size, CColor colour) : CView(size), colour(colour) {}

    void draw(CDrawContext* context) override
    {
        context->setFillColor(colour);
        context->fillRect(size);
        ++draws;
        setDirty(false);
    }
    CMouseEventResult onMouseDown(CPoint& where, const int32_t& buttons) override
    {
        presses.push_back({where, buttons});
        if (onPress) onPress();
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const int32_t& buttons) override
    {
        moves.push_back({where, buttons});
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const int32_t& buttons) override
    {
        releases.push_back({where, buttons});
        return kMouseEventHandled;
    }
    bool onWheel(const CPoint& where, const float& distance, const int32_t& buttons) override
    {
        wheels.push_back({where, distance, buttons});
        return true;
    }
    int32_t onKeyDown(CKeyCode& key) override
    {
        keysDown.push_back(key);
        return 1;
    }
    int32_t onKeyUp(CKeyCode& key) override
    {
        keysUp.push_back(key);
        return 1;
    }

    CColor colour;
    int draws = 0;
    std::vector<Press> presses, moves, releases;
    std::vector<Wheel> wheels;
    std::vector<CKeyCode> keysDown, keysUp;
    std::function<void()> onPress;
};
