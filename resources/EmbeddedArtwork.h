#pragma once

// The front panel's artwork: complete PNG files compiled into the plug-in, each with its
// byte count. Drawn by tools/artwork; resources/EmbeddedArtwork.cpp is generated from
// resources/png/*.png by scripts/make-artwork.sh.

extern const unsigned char resource_T9VUI_back_png[];
extern const int resource_T9VUI_back_pngSize;
extern const unsigned char resource_T9VUI_backSide_png[];
extern const int resource_T9VUI_backSide_pngSize;
extern const unsigned char resource_T9VUI_greenLed_png[];
extern const int resource_T9VUI_greenLed_pngSize;
extern const unsigned char resource_T9VUI_yellowLed_png[];
extern const int resource_T9VUI_yellowLed_pngSize;
extern const unsigned char resource_T9VUI_redLed_png[];
extern const int resource_T9VUI_redLed_pngSize;

extern const unsigned char resource_TessaroKnob_back_png[];
extern const int resource_TessaroKnob_back_pngSize;
extern const unsigned char resource_TessaroKnob_mid_png[];
extern const int resource_TessaroKnob_mid_pngSize;
extern const unsigned char resource_TessaroKnob_top_png[];
extern const int resource_TessaroKnob_top_pngSize;

extern const unsigned char resource_TessaroSwitch_switchBase_png[];
extern const int resource_TessaroSwitch_switchBase_pngSize;
extern const unsigned char resource_TessaroSwitch_switchTop_png[];
extern const int resource_TessaroSwitch_switchTop_pngSize;
extern const unsigned char resource_TessaroSwitch_switchMid_png[];
extern const int resource_TessaroSwitch_switchMid_pngSize;
extern const unsigned char resource_TessaroSwitch_switchBottom_png[];
extern const int resource_TessaroSwitch_switchBottom_pngSize;

extern const unsigned char resource_TessaroGreenButton_greenButtonOff_png[];
extern const int resource_TessaroGreenButton_greenButtonOff_pngSize;
extern const unsigned char resource_TessaroGreenButton_greenButtonOn_png[];
extern const int resource_TessaroGreenButton_greenButtonOn_pngSize;
extern const unsigned char resource_TessaroRedButton_redButtonOff_png[];
extern const int resource_TessaroRedButton_redButtonOff_pngSize;
extern const unsigned char resource_TessaroRedButton_redButtonOn_png[];
extern const int resource_TessaroRedButton_redButtonOn_pngSize;
extern const unsigned char resource_TessaroYellowButton_yellowButtonOff_png[];
extern const int resource_TessaroYellowButton_yellowButtonOff_pngSize;
extern const unsigned char resource_TessaroYellowButton_yellowButtonOn_png[];
extern const int resource_TessaroYellowButton_yellowButtonOn_pngSize;

extern const unsigned char resource_LinkButton_linkOff_png[];
extern const int resource_LinkButton_linkOff_pngSize;
extern const unsigned char resource_LinkButton_linkOn_png[];
extern const int resource_LinkButton_linkOn_pngSize;
