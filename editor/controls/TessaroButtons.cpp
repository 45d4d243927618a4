#include "editor/controls/TessaroButtons.h"

#include "resources/EmbeddedArtwork.h"

namespace Tessaro9V
{
TessaroGreenButton::TessaroGreenButton()
    : LampButton (resource_TessaroGreenButton_greenButtonOff_png, resource_TessaroGreenButton_greenButtonOff_pngSize,
                  resource_TessaroGreenButton_greenButtonOn_png, resource_TessaroGreenButton_greenButtonOn_pngSize)
{
}

TessaroRedButton::TessaroRedButton()
    : LampButton (resource_TessaroRedButton_redButtonOff_png, resource_TessaroRedButton_redButtonOff_pngSize,
                  resource_TessaroRedButton_redButtonOn_png, resource_TessaroRedButton_redButtonOn_pngSize)
{
}

TessaroYellowButton::TessaroYellowButton()
    : LampButton (resource_TessaroYellowButton_yellowButtonOff_png,
                  resource_TessaroYellowButton_yellowButtonOff_pngSize, resource_TessaroYellowButton_yellowButtonOn_png,
                  resource_TessaroYellowButton_yellowButtonOn_pngSize)
{
}

LinkButton::LinkButton()
    : LampButton (resource_LinkButton_linkOff_png, resource_LinkButton_linkOff_pngSize, resource_LinkButton_linkOn_png,
                  resource_LinkButton_linkOn_pngSize)
{
}
} // namespace Tessaro9V
