// The base of every element that issues commands (push buttons, menu entries).
#pragma once

#include "Element.h"

namespace VantorUtility {

using CommandCallback = void (*)(GUIElement* element);

// Holds the command callback; an element derives from it second, after its element base.
class CommandElement {
public:
    CommandCallback onCommand = nullptr;
};

} // namespace VantorUtility
