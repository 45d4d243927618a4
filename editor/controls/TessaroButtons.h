#pragma once

#include "editor/controls/LampButton.h"

namespace Tessaro9V
{
// The panel's illuminated push buttons, one class per lens colour, and the link toggle.
class TessaroGreenButton : public LampButton
{
public:
    TessaroGreenButton();
};

class TessaroRedButton : public LampButton
{
public:
    TessaroRedButton();
};

class TessaroYellowButton : public LampButton
{
public:
    TessaroYellowButton();
};

class LinkButton : public LampButton
{
public:
    LinkButton();
};
} // namespace Tessaro9V
